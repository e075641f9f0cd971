// xlhost: loads an add-in into the emulated Excel; with a sheet file, opens it, evaluates the sheet and closes it.
// `xlhost --help` prints how to call it and its exit codes (kSynopsis, kDescription below).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "addin_calls.h"
#include "addin_loader.h"
#include "emulated_excel.h"
#include "input_files.h"
#include "registry.h"
#include "sheet_eval.h"

#ifdef _WIN32
#include <windows.h>

#include "automation_server.h"
#endif

namespace {

// What the exit code says.
enum ExitCode {
    kExitDone = 0,          // the run ended and the ledger balanced
    kExitFault = 1,         // the ledger found problems, or the automation model did not start
    kExitUsage = 2,         // the command line is wrong
    kExitBadFile = 3,       // a file cannot be used: missing, a folder, a sheet error, a sheet too large
    kExitNotLoadable = 4,   // the add-in cannot be loaded here, or is no add-in
};

#if !defined(_WIN32)
#define XLHOST_ADDIN_EXAMPLE "build/native/bin/MEZURA32.so (this native host loads Linux modules)"
#elif defined(_WIN64)
#define XLHOST_ADDIN_EXAMPLE "MEZURA64.xll (this 64-bit host loads 64-bit add-ins)"
#else
#define XLHOST_ADDIN_EXAMPLE "MEZURA32.xll (this 32-bit host loads 32-bit add-ins)"
#endif

const char kSynopsis[] =
    "usage: xlhost [--version TEXT] [--threads N] [--serve READY STOP] ADDIN [SHEET]\n"
    "       xlhost --help-topics ADDIN\n"
    "       xlhost --help\n";
const char kDescription[] =
    "\n"
    "Loads the add-in ADDIN into an emulated Excel, as Excel loads it. With SHEET it opens the\n"
    "add-in (xlAutoOpen), writes the sheet's cells and calculates its formulas through the\n"
    "add-in's registered functions, closes it (xlAutoClose) and prints the grid. Without SHEET it\n"
    "prints the entry points the add-in exports. Last comes the ledger: every block the host\n"
    "handed the add-in and got back, every block the add-in handed the host to free.\n"
    "\n"
    "  ADDIN   the add-in, e.g. " XLHOST_ADDIN_EXAMPLE "\n"
    "  SHEET   one cell or spill range per line, e.g.  C1:D1 = CvtLength(12, \"inches\", \"feet\")\n"
    "          (examples/demo.sheet; the format is described in xlhost/sheet_file.h)\n"
    "\n"
    "  --version TEXT      the Excel version the host reports (default 5.0); with 8.0 the host also\n"
    "                      offers its automation model (Windows); from 12.0 on it also offers\n"
    "                      Excel12 (the program exports MdCallBack12), as Excel 2007 and later do\n"
    "  --threads N         recalculation threads for the cells of thread-safe functions (1 to 1024;\n"
    "                      default the number of cores); other cells are calculated on the main\n"
    "                      thread. Only functions registered through Excel12 can be thread-safe\n"
    "  --help-topics       print the help topic of every function the add-in registers and of every\n"
    "                      item it adds to the Help menu, one per line: TOPIC NAME\n"
    "  --serve READY STOP  (Windows) open the add-in, set the event READY and answer automation\n"
    "                      calls until the event STOP is set: a second copy of the host for tests\n"
    "  --help              print this text\n"
    "\n"
    "Exit codes: 0 done, the ledger balanced; 1 the ledger found problems (or the automation model\n"
    "did not start); 2 the command line is wrong; 3 a file cannot be used (no such file, a folder,\n"
    "an error in the sheet, a sheet too large to show); 4 the add-in cannot be loaded by this\n"
    "host, or exports no xlAutoOpen.\n";

struct Options {
    bool help = false;
    bool helpTopics = false;
    const char* version = nullptr;
    unsigned threads = 0;  // 0: one per core
    const char* serve[2] = {nullptr, nullptr};
    std::vector<const char*> files;  // ADDIN [SHEET]
};

// Every option: its name, how many values follow it, and where they go.
struct OptionRule {
    const char* name;
    int values;
    void (*take)(Options* options, char** values);
};
const OptionRule kOptionRules[] = {
    {"--help", 0, [](Options* options, char**) { options->help = true; }},
    {"-h", 0, [](Options* options, char**) { options->help = true; }},
    {"--version", 1, [](Options* options, char** values) { options->version = values[0]; }},
    {"--help-topics", 0, [](Options* options, char**) { options->helpTopics = true; }},
    {"--threads", 1, [](Options* options, char** values) {
         char* end = nullptr;
         long threads = std::strtol(values[0], &end, 10);
         // Excel takes 1 to 1024; anything else is refused below as a wrong command line.
         options->threads = *end == 0 && threads >= 1 && threads <= 1024 ? unsigned(threads) : ~0u;
     }},
    {"--serve", 2, [](Options* options, char** values) {
         options->serve[0] = values[0];
         options->serve[1] = values[1];
     }},
};

// Reads the command line; false with `error` when it is wrong.
bool ParseCommandLine(int argc, char** argv, Options* options, std::string* error) {
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] != '-' || std::strcmp(argv[i], "-") == 0) {
            options->files.push_back(argv[i]);
            continue;
        }
        const OptionRule* rule = nullptr;
        for (const OptionRule& candidate : kOptionRules)
            if (std::strcmp(argv[i], candidate.name) == 0) rule = &candidate;
        if (!rule) {
            *error = std::string("unknown option ") + argv[i];
            return false;
        }
        if (argc - 1 - i < rule->values) {
            *error = std::string(rule->name) + " needs " + (rule->values == 1 ? "a value" : "two values");
            return false;
        }
        rule->take(options, argv + i + 1);
        i += rule->values;
    }
    if (options->help) return true;
    if (options->threads == ~0u) {
        *error = "--threads needs a number from 1 to 1024";
        return false;
    }
    size_t most = options->helpTopics ? 1 : 2;
    if (options->files.empty()) *error = "the add-in to load is missing";
    else if (options->files.size() > most) *error = std::string("one file too many: ") + options->files[most];
    return error->empty();
}

