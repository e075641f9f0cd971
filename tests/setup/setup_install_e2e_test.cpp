// The real SETUP.EXE end to end under Wine: a distribution in a directory of its own, the
// stand-in Excel registered for ".xls", the scripted Program Manager recording, and the robot
// answering WELCOME and every message box from this process.
#ifdef _WIN32
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "addin_loader.h"
#include "xlhost/emulated_excel_fixture.h"
#include "peers/setup_robot.h"
#include "setup/program/setup_state.h"
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

const std::vector<std::string> kScript = {
    "[Application]", "AppName=Mezura", "AppCode=MEZ", "DefDir=MEZURA", "SpaceNeeded=100",
    "DefPMGroup=MEZURA.GRP,Mezura", "[Files]", "MEZURA32.XLL, MEZURA32.XLL, Mezura add-in", "[PM Info]",
    "%E, Excel", "%AMEZURA32.XLL, Mezura add-in", "[INI Entries]", "AddIn, MEZURA32.XLL", "Version, 1.0", "[End]",
};

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
        CopyFileA(xlhost::BesideProgram("excel_peer.exe").c_str(), Excel().c_str(), FALSE);
    }
    ~InstallE2eTest() override {
        if (previousInstall_.empty()) ForgetDestination();
        else WriteProfileStringA("CORVANE", "Install", previousInstall_.c_str());
    }

    std::string Excel() const { return root_ / "XL\\EXCEL.EXE"; }

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
        CopyFileA(xlhost::BesideProgram("SETUP.EXE").c_str(), (distDir / "SETUP.EXE").c_str(), FALSE);
        CopyFileA(AddinModulePath().c_str(), (distDir / "MEZURA32.XLL").c_str(), FALSE);
        WriteWholeFile(distDir / "SETUP.INF", ScriptText(row.script));
        const std::string log = root_ / "PROGMAN.LOG", excelLog = root_ / "XL\\EXCEL.LOG";
        DeleteFileA(log.c_str());
        DeleteFileA(excelLog.c_str());
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
    };
    for (const Install& row : rows) {
        const std::string dist = Fill(row.dist, "");
        const Outcome outcome = Run(row);
        const UINT last = row.messages.empty() ? 0 : row.messages.back();
        const bool installed = last == 1011 || last == 1012 || last == 1031;
        EXPECT_EQ(!outcome.remembered.empty(), installed) << row.what << ": Install is written after the copy";
        EXPECT_EQ(outcome.excelStarted, last == 1011) << row.what;
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

}  // namespace
#endif
