// xlhost: loads an add-in into the emulated Excel; with a sheet file, opens it, evaluates the sheet and closes it.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "addin_calls.h"
#include "addin_loader.h"
#include "emulated_excel.h"
#include "registry.h"
#include "sheet_eval.h"

namespace {

bool ReadSheetFile(const char* path, std::vector<xlhost::SheetEntry>* entries) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    std::string error;
    if (!file) error = "cannot read the file";
    else if (xlhost::ParseSheet(text.str(), entries, &error)) return true;
    std::fprintf(stderr, "xlhost: %s: %s\n", path, error.c_str());
    return false;
}

void PrintNewAlerts(size_t* shown) {
    const auto& alerts = xlhost::Alerts();
    for (; *shown < alerts.size(); ++*shown) std::printf("Alert: %s\n", alerts[*shown].c_str());
}

void RunSheet(const xlhost::LoadedAddin& addin, const std::vector<xlhost::SheetEntry>& entries) {
    size_t alertsShown = 0;
    int opened = xlhost::OpenAddin(addin);
    std::printf("xlAutoOpen: %d, %u functions registered\n", opened, unsigned(xlhost::LiveRegistrations().size()));
    PrintNewAlerts(&alertsShown);
    xlhost::EvaluateSheet(addin, entries);
    std::printf("%s", xlhost::FormatGrid(xlhost::CallingSheet()).c_str());
    PrintNewAlerts(&alertsShown);
    std::printf("xlAutoClose: %d\n", xlhost::CloseAddin(addin));
    PrintNewAlerts(&alertsShown);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: xlhost ADDIN [SHEET]\n");
        return 2;
    }
    std::vector<xlhost::SheetEntry> entries;
    if (argc == 3 && !ReadSheetFile(argv[2], &entries)) return 2;
    xlhost::StartEmulatedExcel();
    xlhost::LoadedAddin addin;
    std::string error;
    if (!xlhost::LoadAddin(argv[1], &addin, &error)) {
        std::fprintf(stderr, "xlhost: cannot load %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    std::printf("Loaded add-in: %s\n", addin.path.c_str());
    if (argc == 3) {
        RunSheet(addin, entries);
    } else {
        auto exports = xlhost::ListExports(addin);
        std::printf("Exports (%u):", unsigned(exports.size()));
        for (const auto& name : exports) std::printf(" %s", name.c_str());
        std::printf("\n");
    }

    xlhost::UnloadAddin(&addin);
    auto problems = xlhost::LedgerProblems();
    xlhost::LedgerSummary ledger = xlhost::ReadLedger();
    std::printf("Ledger: %u host blocks handed out, %u given back, %u add-in blocks freed of %u, %u problems\n",
                unsigned(ledger.handedOut), unsigned(ledger.released), unsigned(ledger.addinFreed),
                unsigned(ledger.addinBlocks), unsigned(problems.size()));
    for (const auto& problem : problems) std::printf("  %s\n", problem.c_str());
    return problems.empty() ? 0 : 1;
}
