// The installation sequence in this process: the real dialogs driven by the robot, the real
// version library and INI files, and the registry, profile, disk, DDE and WinExec scripted
// through the seam; each row one way through the steps, ending in its messages.
#ifdef _WIN32
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "addin_loader.h"
#include "peers/setup_robot.h"
#include "setup/program/excel_addins.h"
#include "setup/program/exit_codes.h"
#include "setup/program/main_sequence.h"
#include "setup/program/setup_state.h"
#include "setup/program/setup_syscalls.h"
#include "setup/script/setup_script.h"
#include "setup_fixture.h"
#include "setup_install_fixture.h"

namespace {

// The disk, DDE registration and profile as the scripted platform answers them.
struct Platform {
    BOOL diskOk = TRUE;
    DWORD freeClusters = 1 << 20;  // 4 GiB in 4 KB clusters
    UINT ddeInitResult = DMLERR_NO_ERROR;
    int ddeInits = 0, ddeUninits = 0;
    DWORD uninitInstance = 0;
    std::string profileInstall;
    HWND statusSeen = nullptr;  // the STATUS window while it existed
};
Platform g_platform;
const DWORD kDdeInstance = 0x77;

BOOL WINAPI FakeDiskFreeSpace(LPCSTR, LPDWORD sectors, LPDWORD bytes, LPDWORD freeClusters, LPDWORD clusters) {
    g_platform.statusSeen = g_statusWindow;
    *sectors = 8;
    *bytes = 512;
    *freeClusters = *clusters = g_platform.freeClusters;
    return g_platform.diskOk;
}
UINT WINAPI FakeDdeInitialize(LPDWORD instance, PFNCALLBACK callback, DWORD command, DWORD) {
    ++g_platform.ddeInits;
    // A client only, whose callback answers nothing.
    EXPECT_EQ(command, DWORD(APPCMD_CLIENTONLY));
    EXPECT_EQ(callback(XTYP_EXECUTE, CF_TEXT, nullptr, nullptr, nullptr, nullptr, 0, 0), nullptr);
    if (g_platform.ddeInitResult == DMLERR_NO_ERROR) *instance = kDdeInstance;
    return g_platform.ddeInitResult;
}
BOOL WINAPI FakeDdeUninitialize(DWORD instance) {
    ++g_platform.ddeUninits;
    g_platform.uninitInstance = instance;
    return TRUE;
}
DWORD WINAPI FakeGetProfile(LPCSTR, LPCSTR, LPCSTR, LPSTR out, DWORD size) {
    g_platform.statusSeen = g_statusWindow;  // the default destination is read once STATUS exists
    lstrcpynA(out, g_platform.profileInstall.c_str(), int(size));
    return DWORD(lstrlenA(out));
}
BOOL WINAPI FakeWriteProfile(LPCSTR section, LPCSTR key, LPCSTR value) {
    if (std::string(section) == "CORVANE" && key && std::string(key) == "Install")
        g_platform.profileInstall = value ? value : "";
    return TRUE;
}
// The copies of SETUP.EXE and SETUP.INF for the removal: this test program is far too big to
// copy each time, so they are only answered.
BOOL g_copyResult = TRUE;
BOOL WINAPI FakeCopyFile(LPCSTR, LPCSTR, BOOL) { return g_copyResult; }

const std::vector<std::string> kScript = {
    "[Application]",        "AppName=Mezura", "AppCode=MEZ", "DefDir=MEZURA", "SpaceNeeded=100",
    "DefPMGroup=MEZURA.GRP,Mezura", "[Files]", "MEZ.DLL, MEZ.DLL, The add-in", "[PM Info]",
    "%E %AMEZ.DLL, Mezura in Excel", "[INI Entries]", "AddIn, MEZ.DLL", "[End]",
};

// One way through the installation.
struct Scenario {
    const char* what;
    std::map<std::string, std::string> registry;
    std::vector<std::string> script;     // empty: no SETUP.INF
    std::deque<WelcomeAnswer> welcomes;  // "<dest>" stands for the scratch destination
    std::vector<UINT> messages;
    Platform platform;
    bool connects = true;
    int refuseCommand = -1;
    UINT execResult = 33;
};

class SequenceTest : public InstallerTest {
protected:
    SequenceTest() {
        syscalls_.Use(&SetupSyscalls::RegQueryValueA, FakeRegQueryValue)
            .Use(&SetupSyscalls::GetDiskFreeSpaceA, FakeDiskFreeSpace)
            .Use(&SetupSyscalls::DdeInitializeA, FakeDdeInitialize)
            .Use(&SetupSyscalls::DdeUninitialize, FakeDdeUninitialize)
            .Use(&SetupSyscalls::GetProfileStringA, FakeGetProfile)
            .Use(&SetupSyscalls::WriteProfileStringA, FakeWriteProfile)
            .Use(&SetupSyscalls::WinExec, FakeWinExec)
            .Use(&SetupSyscalls::CopyFileA, FakeCopyFile);
        UseFakeProgramManager(syscalls_);
        g_copyResult = TRUE;
    }
    ~SequenceTest() override { ForgetDestination(); }