// The sheet's entries, or the exit code that ends the run.
int ReadSheetFile(const char* path, std::vector<xlhost::SheetEntry>* entries) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    std::string error;
    if (!file) error = "cannot be read";
    else if (xlhost::ParseSheet(text.str(), entries, &error) && xlhost::CheckGridSize(*entries, &error))
        return kExitDone;
    std::fprintf(stderr, "xlhost: %s: %s\n", path, error.c_str());
    return kExitBadFile;
}

void PrintNewAlerts(size_t* shown) {
    const auto& alerts = xlhost::Alerts();
    for (; *shown < alerts.size(); ++*shown) std::printf("Alert: %s\n", alerts[*shown].c_str());
}

// "2 commands (A, B)": a count, its noun, and the names when there are any.
std::string Counted(const std::vector<std::string>& names, const char* one, const char* many) {
    std::string text = std::to_string(names.size()) + " " + (names.size() == 1 ? one : many);
    for (size_t i = 0; i < names.size(); ++i) text += (i ? ", " : " (") + names[i];
    return names.empty() ? text : text + ")";
}

// The live registrations by kind: worksheet functions, commands (macro type 2) and those that
// define no name (the add-in's instance check registers one to stay loaded).
void PrintRegistrations(int opened) {
    constexpr size_t kMacroTypeArgument = 5;  // module, procedure, type, name, arguments, macro type
    size_t functions = 0;
    std::vector<std::string> commands, unnamed;
    auto live = xlhost::LiveRegistrations();
    for (const xlhost::Registration& registration : live) {
        if (registration.functionText.empty()) unnamed.push_back(registration.procedure);
        else if (registration.arguments.size() > kMacroTypeArgument &&
                 xlhost::FormatCell(registration.arguments[kMacroTypeArgument]) == "2")
            commands.push_back(registration.functionText);
        else ++functions;
    }
    std::printf("xlAutoOpen: %d, %u registrations: %u worksheet functions, %s, %s\n", opened, unsigned(live.size()),
                unsigned(functions), Counted(commands, "command", "commands").c_str(),
                Counted(unnamed, "without a name", "without a name").c_str());
}

