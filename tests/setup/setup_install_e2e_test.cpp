// The real SETUP.EXE end to end under Wine: a distribution in a directory of its own, the
// stand-in Excel registered for ".xls", the scripted Program Manager recording, and the robot
// answering WELCOME and every message box from this process.
#ifdef _WIN32
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "addin_loader.h"
#include "xlhost/emulated_excel_fixture.h"
#include "peers/setup_robot.h"
#include "setup/program/setup_state.h"
#include "setup/program/uninstall.h"
#include "setup_fixture.h"
#include "setup_install_fixture.h"

namespace {

// The scripted Program Manager in a process of its own, serving while the object lives.
class ProgramManagerPeer {
public:
    ProgramManagerPeer(const std::string& log, const std::string& mode) {
        ResetEvent(ready_);
        ResetEvent(stop_);
        std::string commandLine = "progman_peer.exe \"" + log + "\" " + mode;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        const std::string program = xlhost::BesideProgram("progman_peer.exe");
        if (CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                           &process_)) {
            serving_ = WaitForSingleObject(ready_, 20000) == WAIT_OBJECT_0;
        }
    }
    ~ProgramManagerPeer() {
        SetEvent(stop_);
        if (process_.hProcess) {
            WaitForSingleObject(process_.hProcess, 20000);
            CloseHandle(process_.hThread);
            CloseHandle(process_.hProcess);
        }
        CloseHandle(ready_);
        CloseHandle(stop_);
    }
    ProgramManagerPeer(const ProgramManagerPeer&) = delete;
    ProgramManagerPeer& operator=(const ProgramManagerPeer&) = delete;
    bool serving() const { return serving_; }

private:
    HANDLE ready_ = CreateEventA(nullptr, TRUE, FALSE, "MezuraProgmanReady");
    HANDLE stop_ = CreateEventA(nullptr, TRUE, FALSE, "MezuraProgmanStop");
    PROCESS_INFORMATION process_{};
    bool serving_ = false;
};

// Where the stand-ins' versions keep their add-ins (the tests' prefix has no other Excel).
const std::string kExcel8 = "Software\\Microsoft\\Office\\8.0\\Excel\\Microsoft Excel";
const std::string kExcel15 = "Software\\Microsoft\\Office\\15.0\\Excel\\Options";
const std::string kExcel16 = "Software\\Microsoft\\Office\\16.0\\Excel\\Options";
const std::string kExcelKeys[] = {kExcel8, kExcel15, kExcel16};
// The stand-in Excel 16.0 that runs in this prefix: the tests' own bitness.
const std::string kOwnExcel16 = sizeof(void*) == 8 ? "excel64_16.exe" : "excel32_16.exe";
const std::string kOwnAddIn = sizeof(void*) == 8 ? "MEZURA64.XLL" : "MEZURA32.XLL";

const std::vector<std::string> kScript = {
    "[Application]", "AppName=Mezura", "AppCode=MEZ", "DefDir=MEZURA", "SpaceNeeded=100",
    "DefPMGroup=MEZURA.GRP,Mezura", "[Files]", "MEZURA32.XLL, MEZURA32.XLL, Mezura add-in", "[PM Info]",
    "%E, Excel", "%AMEZURA32.XLL, Mezura add-in", "[INI Entries]", "AddIn, MEZURA32.XLL", "Version, 1.0", "[End]",
};

// The script with the add-in for 64-bit Excel as well.
std::vector<std::string> BothAddIns() {
    std::vector<std::string> script = kScript;
    script.insert(std::find(script.begin(), script.end(), "[PM Info]"),
                  "MEZURA64.XLL, MEZURA64.XLL, Mezura add-in for 64-bit Excel");
    return script;
}

std::vector<std::string> Replaced(std::vector<std::string> script, const std::string& from, const std::string& to) {
    for (std::string& line : script)
        if (line == from) line = to;
    return script;
}

std::string Upper(std::string text) {
    CharUpperA(&text[0]);
    return text;
}

