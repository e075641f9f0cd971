// The Excel12 path: CvtLength by label and VolHorzCylCap per second on one thread and on every core, against their floors.
//
// Each benchmark runs once on one thread and once on as many threads as the machine has cores,
// each a recalculation thread of the emulated Excel starting at 53-bit precision, as Excel's
// are. Rates are calls per second of wall time summed over the threads, so the second run over
// the first is the scaling. The floors make the same Excel12 calls with the same records (and,
// for the tank, the same square roots, arctangents and sines), each on its own threads too.
#include <cmath>
#include <thread>

#include "addin/tanks/tank_arithmetic.h"
#include "bench_support.h"
#include "emulated_excel.h"
#include "excel12.h"
#include "x87_precision.h"

namespace {

using namespace bench;

typedef XLOPER12*(XLLAPI* Cvt12)(XLOPER12*, XLOPER12*, XLOPER12*);
typedef XLOPER12*(XLLAPI* Volume12)(XLOPER12*, XLOPER12*, XLOPER12*, XLOPER12*);
typedef void(XLLAPI* AutoFree12)(XLOPER12*);

XCHAR g_inches[] = u"\x0006inches";
XCHAR g_feet[] = u"\x0004" "feet";

XLOPER12 Number12(double value) { XLOPER12 r{}; r.xltype = xltypeNum; r.val.num = value; return r; }
XLOPER12 Integer12(int value) { XLOPER12 r{}; r.xltype = xltypeInt; r.val.w = value; return r; }
XLOPER12 Text12(XCHAR* counted) { XLOPER12 r{}; r.xltype = xltypeStr; r.val.str = counted; return r; }

// Every benchmark thread is one of Excel's recalculation threads while it runs (the first runs
// on the program's main thread, which the Excel4 benchmarks use after).
class RecalculationThread {
public:
    RecalculationThread() {
        xlhost::MarkRecalculationThread();
        xlhost::SetPrecisionControl(xlhost::kPrecision53);
    }
    ~RecalculationThread() { xlhost::MarkRecalculationThread(false); }
};

// Calls per second of wall time over all threads: report from the first thread only.
void CountAllCalls(benchmark::State& state) {
    if (state.thread_index() == 0)
        state.counters["calls/s"] =
            benchmark::Counter(double(state.iterations()) * state.threads(), benchmark::Counter::kIsRate);
}

void BM_Excel12ByLabel(benchmark::State& state) {
    RecalculationThread recalculation;
    auto cvtLength = reinterpret_cast<Cvt12>(AddinExport("CvtLength12"));
    auto autoFree = reinterpret_cast<AutoFree12>(AddinExport("xlAutoFree12"));
    XLOPER12 value = Number12(12), units = Text12(g_inches), newUnits = Text12(g_feet);
    for (auto _ : state) {
        XLOPER12* result = cvtLength(&value, &units, &newUnits);
        benchmark::DoNotOptimize(result->val.array.lparray[0].val.num);
        if (result->xltype & xlbitDLLFree) autoFree(result);
    }
    CountAllCalls(state);
}

// The host's share of one unit given as text: integer coercion (fails), text coercion, xlFree.
void CoerceUnitAsText(XLOPER12* unit, XLOPER12* intType, XLOPER12* strType) {
    XLOPER12 coerced;
    XLOPER12* args[2] = {unit, intType};
    xlhost::HandleExcel12(xlCoerce, &coerced, 2, args);
    args[1] = strType;
    xlhost::HandleExcel12(xlCoerce, &coerced, 2, args);
    XLOPER12* freed[1] = {&coerced};
    xlhost::HandleExcel12(xlFree, nullptr, 1, freed);
}

void BM_Excel12FloorByLabel(benchmark::State& state) {
    RecalculationThread recalculation;
    XLOPER12 value = Number12(12), units = Text12(g_inches), newUnits = Text12(g_feet);
    XLOPER12 numType = Integer12(xltypeNum), intType = Integer12(xltypeInt), strType = Integer12(xltypeStr);
    for (auto _ : state) {
        XLOPER12 coerced;
        XLOPER12* args[2] = {&value, &numType};
        xlhost::HandleExcel12(xlCoerce, &coerced, 2, args);
        benchmark::DoNotOptimize(coerced.val.num);
        CoerceUnitAsText(&units, &intType, &strType);
        CoerceUnitAsText(&newUnits, &intType, &strType);
        benchmark::ClobberMemory();
    }
    CountAllCalls(state);
}

const double kHeight = 0.5, kRadius = 1, kLength = 10, kCappedLength = 11;

void BM_Excel12VolHorzCylCap(benchmark::State& state) {
    RecalculationThread recalculation;
    auto volume = reinterpret_cast<Volume12>(AddinExport("VolHorzCylCap12"));
    auto autoFree = reinterpret_cast<AutoFree12>(AddinExport("xlAutoFree12"));
    XLOPER12 h = Number12(kHeight), r = Number12(kRadius), L = Number12(kLength), M = Number12(kCappedLength);
    for (auto _ : state) {
        XLOPER12* result = volume(&h, &r, &L, &M);
        benchmark::DoNotOptimize(result->val.num);
        if (result->xltype & xlbitDLLFree) autoFree(result);
    }
    CountAllCalls(state);
}

long double SegmentWork(long double ratio) {
    long double angle = 2 * ArcCos(ratio);
    return angle - RoundedSine(angle);
}

void BM_Excel12FloorVolHorzCylCap(benchmark::State& state) {
    RecalculationThread recalculation;
    XLOPER12 args[4] = {Number12(kHeight), Number12(kRadius), Number12(kLength), Number12(kCappedLength)};
    XLOPER12 numType = Integer12(xltypeNum);
    volatile double ratio = 0.5, section = 0.75;
    for (auto _ : state) {
        for (XLOPER12& arg : args) {
            XLOPER12 coerced;
            XLOPER12* pair[2] = {&arg, &numType};
            xlhost::HandleExcel12(xlCoerce, &coerced, 2, pair);
            benchmark::DoNotOptimize(coerced.val.num);
        }
        // At 64-bit precision, switched there and back as the add-in does on such a thread.
        xlhost::SetPrecisionControl(xlhost::kPrecision64);
        long double sum = SegmentWork(ratio) + std::sqrt(static_cast<long double>(section));
        for (int i = 0; i < 51; ++i) sum += std::sqrt(section - i * 1e-3L) + SegmentWork(ratio);
        benchmark::DoNotOptimize(sum);
        xlhost::SetPrecisionControl(xlhost::kPrecision53);
    }
    CountAllCalls(state);
}

int Cores() {
    unsigned cores = std::thread::hardware_concurrency();
    return cores ? int(cores) : 1;
}

#define MEZURA_THREADED_BENCHMARK(name) \
    MEZURA_BENCHMARK(name)->Threads(1)->Threads(Cores())->UseRealTime()

MEZURA_THREADED_BENCHMARK(BM_Excel12ByLabel);
MEZURA_THREADED_BENCHMARK(BM_Excel12FloorByLabel);
MEZURA_THREADED_BENCHMARK(BM_Excel12VolHorzCylCap);
MEZURA_THREADED_BENCHMARK(BM_Excel12FloorVolHorzCylCap);

}  // namespace
