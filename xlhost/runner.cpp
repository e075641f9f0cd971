// xlhost: loads an add-in into the emulated Excel and reports what the host saw of it.
#include <cstdio>
#include <string>

#include "addin_loader.h"
#include "emulated_excel.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: xlhost ADDIN\n");
        return 2;
    }
    xlhost::StartEmulatedExcel();
    xlhost::LoadedAddin addin;
    std::string error;
    if (!xlhost::LoadAddin(argv[1], &addin, &error)) {
        std::fprintf(stderr, "xlhost: cannot load %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    std::printf("Loaded add-in: %s\n", addin.path.c_str());
    auto exports = xlhost::ListExports(addin);
    std::printf("Exports (%u):", unsigned(exports.size()));
    for (const auto& name : exports) std::printf(" %s", name.c_str());
    std::printf("\n");

    xlhost::UnloadAddin(&addin);
    auto problems = xlhost::LedgerProblems();
    xlhost::LedgerSummary ledger = xlhost::ReadLedger();
    std::printf("Ledger: %u host blocks handed out, %u given back, %u problems\n",
                unsigned(ledger.handedOut), unsigned(ledger.released), unsigned(problems.size()));
    for (const auto& problem : problems) std::printf("  %s\n", problem.c_str());
    return problems.empty() ? 0 : 1;
}