// One installation: placeholders "<root>" (the scratch directory), "<excel>" (the stand-in
// Excel's path), "<dist>" (the distribution) and "<DIST>" (the distribution as WELCOME hands it
// back: upper case, with its backslash) in texts are replaced before use.
struct Install {
    const char* what = "";
    std::string openCommand{};  // empty: no ".xls" class
    std::vector<std::string> script = kScript;
    std::string dist = "<root>\\DIST";
    std::string programManager{};  // "absent", "refuse-additem" or empty (acknowledges all)
    std::vector<WelcomeAnswer> welcomes = {{}};
    std::vector<UINT> messages = {1011};
    int commandCount = -1;     // Program Manager commands received, when not -1
    std::string excelLine{};   // Excel's command line, when not empty
    std::string standIn = "excel_peer.exe";  // the stand-in Excel copied as <excel>
};

// What an installation left behind.
struct Outcome {
    SetupRun run;
    std::vector<UINT> ids;
    std::vector<std::string> commands;
    std::string excelLine;  // "" when Excel was not started
    bool excelStarted = false;
    std::string remembered;
};

class InstallE2eTest : public InstallerTest {
protected:
    InstallE2eTest() {
        previousInstall_ = RememberedDestination();
        ForgetDestination();  // the default destination is Excel's directory and DefDir
        CreateDirectoryA((root_ / "XL").c_str(), nullptr);
    }
    ~InstallE2eTest() override {
        if (previousInstall_.empty()) ForgetDestination();
        else WriteProfileStringA("CORVANE", "Install", previousInstall_.c_str());
        for (const std::string& key : kExcelKeys) RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
    }

    std::string Excel() const { return root_ / "XL\\EXCEL.EXE"; }

    // SETUP.EXE, `script` and both add-ins (the one built here under either name: only the
    // names matter to the installer) in `dist`.
    static void MakeDistribution(const ScratchDir& dist, const std::vector<std::string>& script) {
        CopyFileA(xlhost::BesideProgram("SETUP.EXE").c_str(), (dist / "SETUP.EXE").c_str(), FALSE);
        for (const char* addIn : {"MEZURA32.XLL", "MEZURA64.XLL"})
            CopyFileA(AddinModulePath().c_str(), (dist / addIn).c_str(), FALSE);
        WriteWholeFile(dist / "SETUP.INF", ScriptText(script));
    }

    // Runs `program` with `arguments` from the scratch directory and waits for its end: its
    // exit code, or -1 when it did not end within a minute (it is then ended).
    int RunProgram(const std::string& program, const std::string& arguments, HANDLE* keep = nullptr) const {
        std::string commandLine = "\"" + program + "\" " + arguments;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, root_.path().c_str(),
                            &startup, &process))
            return -2;
        CloseHandle(process.hThread);
        if (keep) {  // left running for the caller
            *keep = process.hProcess;
            return 0;
        }
        DWORD code = DWORD(-1);
        if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
        else TerminateProcess(process.hProcess, code);
        CloseHandle(process.hProcess);
        return int(code);
    }

    std::string Fill(std::string text, const std::string& dist) const {
        std::string shownDist = dist + "\\";
        CharUpperA(&shownDist[0]);
        for (auto [from, to] : {std::pair<std::string, std::string>{"<dist>", dist}, {"<DIST>", shownDist},
                                {"<root>", root_.path()}, {"<excel>", Excel()}}) {
            for (size_t at; (at = text.find(from)) != std::string::npos;) text.replace(at, from.size(), to);
        }
        return text;
    }

    Outcome Run(const Install& row) {
        const std::string dist = Fill(row.dist, "");
        ScratchDir distDir(dist);
        MakeDistribution(distDir, row.script);
        const std::string log = root_ / "PROGMAN.LOG", excelLog = root_ / "XL\\EXCEL.LOG";
        DeleteFileA(log.c_str());
        DeleteFileA(excelLog.c_str());
        CopyFileA(xlhost::BesideProgram(row.standIn).c_str(), Excel().c_str(), FALSE);
        XlsRegistration xls(row.openCommand.empty() ? "" : "Mezura.E2eSheet", Fill(row.openCommand, dist));
        std::deque<WelcomeAnswer> answers;
        for (WelcomeAnswer answer : row.welcomes) {
            answer.dest = Fill(answer.dest, dist);
            answer.source = Fill(answer.source, dist);
            answers.push_back(answer);
        }
        Outcome outcome;
        {
            std::unique_ptr<ProgramManagerPeer> peer;
            if (row.programManager != "absent") {
                peer = std::make_unique<ProgramManagerPeer>(log, row.programManager);
                EXPECT_TRUE(peer->serving()) << row.what;
            }
            outcome.run = DriveSetup(distDir / "SETUP.EXE", root_.path(), answers);
        }
        for (const SetupRun::Message& message : outcome.run.messages) {
            outcome.ids.push_back(MessageIdOf(g_instance, message.text));
            EXPECT_EQ(message.caption, "Corvane") << row.what;
        }
        outcome.commands = ReadLines(log);
        outcome.excelStarted = FileExists(excelLog);
        outcome.excelLine = ReadWholeFile(excelLog);
        outcome.remembered = RememberedDestination();
        EXPECT_TRUE(outcome.run.finished) << row.what;
        EXPECT_EQ(outcome.run.exitCode, 0u) << row.what;
        EXPECT_EQ(outcome.ids, row.messages) << row.what;
        return outcome;
    }

    ScratchDir root_{"mezura_e2e"};
    std::string previousInstall_;
};