    // Runs the sequence for `row` from a fresh distribution; answers what WELCOME showed.
    std::vector<SetupRun::Welcome> Run(const Scenario& row) {
        ScratchDir dist("mezura_seq_dist"), dest("mezura_seq_dest");
        distPath_ = dist.path();
        if (!row.script.empty()) WriteWholeFile(dist / "SETUP.INF", ScriptText(row.script));
        CopySample("sample_new.dll", dist / "MEZ.DLL");
        lstrcpyA(sourceDir, (dist.path() + "\\").c_str());
        destination_ = dest / "MEZURA";
        g_registry = row.registry;
        g_platform = row.platform;
        g_pm = FakeProgramManager{};
        g_pm.connects = row.connects;
        g_pm.refuseCommand = row.refuseCommand;
        g_execs.clear();
        g_execResult = row.execResult;
        std::deque<WelcomeAnswer> answers = row.welcomes;
        std::vector<SetupRun::Welcome> seen;
        {
            DialogRobot robot(GetCurrentThreadId(), [&](HWND dialog) {
                if (!GetDlgItem(dialog, 101)) return;  // STATUS
                seen.push_back({ItemText(dialog, 101), ItemText(dialog, 106)});
                WelcomeAnswer answer = answers.empty() ? WelcomeAnswer{"", "", true} : answers.front();
                if (!answers.empty()) answers.pop_front();
                answer.dest = Expand(answer.dest);
                if (!answer.dest.empty()) SetDlgItemTextA(dialog, 101, answer.dest.c_str());
                SendMessageA(GetDlgItem(dialog, answer.cancel ? IDCANCEL : IDOK), BM_CLICK, 0, 0);
            });
            RunMainSequence();
        }
        copied_ = FileExists(destination_ + "\\MEZ.DLL");
        ini_ = ReadLines(destination_ + "\\CORVANE.INI");
        return seen;
    }

    // "<dest>" and "<dist>" at the start of an entry: the scratch destination, the distribution.
    std::string Expand(const std::string& entry) const {
        if (entry.rfind("<dest>", 0) == 0) return destination_ + entry.substr(6);
        if (entry.rfind("<dist>", 0) == 0) return distPath_ + entry.substr(6);
        return entry;
    }

