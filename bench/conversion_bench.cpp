// Conversions per second through the emulated Excel, against the floor of the host calls alone.
//
// A conversion by label makes six host calls (number; integer, text and xlFree for each unit),
// by index three (number, integer, integer). The floor makes exactly those calls with the same
// records and nothing else, so conversion / floor is the share of the add-in's own work:
// label search, arithmetic, the result block and xlAutoFree.
#include "bench_support.h"

namespace {

using namespace bench;

typedef XLOPER*(XLLAPI* CvtFunction)(XLOPER*, XLOPER*, XLOPER*);
typedef void(XLLAPI* AutoFreeFunction)(XLOPER*);

char g_inches[] = "\x06inches";
char g_feet[] = "\x04" "feet";

struct Arguments {
    XLOPER value, units, newUnits;
};
Arguments ByLabel() { return {Number(12), Text(g_inches), Text(g_feet)}; }
Arguments ByIndex() { return {Number(12), Integer(10), Integer(8)}; }

// Calls the function as Excel does: hands over the records, reads the answer, gives a
// flagged block back to xlAutoFree.
void Convert(benchmark::State& state, Arguments args) {
    auto cvtLength = reinterpret_cast<CvtFunction>(AddinExport("CvtLength"));
    auto autoFree = reinterpret_cast<AutoFreeFunction>(AddinExport("xlAutoFree"));
    for (auto _ : state) {
        XLOPER* result = cvtLength(&args.value, &args.units, &args.newUnits);
        benchmark::DoNotOptimize(result->val.array.lparray[0].val.num);
        if (result->xltype & xlbitDLLFree) autoFree(result);
    }
    CountCalls(state);
}

// The host's share of one unit given as text: integer coercion (fails), text coercion, xlFree.
void CoerceUnitAsText(XLOPER* unit, XLOPER* intType, XLOPER* strType) {
    XLOPER coerced;
    Excel4(xlCoerce, &coerced, 2, unit, intType);
    Excel4(xlCoerce, &coerced, 2, unit, strType);
    Excel4(xlFree, nullptr, 1, &coerced);
}

void Floor(benchmark::State& state, Arguments args, bool byLabel) {
    XLOPER numType = Integer(xltypeNum), intType = Integer(xltypeInt), strType = Integer(xltypeStr);
    for (auto _ : state) {
        XLOPER coerced;
        Excel4(xlCoerce, &coerced, 2, &args.value, &numType);
        benchmark::DoNotOptimize(coerced.val.num);
        if (byLabel) {
            CoerceUnitAsText(&args.units, &intType, &strType);
            CoerceUnitAsText(&args.newUnits, &intType, &strType);
        } else {
            Excel4(xlCoerce, &coerced, 2, &args.units, &intType);
            Excel4(xlCoerce, &coerced, 2, &args.newUnits, &intType);
        }
        benchmark::ClobberMemory();
    }
    CountCalls(state);
}

void BM_ConvertByLabel(benchmark::State& state) { Convert(state, ByLabel()); }
void BM_FloorByLabel(benchmark::State& state) { Floor(state, ByLabel(), true); }
void BM_ConvertByIndex(benchmark::State& state) { Convert(state, ByIndex()); }
void BM_FloorByIndex(benchmark::State& state) { Floor(state, ByIndex(), false); }

MEZURA_BENCHMARK(BM_ConvertByLabel);
MEZURA_BENCHMARK(BM_FloorByLabel);
MEZURA_BENCHMARK(BM_ConvertByIndex);
MEZURA_BENCHMARK(BM_FloorByIndex);

}  // namespace