TEST_F(InstallE2eTest, TheHappyPathInstallsWritesGroupsAndStartsExcel) {
    const Outcome outcome = Run({"happy path", "\"<excel>\" \"%1\""});
    const std::string dest = Upper(root_ / "XL\\MEZURA"), dist = Upper(root_ / "DIST\\");
    ASSERT_EQ(outcome.run.welcomes.size(), 1u);
    EXPECT_EQ(outcome.run.welcomes[0].dest, dest) << "Excel's directory and DefDir";
    EXPECT_EQ(outcome.run.welcomes[0].source, dist) << "the program's own directory";
    EXPECT_TRUE(FileExists(dest + "\\MEZURA32.XLL"));
    EXPECT_EQ(ReadLines(dest + "\\CORVANE.INI"),
              (std::vector<std::string>{"[MEZ]", "AddIn=MEZURA32.XLL", "Version=1.0", "Name=Mezura"}));
    EXPECT_EQ(outcome.remembered, dest);
    const std::vector<std::string> commands = {
        "[CreateGroup(Mezura,MEZURA.GRP)]",   "[ReplaceItem(Excel)]",
        "[AddItem(" + Excel() + ",Excel)]",   "[ReplaceItem(Mezura add-in)]",
        "[AddItem(" + dest + "\\MEZURA32.XLL,Mezura add-in)]",
    };
    EXPECT_EQ(outcome.commands, commands);
    EXPECT_EQ(outcome.excelLine, Excel() + " " + dist + "install.xls") << "the quoted \"%1\" is gone";
    ASSERT_EQ(outcome.run.messages.size(), 1u);
    EXPECT_EQ(outcome.run.messages[0].text,
              "Setup has installed the software successfully\nand added the application(s) to the Program Manager.");
}