    // The checks every row shares: its messages in order, each with the caption and style the
    // step gives it; STATUS and the DDE registration gone.
    void ExpectEnding(const Scenario& row) {
        std::vector<UINT> ids;
        for (const ShownMessage& shown : shown_) {
            ids.push_back(MessageIdOf(g_instance, shown.text));
            EXPECT_EQ(shown.caption, "Corvane") << row.what;
        }
        EXPECT_EQ(ids, row.messages) << row.what;
        EXPECT_EQ(g_statusWindow, nullptr) << row.what;
        const bool scriptLoaded = !row.script.empty() && g_platform.ddeInits == 1 &&
                                  row.platform.ddeInitResult == DMLERR_NO_ERROR;
        EXPECT_EQ(g_platform.statusSeen != nullptr, scriptLoaded) << row.what << ": STATUS made after the script";
        if (g_platform.statusSeen) { EXPECT_FALSE(IsWindow(g_platform.statusSeen)) << row.what; }
        if (row.messages == std::vector<UINT>{1029}) {
            EXPECT_EQ(g_platform.ddeInits, 0) << row.what << ": 1029 comes before anything else";
            EXPECT_EQ(g_platform.statusSeen, nullptr) << row.what;
        }
        bool registered = g_platform.ddeInits == 1 && row.platform.ddeInitResult == DMLERR_NO_ERROR;
        EXPECT_EQ(g_platform.ddeUninits, registered ? 1 : 0) << row.what;
        if (registered) { EXPECT_EQ(g_platform.uninitInstance, kDdeInstance) << row.what; }
    }

