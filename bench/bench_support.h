// Shared by the benchmarks: the loaded add-in, records built as Excel builds them, and the pairs
// of benchmark and floor whose ratio the summary prints.
#pragma once

#include <benchmark/benchmark.h>

#include "xlapi/xloper.h"

namespace bench {

// An export of the add-in loaded by main(); the program stops before any benchmark runs when
// one is missing.
void* AddinExport(const char* name);

inline XLOPER Number(double value) { XLOPER r{}; r.xltype = xltypeNum; r.val.num = value; return r; }
inline XLOPER Integer(short value) { XLOPER r{}; r.xltype = xltypeInt; r.val.w = value; return r; }
inline XLOPER Text(char* counted) { XLOPER r{}; r.xltype = xltypeStr; r.val.str = counted; return r; }

// Calls per second, the figure every benchmark reports.
inline void CountCalls(benchmark::State& state) {
    state.counters["calls/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

// One line of the summary: a benchmark, the floor it is measured against, and what they measure.
struct RatioLine {
    const char* what;
    const char* benchmark;
    const char* floor;
};

}  // namespace bench

// Medians of several runs: the machines these run on are shared, and one run can catch a neighbour's burst.
#define MEZURA_BENCHMARK(name) BENCHMARK(name)->Repetitions(5)->ReportAggregatesOnly(true)