TEST_F(InstallE2eTest, EveryOutcomeEndsWithItsMessageAndExitCode0) {
    const WelcomeAnswer cancel{"", "", true};
    const std::string noItems = "; no items", root = "<root>\\DIST";
    const std::vector<std::string> withoutItems =
        Replaced(Replaced(kScript, "%E, Excel", noItems), "%AMEZURA32.XLL, Mezura add-in", noItems);
    const std::vector<std::string> withAddIns = BothAddIns();
    const Install rows[] = {
        {"no .xls class", "", kScript, root, "", {{}}, {1029}, 0},
        {"an unquoted command keeps its argument", "<excel> /e", kScript, root, "", {{}}, {1011}, 5,
         "<excel> /e <DIST>install.xls"},
        {"Cancel in WELCOME", "\"<excel>\"", kScript, root, "", {cancel}, {}, 0},
        {"SpaceNeeded too large", "\"<excel>\"", Replaced(kScript, "SpaceNeeded=100", "SpaceNeeded=-1"), root, "",
         {{}, cancel}, {1005}, 0},
        {"a missing parent, then another destination", "\"<excel>\"", kScript, root, "",
         {{"<root>\\NO\\SUCH", "", false}, {"<root>\\OTHER", "", false}}, {1006, 1011}, 5},
        {"conflicts with C:\\SETUP\\", "\"<excel>\"", kScript, "C:\\SETUP", "",
         {{"C:\\SETUP", "", false}, {"c:\\setup\\sub", "", false}, {"C:\\SETUPX", "", false}, {"C:\\SET", "", false}},
         {1028, 1028, 1028, 1011}, 5},
        {"no Program Manager", "\"<excel>\"", kScript, root, "absent", {{}}, {1012}, 0},
        {"AddItem refused", "\"<excel>\"", kScript, root, "refuse-additem", {{}}, {1012}, 3},
        {"a lower-case macro", "\"<excel>\"", Replaced(kScript, "%E, Excel", "%e, Excel"), root, "", {{}}, {1012}, 1},
        {"a trailing percent", "\"<excel>\"", Replaced(kScript, "%E, Excel", "RUN 100%, Excel"), root, "", {{}},
         {1012}, 1},
        {"a percent sign in the destination", "\"<excel>\"", kScript, root, "", {{"<root>\\P%X", "", false}},
         {1012}, 3},
        {"DefPMGroup without items", "\"<excel>\"", withoutItems, root, "", {{}}, {1011}, 0},
        {"a source directory with blanks", "\"<excel>\"", Replaced(kScript, "SpaceNeeded=100", "SpaceNeeded=0"),
         "<root>\\MEZURA DISK", "", {{}}, {1011}, 5, "<excel> <DIST>install.xls"},
        {"Excel cannot be started", "\"<root>\\GONE\\EXCEL.EXE\" \"%1\"", withoutItems, root, "",
         {{"<root>\\OUT", "", false}}, {1031}, 0},
        {"an Excel 16.0 gets its add-in", "\"<excel>\" \"%1\"", withAddIns, root, "", {{}}, {1033}, 5, "", kOwnExcel16},
    };
    for (const Install& row : rows) {
        const std::string dist = Fill(row.dist, "");
        const Outcome outcome = Run(row);
        const UINT last = row.messages.empty() ? 0 : row.messages.back();
        const bool installed = last == 1011 || last == 1012 || last == 1031 || last == 1033;
        EXPECT_EQ(!outcome.remembered.empty(), installed) << row.what << ": Install is written after the copy";
        EXPECT_EQ(outcome.excelStarted, last == 1011 || last == 1033) << row.what;
        if (last == 1033) {
            const std::string& text = outcome.run.messages.back().text;
            EXPECT_EQ(text.substr(text.rfind('\n') + 1),
                      kOwnAddIn + " was added to Excel 16.0 (" + std::to_string(sizeof(void*) * 8) +
                          "-bit).")
                << row.what;
        }
        if (row.commandCount >= 0) {
            EXPECT_EQ(int(outcome.commands.size()), row.commandCount) << row.what;
        }
        if (!row.excelLine.empty()) {
            EXPECT_EQ(outcome.excelLine, Fill(row.excelLine, dist)) << row.what;
        }
        if (row.openCommand.empty()) {
            EXPECT_TRUE(outcome.run.welcomes.empty()) << row.what << ": 1029 comes before anything else";
        }
        if (last == 1011 && row.messages.size() == 2) {  // a check failed, then WELCOME again
            ASSERT_EQ(outcome.run.welcomes.size(), 2u) << row.what;
            EXPECT_EQ(outcome.run.welcomes[1].dest, Upper(Fill(row.welcomes[0].dest, dist))) << row.what << ": kept";
        }
        RemoveTree("C:\\SET");  // where the conflict row installs
        ForgetDestination();
    }
}