    std::string destination_, distPath_;
    bool copied_ = false;
    std::vector<std::string> ini_;
};

const std::map<std::string, std::string> kQuotedExcel = {
    {".xls", "Sheet"}, {"Sheet", ""}, {"Sheet\\shell\\open\\command", "\"C:\\XL\\EXCEL.EXE\" \"%1\""}};

std::vector<std::string> With(std::vector<std::string> script, const std::string& from, const std::string& to) {
    for (std::string& line : script)
        if (line == from) line = to;
    return script;
}

TEST_F(SequenceTest, EachOutcomeEndsInItsMessagesWithStatusAndDdeReleased) {
    Platform noDde, fullDisk, unreadable, huge;
    noDde.ddeInitResult = DMLERR_SYS_ERROR;
    fullDisk.freeClusters = 0;
    unreadable.diskOk = FALSE;
    huge.freeClusters = 0xFFFFFFFF;  // 16 TB: past 32 bits in bytes and in kilobytes' products
    const WelcomeAnswer ok{"<dest>", "", false}, cancel{"", "", true};
    const Scenario rows[] = {
        {"no .xls class", {}, kScript, {}, {1029}, {}},
        {"class without its key", {{".xls", "Sheet"}, {"Sheet\\shell\\open\\command", "X"}}, kScript, {}, {1029}, {}},
        {"DDE registration fails", kQuotedExcel, kScript, {ok}, {}, noDde},
        {"no SETUP.INF", kQuotedExcel, {}, {ok}, {1004}, {}},
        {"Cancel in WELCOME", kQuotedExcel, kScript, {cancel}, {}, {}},
        {"too little space, then Cancel", kQuotedExcel, kScript, {ok, cancel}, {1005}, fullDisk},
        {"SpaceNeeded 0 on a full disk", kQuotedExcel, With(kScript, "SpaceNeeded=100", "SpaceNeeded=0"), {ok}, {1011},
         fullDisk},
        {"negative SpaceNeeded", kQuotedExcel, With(kScript, "SpaceNeeded=100", "SpaceNeeded=-1"), {ok, cancel}, {1005},
         {}},
        {"more than 4 GiB needed, 4 GiB free", kQuotedExcel, With(kScript, "SpaceNeeded=100", "SpaceNeeded=4194305"),
         {ok, cancel}, {1005}, {}},
        {"more than 4 GiB needed and free", kQuotedExcel, With(kScript, "SpaceNeeded=100", "SpaceNeeded=4194305"), {ok},
         {1011}, huge},
        {"free space unknown", kQuotedExcel, kScript, {ok}, {1011}, unreadable},
        {"copy fails", kQuotedExcel, With(kScript, "MEZ.DLL, MEZ.DLL, The add-in", "GONE.DLL, GONE.DLL, Missing"), {ok},
         {1023, 1008}, {}},
        {"no Program Manager", kQuotedExcel, kScript, {ok}, {1012}, {}, false},
        {"AddItem refused", kQuotedExcel, kScript, {ok}, {1012}, {}, true, 2},
        {"unknown macro", kQuotedExcel, With(kScript, "%E %AMEZ.DLL, Mezura in Excel", "%E %BMEZ.DLL, X"), {ok}, {1012}, {}},
        {"no items", kQuotedExcel, With(kScript, "%E %AMEZ.DLL, Mezura in Excel", "; none"), {ok}, {1011}, {}},
        {"Excel cannot start", kQuotedExcel, kScript, {ok}, {1031}, {}, true, -1, ERROR_FILE_NOT_FOUND},
    };
    for (const Scenario& row : rows) {
        shown_.clear();
        Run(row);
        ExpectEnding(row);
        const bool copiedExpected = row.messages == std::vector<UINT>{1011} || row.messages == std::vector<UINT>{1012} ||
                                    row.messages == std::vector<UINT>{1031};
        EXPECT_EQ(copied_, copiedExpected) << row.what;
        EXPECT_EQ(!ini_.empty(), copiedExpected) << row.what << ": CORVANE.INI after the copy only";
        // WELCOME hands back the destination in upper case.
        EXPECT_EQ(lstrcmpiA(g_platform.profileInstall.c_str(), destination_.c_str()) == 0, copiedExpected) << row.what;
        EXPECT_EQ(g_execs.size(), size_t(row.messages == std::vector<UINT>{1011} || row.messages == std::vector<UINT>{1031}))
            << row.what << ": Excel is started only after Program Manager";
    }
}

// The whole way: what each step passed to the next.
TEST_F(SequenceTest, TheHappyPathWritesSendsAndStartsExcelWithTheStrippedCommand) {
    const Scenario row{"happy path", kQuotedExcel, kScript, {{"<dest>", "", false}}, {1011}, {}};
    const std::vector<SetupRun::Welcome> seen = Run(row);
    ExpectEnding(row);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].dest, "C:\\XL\\MEZURA") << "Excel's directory and DefDir";
    std::string dest = destination_;
    CharUpperA(&dest[0]);  // as WELCOME handed it back
    EXPECT_TRUE(copied_);
    EXPECT_EQ(ini_, (std::vector<std::string>{"[MEZ]", "AddIn=MEZ.DLL", "Name=Mezura"}));
    const std::vector<std::string> commands = {"[CreateGroup(Mezura,MEZURA.GRP)]", "[ReplaceItem(Mezura in Excel)]",
                                               "[AddItem(C:\\XL\\EXCEL.EXE " + dest + "\\MEZ.DLL,Mezura in Excel)]"};
    EXPECT_EQ(g_pm.commands, commands);
    ASSERT_EQ(g_execs.size(), 1u);
    EXPECT_EQ(g_execs[0].command, "C:\\XL\\EXCEL.EXE " + std::string(sourceDir) + "install.xls");
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].style, UINT(MB_ICONINFORMATION | MB_TASKMODAL));
    EXPECT_EQ(shown_[0].owner, nullptr);
}

// The destination checks send the user back to WELCOME with the values entered.
TEST_F(SequenceTest, FailedDestinationChecksReopenWelcomeWithTheEnteredValues) {
    const struct {
        const char* dest;
        UINT message;
    } rows[] = {
        {"<dist>", 1028},          // the distribution itself
        {"<dist>\\SUB", 1028},     // inside it
        {"<dist>X", 1028},         // a sibling whose name starts like it
        {"<dest>\\NO\\SUCH", 1006},  // a missing parent
    };
    for (const auto& row : rows) {
        shown_.clear();
        const std::vector<SetupRun::Welcome> seen =
            Run({row.dest, kQuotedExcel, kScript, {{row.dest, "", false}, {"", "", true}}, {row.message}, {}});
        ASSERT_EQ(shown_.size(), 1u) << row.dest;
        EXPECT_EQ(MessageIdOf(g_instance, shown_[0].text), row.message) << row.dest << ": " << shown_[0].text;
        ASSERT_EQ(seen.size(), 2u) << row.dest;
        std::string expected = Expand(row.dest);
        CharUpperA(&expected[0]);
        EXPECT_EQ(seen[1].dest, expected) << row.dest << ": the value entered is kept";
        EXPECT_FALSE(copied_) << row.dest;
    }
}

