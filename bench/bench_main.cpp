// The benchmark program: loads the add-in into the emulated Excel, runs every benchmark and
// prints each one's calls per second beside its floor's, with their ratio.
#include <cstdio>
#include <map>
#include <string>
#include <utility>

#include "addin_calls.h"
#include "addin_loader.h"
#include "bench_support.h"
#include "emulated_excel.h"
#include "registry.h"

namespace {

xlhost::LoadedAddin g_addin;

const bench::RatioLine kRatioLines[] = {
    {"CvtLength by label", "BM_ConvertByLabel", "BM_FloorByLabel"},
    {"CvtLength by index", "BM_ConvertByIndex", "BM_FloorByIndex"},
    {"VolHorzCyl", "BM_VolHorzCyl", "BM_FloorVolHorzCyl"},
    {"VolHorzCylCap", "BM_VolHorzCylCap", "BM_FloorVolHorzCylCap"},
    {"VolVertCylSphCap", "BM_VolVertCylSphCap", "BM_FloorVolVertCylSphCap"},
};
// Each level function beside its volume function on the same tank: their ratio is about the
// number of volumes a level takes.
const bench::RatioLine kLevelLines[] = {
    {"LevelSphere", "BM_LevelSphere", "BM_TankVolSphere"},
    {"LevelVertCyl", "BM_LevelVertCyl", "BM_TankVolVertCyl"},
    {"LevelVertCylSphCap", "BM_LevelVertCylSphCap", "BM_TankVolVertCylSphCap"},
    {"LevelHorzCyl", "BM_LevelHorzCyl", "BM_TankVolHorzCyl"},
    {"LevelHorzCylCap", "BM_LevelHorzCylCap", "BM_TankVolHorzCylCap"},
    {"LevelTaperedCyl", "BM_LevelTaperedCyl", "BM_TankVolTaperedCyl"},
};
// The Excel12 path, each on one thread and on every core.
const bench::RatioLine kExcel12Lines[] = {
    {"CvtLength by label", "BM_Excel12ByLabel", "BM_Excel12FloorByLabel"},
    {"VolHorzCylCap", "BM_Excel12VolHorzCylCap", "BM_Excel12FloorVolHorzCylCap"},
};
const char* const kExportsUsed[] = {"CvtLength",      "xlAutoFree",      "VolHorzCyl",         "VolHorzCylCap",
                                    "VolVertCylSphCap", "VolSphere",     "VolVertCyl",         "VolTaperedCyl",
                                    "LevelSphere",    "LevelVertCyl",    "LevelVertCylSphCap", "LevelHorzCyl",
                                    "LevelHorzCylCap", "LevelTaperedCyl", "CvtLength12",       "xlAutoFree12",
                                    "VolHorzCylCap12"};

// Keeps the console output and remembers each benchmark's median CPU time per iteration (CPU
// time: on a shared machine wall time also counts the neighbours).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            bool single = run.run_type == Run::RT_Iteration && run.iterations > 0;
            if (median || single) {
                nanoseconds[run.run_name.function_name] = run.GetAdjustedCPUTime();
                auto rate = run.counters.find("calls/s");
                if (rate != run.counters.end()) callsPerSecond[{run.run_name.function_name, run.threads}] = rate->second;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> nanoseconds;
    std::map<std::pair<std::string, int64_t>, double> callsPerSecond;  // by benchmark and thread count
};

template <size_t N>
void PrintRatios(const std::map<std::string, double>& nanoseconds, const bench::RatioLine (&lines)[N],
                 const char* floorHeading, const char* ratioHeading) {
    std::printf("\n%-20s %14s %16s %12s\n", "", "calls/s", floorHeading, ratioHeading);
    for (const bench::RatioLine& line : lines) {
        auto call = nanoseconds.find(line.benchmark);
        auto floor = nanoseconds.find(line.floor);
        if (call == nanoseconds.end() || floor == nanoseconds.end()) continue;
        // Both times are in the same unit (the benchmarks' default); only their ratio and rates matter.
        std::printf("%-20s %14.0f %16.0f %12.2f\n", line.what, 1e9 / call->second, 1e9 / floor->second,
                    call->second / floor->second);
    }
}

// The Excel12 lines: calls per second summed over the threads, beside the floor's, and how much
// more every core does than one.
void PrintExcel12Scaling(const std::map<std::pair<std::string, int64_t>, double>& rates) {
    std::printf("\n%-20s %8s %14s %16s %12s %9s\n", "Excel12", "threads", "calls/s", "floor calls/s", "call/floor",
                "scaling");
    for (const bench::RatioLine& line : kExcel12Lines) {
        double single = 0, floorSingle = 0;
        for (const auto& entry : rates) {
            if (entry.first.first != line.benchmark) continue;
            int64_t threads = entry.first.second;
            auto floor = rates.find({line.floor, threads});
            if (floor == rates.end()) continue;
            if (threads == 1) single = entry.second, floorSingle = floor->second;
            std::printf("%-20s %8lld %14.0f %16.0f %12.2f", line.what, static_cast<long long>(threads), entry.second,
                        floor->second, floor->second / entry.second);
            if (threads > 1 && single > 0)
                std::printf(" %8.2fx (floor %.2fx)", entry.second / single, floor->second / floorSingle);
            std::printf("\n");
        }
    }
}

}  // namespace

void* bench::AddinExport(const char* name) { return xlhost::FindExport(g_addin, name); }

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    xlhost::StartEmulatedExcel();
    std::string error;
    if (!xlhost::LoadAddin(xlhost::BesideProgram("MEZURA32.so"), &g_addin, &error)) {
        std::fprintf(stderr, "addin_bench: cannot load the add-in: %s\n", error.c_str());
        return 1;
    }
    for (const char* name : kExportsUsed) {
        if (!bench::AddinExport(name)) {
            std::fprintf(stderr, "addin_bench: the add-in does not export %s\n", name);
            return 1;
        }
    }
    // Opened as an Excel 16.0, so that the Excel12 forms reach the host; the Excel4 forms are
    // called as before.
    xlhost::SetHostVersion("16.0");
    xlhost::OpenAddin(g_addin);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintRatios(reporter.nanoseconds, kRatioLines, "floor calls/s", "call/floor");
    PrintRatios(reporter.nanoseconds, kLevelLines, "volume calls/s", "level/volume");
    PrintExcel12Scaling(reporter.callsPerSecond);
    xlhost::CloseAddin(g_addin);

    auto problems = xlhost::LedgerProblems();
    if (!problems.empty()) std::printf("ledger: %u problems, first: %s\n", unsigned(problems.size()), problems[0].c_str());
    xlhost::UnloadAddin(&g_addin);
    benchmark::Shutdown();
    return problems.empty() ? 0 : 1;
}