// Silent installations with the stand-in Excel as each bitness and version: the add-in for it
// among its OPEN entries beside a foreign one, the same after a second installation, and a
// silent removal that takes everything of ours and nothing else (a file of the user's keeps the
// folder; without one the folder goes).
TEST_F(InstallE2eTest, SilentRunsAddTheFittingAddInAndTheRemovalLeavesNothingOfOurs) {
    ScratchDir dist(root_ / "DIST");
    MakeDistribution(dist, BothAddIns());
    const std::string dest = root_ / "MY MEZURA", log = root_ / "SETUP.LOG", programManagerLog = root_ / "PROGMAN.LOG";
    XlsRegistration xls("Mezura.E2eSheet", "\"" + Excel() + "\" \"%1\"");
    ProgramManagerPeer peer(programManagerLog, "");
    ASSERT_TRUE(peer.serving());
    const RegistryValues foreign = {{"OPEN", "/R \"C:\\OTHER\\ANALYSIS.XLL\""}};
    const struct {
        const char* standIn;
        std::string key;  // empty: nothing can be chosen
        const char* addIn;
        int code;
    } rows[] = {
        {"excel32_8.exe", kExcel8, "MEZURA32.XLL", 0},
        {"excel64_8.exe", kExcel8, "MEZURA64.XLL", 0},
        {"excel32_16.exe", kExcel16, "MEZURA32.XLL", 0},
        {"excel64_16.exe", kExcel16, "MEZURA64.XLL", 0},
        {"excel64_15u.exe", kExcel15, "MEZURA64.XLL", 0},  // its version in binary form only
        {"excel_peer.exe", "", "", 13},                    // no version: install.xls as before
    };
    for (const auto& row : rows) {
        CopyFileA(xlhost::BesideProgram(row.standIn).c_str(), Excel().c_str(), FALSE);
        RegistryValues added = foreign;
        if (!row.key.empty()) {
            WriteRegistryValues(row.key, foreign);
            added["OPEN1"] = "/R \"" + dest + "\\" + row.addIn + "\"";
        }
        for (int pass = 1; pass <= 2; ++pass) {  // a second installation writes nothing twice
            EXPECT_EQ(RunProgram(dist / "SETUP.EXE", "/q \"/D=" + dest + "\" /L=" + log), row.code) << row.standIn;
            if (!row.key.empty()) { EXPECT_EQ(ReadRegistryValues(row.key), added) << row.standIn << " pass " << pass; }
        }
        const std::vector<std::string> lines = ReadLines(log);
        EXPECT_EQ(lines.back(), "Exit code " + std::to_string(row.code)) << row.standIn;
        EXPECT_EQ(ReadRegistryValues(kUninstallKey)["UninstallString"], "\"" + dest + "\\SETUP.EXE\" /U") << row.standIn;
        const bool userFile = !row.key.empty();
        if (userFile) WriteWholeFile(dest + "\\NOTES.TXT", "mine");

        EXPECT_EQ(RunProgram(dest + "\\SETUP.EXE", "/U /Q /L=" + log), 0) << row.standIn;
        EXPECT_EQ(ReadLines(log).back(), "Exit code 0") << row.standIn;
        if (!row.key.empty()) { EXPECT_EQ(ReadRegistryValues(row.key), foreign) << row.standIn; }
        EXPECT_EQ(FileExists(dest), userFile) << row.standIn;
        EXPECT_EQ(FileExists(dest + "\\NOTES.TXT"), userFile) << row.standIn;
        for (const char* ours : {"MEZURA32.XLL", "MEZURA64.XLL", "CORVANE.INI", "SETUP.EXE", "SETUP.INF"})
            EXPECT_FALSE(FileExists(dest + "\\" + ours)) << row.standIn << ": " << ours;
        EXPECT_EQ(RememberedDestination(), "") << row.standIn;
        EXPECT_TRUE(ReadRegistryValues(kUninstallKey).empty()) << row.standIn;
        RemoveTree(dest);
    }
    const std::vector<std::string> commands = ReadLines(programManagerLog);
    EXPECT_EQ(std::count(commands.begin(), commands.end(), "[DeleteGroup(Mezura)]"), 6);
}

// An Excel left open would undo the step when it closes: a silent installation leaves its
// settings alone and says so in its exit code and log.
TEST_F(InstallE2eTest, ARunningExcelIsDetectedAndItsSettingsAreLeftAlone) {
    ScratchDir dist(root_ / "DIST");
    MakeDistribution(dist, BothAddIns());
    XlsRegistration xls("Mezura.E2eSheet", "\"" + Excel() + "\" \"%1\"");
    ProgramManagerPeer peer(root_ / "PROGMAN.LOG", "");
    CopyFileA(xlhost::BesideProgram(kOwnExcel16).c_str(), Excel().c_str(), FALSE);
    HANDLE excel = nullptr;
    ASSERT_EQ(RunProgram(Excel(), "/stay", &excel), 0);
    for (int i = 0; i < 500 && !FileExists(root_ / "XL\\EXCEL.LOG"); ++i) Sleep(20);
    const std::string log = root_ / "SETUP.LOG";
    EXPECT_EQ(RunProgram(dist / "SETUP.EXE", "/Q \"/D=" + (root_ / "MEZ") + "\" /L=" + log), 12);
    TerminateProcess(excel, 0);
    WaitForSingleObject(excel, 5000);
    CloseHandle(excel);
    const std::vector<std::string> lines = ReadLines(log);
    EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                           [](const std::string& line) { return line.rfind("Message 1035: ", 0) == 0; }),
              lines.end());
    EXPECT_TRUE(ReadRegistryValues(kExcel16).empty());
}

}  // namespace
#endif
