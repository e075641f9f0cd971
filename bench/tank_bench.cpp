// Tank volumes per second through the emulated Excel, against a floor of the same host calls
// and the same square roots, arctangents and sines done bare.
//
// Each function coerces its three or four arguments (one xlCoerce each). VolHorzCyl then takes
// one segment angle and its sine; VolHorzCylCap the same for its body plus, for the caps, 51
// sections of a square root, an angle and a sine; VolVertCylSphCap is arithmetic only. The
// floors make those host calls, square roots, and correctly rounded arctangents and sines, so
// volume / floor is the share of the add-in's own work: validation, clamping, the products and
// sums, the Simpson sum.
#include <cmath>
#include <vector>

#include "addin/tanks/tank_arithmetic.h"
#include "bench_support.h"

namespace {

using namespace bench;

typedef XLOPER*(XLLAPI* Volume3)(XLOPER*, XLOPER*, XLOPER*);
typedef XLOPER*(XLLAPI* Volume4)(XLOPER*, XLOPER*, XLOPER*, XLOPER*);

// Half-way between empty and the centre line, so every branch does its full work.
const double kHeight = 0.5, kRadius = 1, kLength = 10, kCappedLength = 11;

void CoerceAll(std::vector<XLOPER>& args) {
    XLOPER numType = Integer(xltypeNum);
    for (XLOPER& arg : args) {
        XLOPER coerced;
        Excel4(xlCoerce, &coerced, 2, &arg, &numType);
        benchmark::DoNotOptimize(coerced.val.num);
    }
}

// The angle and sine of one circular segment, as the volume formulas take them.
long double SegmentWork(long double ratio) {
    long double angle = 2 * ArcCos(ratio);
    return angle - RoundedSine(angle);
}

void BM_VolHorzCyl(benchmark::State& state) {
    auto volume = reinterpret_cast<Volume3>(AddinExport("VolHorzCyl"));
    XLOPER h = Number(kHeight), r = Number(kRadius), L = Number(kLength);
    for (auto _ : state) benchmark::DoNotOptimize(volume(&h, &r, &L)->val.num);
    CountCalls(state);
}

void BM_FloorVolHorzCyl(benchmark::State& state) {
    std::vector<XLOPER> args{Number(kHeight), Number(kRadius), Number(kLength)};
    volatile double ratio = 0.5;
    for (auto _ : state) {
        CoerceAll(args);
        benchmark::DoNotOptimize(SegmentWork(ratio));
    }
    CountCalls(state);
}

void BM_VolHorzCylCap(benchmark::State& state) {
    auto volume = reinterpret_cast<Volume4>(AddinExport("VolHorzCylCap"));
    XLOPER h = Number(kHeight), r = Number(kRadius), L = Number(kLength), M = Number(kCappedLength);
    for (auto _ : state) benchmark::DoNotOptimize(volume(&h, &r, &L, &M)->val.num);
    CountCalls(state);
}

void BM_FloorVolHorzCylCap(benchmark::State& state) {
    std::vector<XLOPER> args{Number(kHeight), Number(kRadius), Number(kLength), Number(kCappedLength)};
    volatile double ratio = 0.5, section = 0.75;
    for (auto _ : state) {
        CoerceAll(args);
        long double sum = SegmentWork(ratio) + std::sqrt(static_cast<long double>(section));
        for (int i = 0; i < 51; ++i) sum += std::sqrt(section - i * 1e-3L) + SegmentWork(ratio);
        benchmark::DoNotOptimize(sum);
    }
    CountCalls(state);
}

void BM_VolVertCylSphCap(benchmark::State& state) {
    auto volume = reinterpret_cast<Volume4>(AddinExport("VolVertCylSphCap"));
    XLOPER h = Number(3), r = Number(kRadius), L = Number(kLength), M = Number(10.5);
    for (auto _ : state) benchmark::DoNotOptimize(volume(&h, &r, &L, &M)->val.num);
    CountCalls(state);
}

void BM_FloorVolVertCylSphCap(benchmark::State& state) {
    std::vector<XLOPER> args{Number(3), Number(kRadius), Number(kLength), Number(10.5)};
    for (auto _ : state) CoerceAll(args);
    CountCalls(state);
}

MEZURA_BENCHMARK(BM_VolHorzCyl);
MEZURA_BENCHMARK(BM_FloorVolHorzCyl);
MEZURA_BENCHMARK(BM_VolHorzCylCap);
MEZURA_BENCHMARK(BM_FloorVolHorzCylCap);
MEZURA_BENCHMARK(BM_VolVertCylSphCap);
MEZURA_BENCHMARK(BM_FloorVolVertCylSphCap);

}  // namespace
