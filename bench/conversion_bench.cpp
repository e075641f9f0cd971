// Conversions per second through the emulated Excel, against the floor of the host calls alone.
//
// A conversion by label makes six host calls (number; integer, text and xlFree for each unit),
// by index three (number, integer, integer). The floor makes exactly those calls with the same
// records and nothing else, so conversion / floor is the share of the add-in's own work:
// label search, arithmetic, the result block and xlAutoFree.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "addin/host/xloper.h"
#include "addin_loader.h"
#include "emulated_excel.h"

namespace {

typedef XLOPER*(XLLAPI* CvtFunction)(XLOPER*, XLOPER*, XLOPER*);
typedef void(XLLAPI* AutoFreeFunction)(XLOPER*);

xlhost::LoadedAddin g_addin;
CvtFunction g_cvtLength;
AutoFreeFunction g_autoFree;

char g_inches[] = "\x06inches";
char g_feet[] = "\x04" "feet";

XLOPER Number(double value) { XLOPER r{}; r.xltype = xltypeNum; r.val.num = value; return r; }
XLOPER Integer(short value) { XLOPER r{}; r.xltype = xltypeInt; r.val.w = value; return r; }
XLOPER Text(char* counted) { XLOPER r{}; r.xltype = xltypeStr; r.val.str = counted; return r; }

struct Arguments {
    XLOPER value, units, newUnits;
};
Arguments ByLabel() { return {Number(12), Text(g_inches), Text(g_feet)}; }
Arguments ByIndex() { return {Number(12), Integer(10), Integer(8)}; }

// Calls the function as Excel does: hands over the records, reads the answer, gives a
// flagged block back to xlAutoFree.
void Convert(benchmark::State& state, Arguments args) {
    for (auto _ : state) {
        XLOPER* result = g_cvtLength(&args.value, &args.units, &args.newUnits);
        benchmark::DoNotOptimize(result->val.array.lparray[0].val.num);
        if (result->xltype & xlbitDLLFree) g_autoFree(result);
    }
    state.counters["conversions/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
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
    state.counters["conversions/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_ConvertByLabel(benchmark::State& state) { Convert(state, ByLabel()); }
void BM_FloorByLabel(benchmark::State& state) { Floor(state, ByLabel(), true); }
void BM_ConvertByIndex(benchmark::State& state) { Convert(state, ByIndex()); }
void BM_FloorByIndex(benchmark::State& state) { Floor(state, ByIndex(), false); }

// Medians of several runs: the machines these run on are shared, and one run can catch a neighbour's burst.
BENCHMARK(BM_ConvertByLabel)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_FloorByLabel)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ConvertByIndex)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_FloorByIndex)->Repetitions(5)->ReportAggregatesOnly(true);

// Keeps the console output and remembers each benchmark's median CPU time per iteration (CPU
// time: on a shared machine wall time also counts the neighbours).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            bool single = run.run_type == Run::RT_Iteration && run.iterations > 0;
            if (median || single) nanoseconds[run.run_name.function_name] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> nanoseconds;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    xlhost::StartEmulatedExcel();
    std::string error;
    if (!xlhost::LoadAddin(xlhost::BesideProgram("MEZURA32.so"), &g_addin, &error)) {
        std::fprintf(stderr, "conversion_bench: cannot load the add-in: %s\n", error.c_str());
        return 1;
    }
    g_cvtLength = reinterpret_cast<CvtFunction>(xlhost::FindExport(g_addin, "CvtLength"));
    g_autoFree = reinterpret_cast<AutoFreeFunction>(xlhost::FindExport(g_addin, "xlAutoFree"));
    if (!g_cvtLength || !g_autoFree) {
        std::fprintf(stderr, "conversion_bench: CvtLength or xlAutoFree not exported\n");
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\n%-10s %16s %16s %18s\n", "units", "conversions/s", "floor calls/s", "conversion/floor");
    for (const char* way : {"Label", "Index"}) {
        auto convert = reporter.nanoseconds.find(std::string("BM_ConvertBy") + way);
        auto floor = reporter.nanoseconds.find(std::string("BM_FloorBy") + way);
        if (convert == reporter.nanoseconds.end() || floor == reporter.nanoseconds.end()) continue;
        // Both times are in the same unit (the benchmarks' default); only their ratio and rates matter.
        std::printf("by %-7s %16.0f %16.0f %18.2f\n", way, 1e9 / convert->second, 1e9 / floor->second,
                    convert->second / floor->second);
    }
    auto problems = xlhost::LedgerProblems();
    if (!problems.empty()) std::printf("ledger: %u problems, first: %s\n", unsigned(problems.size()), problems[0].c_str());
    xlhost::UnloadAddin(&g_addin);
    benchmark::Shutdown();
    return problems.empty() ? 0 : 1;
}
