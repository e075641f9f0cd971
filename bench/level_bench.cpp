// Tank levels per second through the emulated Excel, beside their volume functions on the same tank.
//
// A level function coerces its arguments once, like its volume function, then evaluates the
// tank's volume at one height after another until it holds the lowest height for the volume:
// level time / volume time is about the number of volumes one level takes (less the coercions).
#include <vector>

#include "bench_support.h"

namespace {

using namespace bench;

typedef XLOPER*(XLLAPI* Tank2)(XLOPER*, XLOPER*);
typedef XLOPER*(XLLAPI* Tank3)(XLOPER*, XLOPER*, XLOPER*);
typedef XLOPER*(XLLAPI* Tank4)(XLOPER*, XLOPER*, XLOPER*, XLOPER*);

// Calls the export `f` with `first` and the dimensions.
XLOPER* Call(void* f, XLOPER* first, std::vector<XLOPER>& dimensions) {
    switch (dimensions.size()) {
    case 1: return reinterpret_cast<Tank2>(f)(first, &dimensions[0]);
    case 2: return reinterpret_cast<Tank3>(f)(first, &dimensions[0], &dimensions[1]);
    default: return reinterpret_cast<Tank4>(f)(first, &dimensions[0], &dimensions[1], &dimensions[2]);
    }
}

void RunTank(benchmark::State& state, const char* name, double first, const std::vector<double>& numbers) {
    void* f = AddinExport(name);
    std::vector<XLOPER> dimensions;
    for (double number : numbers) dimensions.push_back(Number(number));
    XLOPER argument = Number(first);
    for (auto _ : state) benchmark::DoNotOptimize(Call(f, &argument, dimensions)->val.num);
    CountCalls(state);
}

// The level of the volume that the volume function gives at `height`.
void RunLevel(benchmark::State& state, const char* level, const char* volume, double height,
              const std::vector<double>& numbers) {
    std::vector<XLOPER> dimensions;
    for (double number : numbers) dimensions.push_back(Number(number));
    XLOPER h = Number(height);
    RunTank(state, level, Call(AddinExport(volume), &h, dimensions)->val.num, numbers);
}

// One tank per shape, filled to about two fifths of its height: the volume function there, and
// the level function of the volume it gives.
#define MEZURA_LEVEL_BENCHMARKS(shape, height, ...)                                                              \
    void BM_TankVol##shape(benchmark::State& state) { RunTank(state, "Vol" #shape, height, {__VA_ARGS__}); }    \
    void BM_Level##shape(benchmark::State& state) {                                                             \
        RunLevel(state, "Level" #shape, "Vol" #shape, height, {__VA_ARGS__});                                   \
    }                                                                                                           \
    MEZURA_BENCHMARK(BM_TankVol##shape);                                                                        \
    MEZURA_BENCHMARK(BM_Level##shape);

MEZURA_LEVEL_BENCHMARKS(Sphere, 0.8, 1)
MEZURA_LEVEL_BENCHMARKS(VertCyl, 4, 1, 10)
MEZURA_LEVEL_BENCHMARKS(VertCylSphCap, 4, 1, 10, 10.5)
MEZURA_LEVEL_BENCHMARKS(HorzCyl, 0.8, 1, 10)
MEZURA_LEVEL_BENCHMARKS(HorzCylCap, 0.8, 1, 10, 11)
MEZURA_LEVEL_BENCHMARKS(TaperedCyl, 4, 1, 2, 10)

}  // namespace
