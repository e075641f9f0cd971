// xlhost: loads an add-in into the emulated Excel; with a sheet file, opens it, evaluates the sheet and closes it.
//
//     xlhost [--version TEXT] [--serve READY STOP] ADDIN [SHEET]
//     xlhost --help-topics ADDIN
//
// --version sets the host's version text (default "5.0"); with "8.0" the host also offers its
// automation model on Windows. --serve (Windows) opens the add-in, sets the event READY and
// answers automation calls until the event STOP is set: a second copy of the host for tests.
// --help-topics opens the add-in and prints the help topic of every function it registered and
// of every item it added to the Help menu, one per line: "TOPIC NAME".
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "addin_calls.h"
#include "addin_loader.h"
#include "emulated_excel.h"
#include "registry.h"
#include "sheet_eval.h"

#ifdef _WIN32
#include <windows.h>

#include "automation_server.h"
#endif

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

// What Excel's Function Wizard and Help menu would open for the add-in's functions and items.
void PrintHelpTopics(const xlhost::LoadedAddin& addin) {
    xlhost::OpenAddin(addin);
    constexpr size_t kHelpTopicArgument = 8;  // module, procedure, type, name, arguments, macro type, category, shortcut
    for (const xlhost::Registration& registration : xlhost::LiveRegistrations()) {
        if (registration.arguments.size() > kHelpTopicArgument)
            std::printf("%s %s\n", registration.arguments[kHelpTopicArgument].text.c_str(), registration.functionText.c_str());
    }
    if (const auto* items = xlhost::FindMenu(10, "Help")) {
        for (const xlhost::MenuItem& item : *items) std::printf("%s %s\n", item.helpReference.c_str(), item.text.c_str());
    }
    xlhost::CloseAddin(addin);
}

#ifdef _WIN32
// Keeps the opened add-in's host answering automation calls until `stop` is set.
void Serve(const xlhost::LoadedAddin& addin, const char* ready, const char* stop) {
    HANDLE readyEvent = OpenEventA(EVENT_MODIFY_STATE, FALSE, ready);
    HANDLE stopEvent = OpenEventA(SYNCHRONIZE, FALSE, stop);
    xlhost::OpenAddin(addin);
    if (readyEvent) SetEvent(readyEvent);
    while (stopEvent && MsgWaitForMultipleObjects(1, &stopEvent, FALSE, 60000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    xlhost::CloseAddin(addin);
    if (readyEvent) CloseHandle(readyEvent);
    if (stopEvent) CloseHandle(stopEvent);
}
#endif

}  // namespace

int main(int argc, char** argv) {
    const char* version = nullptr;
    const char* serve[2] = {nullptr, nullptr};
    bool helpTopics = false;
    int first = 1;
    for (; first < argc && std::strncmp(argv[first], "--", 2) == 0; ++first) {
        if (std::strcmp(argv[first], "--version") == 0 && first + 1 < argc) {
            version = argv[++first];
        } else if (std::strcmp(argv[first], "--serve") == 0 && first + 2 < argc) {
            serve[0] = argv[++first];
            serve[1] = argv[++first];
        } else if (std::strcmp(argv[first], "--help-topics") == 0) {
            helpTopics = true;
        } else {
            break;
        }
    }
    if (argc - first < 1 || argc - first > 2 || (helpTopics && argc - first != 1)) {
        std::fprintf(stderr, "usage: xlhost [--version TEXT] [--serve READY STOP] ADDIN [SHEET]\n"
                             "       xlhost --help-topics ADDIN\n");
        return 2;
    }
    const char* addinPath = argv[first];
    const char* sheetPath = argc - first == 2 ? argv[first + 1] : nullptr;
    std::vector<xlhost::SheetEntry> entries;
    if (sheetPath && !ReadSheetFile(sheetPath, &entries)) return 2;
    xlhost::StartEmulatedExcel();
    if (version) xlhost::SetHostVersion(version);
    std::string error;
#ifdef _WIN32
    bool serving = version && std::strcmp(version, "8.0") == 0;
    if (serving && !xlhost::StartAutomationServer(&error)) {
        std::fprintf(stderr, "xlhost: no automation model: %s\n", error.c_str());
        return 1;
    }
#endif
    xlhost::LoadedAddin addin;
    if (!xlhost::LoadAddin(addinPath, &addin, &error)) {
        std::fprintf(stderr, "xlhost: cannot load %s: %s\n", addinPath, error.c_str());
        return 1;
    }
    if (!helpTopics) std::printf("Loaded add-in: %s\n", addin.path.c_str());
#ifdef _WIN32
    if (serve[0]) Serve(addin, serve[0], serve[1]);
#endif
    if (helpTopics) {
        PrintHelpTopics(addin);
    } else if (sheetPath) {
        RunSheet(addin, entries);
#ifdef _WIN32
        if (serving) std::printf("Cells read through the automation model: %u\n", unsigned(xlhost::ValueReads()));
#endif
    } else if (!serve[0]) {
        auto exports = xlhost::ListExports(addin);
        std::printf("Exports (%u):", unsigned(exports.size()));
        for (const auto& name : exports) std::printf(" %s", name.c_str());
        std::printf("\n");
    }

    xlhost::UnloadAddin(&addin);
#ifdef _WIN32
    if (serving) xlhost::StopAutomationServer();
#endif
    auto problems = xlhost::LedgerProblems();
    xlhost::LedgerSummary ledger = xlhost::ReadLedger();
    std::printf("Ledger: %u host blocks handed out, %u given back, %u add-in blocks freed of %u, %u problems\n",
                unsigned(ledger.handedOut), unsigned(ledger.released), unsigned(ledger.addinFreed),
                unsigned(ledger.addinBlocks), unsigned(problems.size()));
    for (const auto& problem : problems) std::printf("  %s\n", problem.c_str());
    return problems.empty() ? 0 : 1;
}