// What a silent run meets, provoked through the seam.
enum class Fault {
    kNone, kNoExcelClass, kNoDde, kNoScript, kFullDisk, kMissingFile, kCopyRefused, kExcelRunning,
    kExcelUnknown, kOpenRefused, kNoProgramManager, kDeleteRefused, kNotInstalled,
};

BOOL WINAPI ExcelAmongProcesses(HANDLE, LPPROCESSENTRY32 process) {
    lstrcpyA(process->szExeFile, "EXCEL.EXE");
    return TRUE;
}
LONG WINAPI RefuseOpenEntries(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size) {
    if (std::string(name).rfind("OPEN", 0) == 0) return ERROR_ACCESS_DENIED;
    return RegSetValueExA(key, name, reserved, type, data, size);
}
BOOL WINAPI RefuseDelete(LPCSTR) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

// Every outcome of a silent installation and removal, provoked through the seam: its exit code
// and the messages its log holds, in order. A removal ("/U") follows an installation that went
// well, unless there is to be nothing to remove.
TEST_F(SequenceTest, SilentRunsEndWithTheirExitCodeAndLogTheirMessages) {
    struct Row {
        const char* what;
        std::string arguments;  // "<dest>" and "<dist>" stand for the destination and the distribution
        Fault fault;
        int code;
        std::vector<UINT> messages;
    };
    const std::string tooLong = "/D=<dest>\\" + std::string(100, 'X');
    const Row rows[] = {
        {"installed", "/D=<dest>", Fault::kNone, kExitSuccess, {1033}},
        {"a switch not understood", "/D=<dest> /X", Fault::kNone, kExitCommandLine, {}},
        {"a log that cannot be made", "/L=<dist>\\NO\\SETUP.LOG", Fault::kNone, kExitLogFile, {}},
        {"no Excel", "/D=<dest>", Fault::kNoExcelClass, kExitNoExcel, {1029}},
        {"no DDE", "/D=<dest>", Fault::kNoDde, kExitNoDde, {}},
        {"no SETUP.INF", "/D=<dest>", Fault::kNoScript, kExitScript, {1004}},
        {"a destination too long", tooLong, Fault::kNone, kExitBadDestination, {1032}},
        {"too little space", "/D=<dest>", Fault::kFullDisk, kExitNoSpace, {1005}},
        {"the distribution itself", "/D=<dist>", Fault::kNone, kExitConflict, {1028}},
        {"a missing parent", "/D=<dest>\\NO\\SUCH", Fault::kNone, kExitCannotCreate, {1006}},
        {"a file missing", "/D=<dest>", Fault::kMissingFile, kExitCopy, {1023, 1008}},
        {"SETUP.EXE not copied", "/D=<dest>", Fault::kCopyRefused, kExitUninstallEntry, {1033}},
        {"Excel running", "/D=<dest>", Fault::kExcelRunning, kExitExcelRunning, {1035, 1031}},
        {"Excel unknown", "/D=<dest>", Fault::kExcelUnknown, kExitExcelUnknown, {1031}},
        {"OPEN refused", "/D=<dest>", Fault::kOpenRefused, kExitAddInNotAdded, {1031}},
        {"no Program Manager", "/D=<dest>", Fault::kNoProgramManager, kExitProgramManager, {1034}},
        {"removed", "/U", Fault::kNone, kExitSuccess, {1041}},
        {"nothing to remove", "/U", Fault::kNotInstalled, kExitNotInstalled, {1039}},
        {"removal with Excel running", "/U", Fault::kExcelRunning, kExitExcelRunning, {1040}},
        {"removal leaving a file", "/U", Fault::kDeleteRefused, kExitFilesLeft, {1043}},
        {"removal without Program Manager", "/U", Fault::kNoProgramManager, kExitProgramManager, {1042}},
    };
    for (const Row& row : rows) {
        ScratchDir dist("mezura_quiet_dist"), dest("mezura_quiet_dest");
        const std::string destination = dest / "MEZURA", log = dist / "SETUP.LOG";
        // Excel's path is long here: the item names the add-in alone.
        std::vector<std::string> script =
            With(With(kScript, "MEZ.DLL, MEZ.DLL, The add-in", "MEZ.DLL, MEZURA32.XLL, The add-in"),
                 "%E %AMEZ.DLL, Mezura in Excel", "%AMEZURA32.XLL, Mezura add-in");
        if (row.fault == Fault::kMissingFile)
            script.insert(std::find(script.begin(), script.end(), "[PM Info]"), "GONE.DLL, GONE.DLL, Missing");
        if (row.fault != Fault::kNoScript) WriteWholeFile(dist / "SETUP.INF", ScriptText(script));
        CopySample("sample_new.dll", dist / "MEZ.DLL");
        lstrcpyA(sourceDir, (dist.path() + "\\").c_str());
        const std::string excel = xlhost::BesideProgram(row.fault == Fault::kExcelUnknown ? "sample_new.dll" : "excel32_16.exe");
        g_registry = {{".xls", "Sheet"}, {"Sheet", ""}, {"Sheet\\shell\\open\\command", "\"" + excel + "\" \"%1\""}};
        g_platform = Platform{};
        g_pm = FakeProgramManager{};
        auto silently = [&](std::string arguments) {
            for (auto [from, to] : {std::pair<std::string, std::string>{"<dest>", destination}, {"<dist>", dist.path()}})
                for (size_t at; (at = arguments.find(from)) != std::string::npos;) arguments.replace(at, from.size(), to);
            return RunSetup(("/Q /L=\"" + log + "\" " + arguments).c_str());
        };
        if (row.arguments == "/U" && row.fault != Fault::kNotInstalled) {
            ASSERT_EQ(silently("/D=<dest>"), kExitSuccess) << row.what << ": the installation before the removal";
        }
        SyscallSwap<SetupSyscalls> faults(g_setupSyscalls);
        if (row.fault == Fault::kNoExcelClass) g_registry.clear();
        if (row.fault == Fault::kNoDde) g_platform.ddeInitResult = DMLERR_SYS_ERROR;
        if (row.fault == Fault::kFullDisk) g_platform.freeClusters = 0;
        if (row.fault == Fault::kCopyRefused) g_copyResult = FALSE;
        if (row.fault == Fault::kExcelRunning) faults.Use(&SetupSyscalls::Process32First, ExcelAmongProcesses);
        if (row.fault == Fault::kOpenRefused) faults.Use(&SetupSyscalls::RegSetValueExA, RefuseOpenEntries);
        if (row.fault == Fault::kNoProgramManager) g_pm.connects = false;
        if (row.fault == Fault::kDeleteRefused) faults.Use(&SetupSyscalls::DeleteFileA, RefuseDelete);

        EXPECT_EQ(silently(row.arguments), row.code) << row.what;
        std::vector<UINT> messages;
        const std::vector<std::string> lines = ReadLines(log);
        for (const std::string& line : lines)
            if (line.rfind("Message ", 0) == 0) messages.push_back(UINT(std::stoul(line.substr(8))));
        EXPECT_EQ(messages, row.messages) << row.what;
        if (!lines.empty()) { EXPECT_EQ(lines.back(), "Exit code " + std::to_string(row.code)) << row.what; }
        EXPECT_TRUE(shown_.empty()) << row.what << ": a silent run shows nothing";
        g_copyResult = TRUE;
        RemoveOpenEntries(destination.c_str());
        ForgetDestination();
    }
}

}  // namespace
#endif