void RunSheet(const xlhost::LoadedAddin& addin, const std::vector<xlhost::SheetEntry>& entries, unsigned threads) {
    size_t alertsShown = 0;
    int opened = xlhost::OpenAddin(addin);
    PrintRegistrations(opened);
    PrintNewAlerts(&alertsShown);
    xlhost::Recalculation done = xlhost::EvaluateSheet(addin, entries, threads);
    // Only a host from version 12 has recalculation threads to speak of.
    if (xlhost::HostMajorVersion() >= 12)
        std::printf("Recalculated on %u thread%s: %u thread-safe formulas, %u on the main thread\n", done.threads,
                    done.threads == 1 ? "" : "s", unsigned(done.threadSafe), unsigned(done.onMainThread));
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
    Options options;
    std::string error;
    if (!ParseCommandLine(argc, argv, &options, &error)) {
        std::fprintf(stderr, "xlhost: %s\n%s", error.c_str(), kSynopsis);
        return kExitUsage;
    }
    if (options.help) {
        std::printf("%s%s", kSynopsis, kDescription);
        return kExitDone;
    }
    const char* addinPath = options.files[0];
    const char* sheetPath = options.files.size() == 2 ? options.files[1] : nullptr;
    for (const char* path : {addinPath, sheetPath}) {
        std::string problem = path ? xlhost::FileProblem(path) : "";
        if (!problem.empty()) {
            std::fprintf(stderr, "xlhost: %s: %s\n", path, problem.c_str());
            return kExitBadFile;
        }
    }
    std::string problem = xlhost::ModuleProblem(addinPath);
    if (!problem.empty()) {
        std::fprintf(stderr, "xlhost: %s %s\n", addinPath, problem.c_str());
        return kExitNotLoadable;
    }
    std::vector<xlhost::SheetEntry> entries;
    if (sheetPath) {
        if (int code = ReadSheetFile(sheetPath, &entries)) return code;
    }
    xlhost::StartEmulatedExcel();
    if (options.version) xlhost::SetHostVersion(options.version);
#ifdef _WIN32
    bool serving = options.version && std::strcmp(options.version, "8.0") == 0;
    if (serving && !xlhost::StartAutomationServer(&error)) {
        std::fprintf(stderr, "xlhost: no automation model: %s\n", error.c_str());
        return kExitFault;
    }
#endif
    xlhost::LoadedAddin addin;
    if (!xlhost::LoadAddin(addinPath, &addin, &error)) {
        std::fprintf(stderr, "xlhost: cannot load %s: %s\n", addinPath, error.c_str());
        return kExitNotLoadable;
    }
    // Excel opens an add-in through xlAutoOpen; a module without it registers nothing.
    if (!xlhost::FindExport(addin, "xlAutoOpen")) {
        std::fprintf(stderr, "xlhost: %s is not an Excel add-in: it exports no xlAutoOpen\n", addinPath);
        xlhost::UnloadAddin(&addin);
        return kExitNotLoadable;
    }
    if (!options.helpTopics) std::printf("Loaded add-in: %s\n", addin.path.c_str());
#ifdef _WIN32
    if (options.serve[0]) Serve(addin, options.serve[0], options.serve[1]);
#endif
    if (options.helpTopics) {
        PrintHelpTopics(addin);
    } else if (sheetPath) {
        unsigned threads = options.threads ? options.threads : std::thread::hardware_concurrency();
        RunSheet(addin, entries, threads ? threads : 1);
#ifdef _WIN32
        if (serving) std::printf("Cells read through the automation model: %u\n", unsigned(xlhost::ValueReads()));
#endif
    } else if (!options.serve[0]) {
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
    return problems.empty() ? kExitDone : kExitFault;
}
