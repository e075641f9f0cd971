// SETUP.EXE run as a user runs it, from a distribution folder, answered by a robot from this
// process: the script's message, Cancel in WELCOME, a whole copy, and a copy that fails.
#ifdef _WIN32
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "addin_loader.h"
#include "setup_fixture.h"
#include "setup_install_fixture.h"

namespace {

constexpr DWORD kPatienceMs = 15000;

// One run of SETUP.EXE in the distribution folder `dist`.
class SetupRun {
public:
    explicit SetupRun(const std::string& dist) {
        std::string program = dist + "\\SETUP.EXE";
        std::string command = "\"" + program + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        started_ = CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, dist.c_str(),
                                  &startup, &process_);
    }
    ~SetupRun() {
        if (!started_) return;
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 99);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    SetupRun(const SetupRun&) = delete;
    SetupRun& operator=(const SetupRun&) = delete;

    bool started() const { return started_; }

    // The program's visible dialog that holds control `id` (101: WELCOME, 0xFFFF: a message
    // box's text, which the unnamed statics of WELCOME and STATUS share: those two are left out
    // by their edits and module line).
    HWND WaitFor(int id) const {
        for (DWORD waited = 0; waited < kPatienceMs; waited += 20) {
            Search search{process_.dwProcessId, id, nullptr};
            EnumWindows(Find, reinterpret_cast<LPARAM>(&search));
            if (search.found) return search.found;
            if (WaitForSingleObject(process_.hProcess, 20) == WAIT_OBJECT_0) return nullptr;
        }
        return nullptr;
    }

    // Reads the message box on screen and presses its OK: answers its text, or "" without one.
    std::string AnswerMessage() const {
        HWND box = WaitFor(0xFFFF);
        if (!box) return "";
        char text[512] = "";
        SendMessageA(GetDlgItem(box, 0xFFFF), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        return text;
    }

    // Waits for the program's end: its exit code, or -1 when it does not end.
    int ExitCode() const {
        if (WaitForSingleObject(process_.hProcess, kPatienceMs) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return int(code);
    }

private:
    struct Search {
        DWORD process;
        int id;
        HWND found;
    };
    static BOOL CALLBACK Find(HWND window, LPARAM param) {
        auto* search = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        char className[16] = "";
        GetClassNameA(window, className, sizeof className);
        if (owner != search->process || std::strcmp(className, "#32770") || !IsWindowVisible(window) ||
            !GetDlgItem(window, search->id))
            return TRUE;
        if (search->id == 0xFFFF && (GetDlgItem(window, 101) || GetDlgItem(window, 105))) return TRUE;
        search->found = window;
        return FALSE;
    }

    BOOL started_ = FALSE;
    PROCESS_INFORMATION process_{};
};

class SetupProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        ForgetDestination();
        CreateDirectoryA(Dist().c_str(), nullptr);
        ASSERT_TRUE(CopyFileA(xlhost::BesideProgram("SETUP.EXE").c_str(), (Dist() + "\\SETUP.EXE").c_str(), FALSE));
    }
    void TearDown() override { ForgetDestination(); }
    std::string Dist() const { return root_ / "dist"; }
    std::string Dest() const { return root_ / "dest"; }

    void WriteScript(const std::vector<std::string>& files) {
        std::vector<std::string> lines{"[Application]", "AppName=Mezura", "DefDir=MEZURA", "SpaceNeeded=1", "[Files]"};
        lines.insert(lines.end(), files.begin(), files.end());
        lines.push_back("[End]");
        WriteWholeFile(Dist() + "\\SETUP.INF", ScriptText(lines));
    }

    // Enters the destination in WELCOME and presses OK (or Cancel with an empty `dest`).
    static bool Welcome(const SetupRun& run, const std::string& dest) {
        HWND welcome = run.WaitFor(101);
        if (!welcome) return false;
        if (dest.empty()) {
            SendMessageA(GetDlgItem(welcome, IDCANCEL), BM_CLICK, 0, 0);
        } else {
            SendMessageA(GetDlgItem(welcome, 101), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(dest.c_str()));
            SendMessageA(GetDlgItem(welcome, IDOK), BM_CLICK, 0, 0);
        }
        return true;
    }

    ScratchDir root_{"mezura_setup_run"};
    // The installer looks for Excel before anything else; these runs end before it is started.
    XlsRegistration xls_{"Mezura.SetupRunSheet", "C:\\Excel\\EXCEL.EXE \"%1\""};
};

TEST_F(SetupProgramTest, AMissingScriptIsNamedAndEndsTheProgram) {
    SetupRun run(Dist());
    ASSERT_TRUE(run.started());
    EXPECT_EQ(run.AnswerMessage(),
              "The " + Dist() + "\\SETUP.INF file cannot be found.\nPlease verify the distribution diskette.");
    EXPECT_EQ(run.ExitCode(), 0);
}

TEST_F(SetupProgramTest, CancelInWelcomeEndsWithoutAMessage) {
    WriteScript({"SETUP.EXE, SETUP.EXE, the installer"});
    SetupRun run(Dist());
    ASSERT_TRUE(Welcome(run, ""));
    EXPECT_EQ(run.ExitCode(), 0);
    EXPECT_FALSE(FileExists(Dest()));
}

// WELCOME's destination is created and every file of the script lands in it. The script names
// no Program Manager group, so the installation ends with that step's message.
TEST_F(SetupProgramTest, CopiesTheScriptsFilesIntoTheChosenDestination) {
    ASSERT_TRUE(CopySample("sample_new.dll", Dist() + "\\SAMPLE.DLL"));
    WriteScript({"SAMPLE.DLL, SAMPLE.DLL, A sample", "SETUP.EXE, INSTALLER.EXE, The installer"});
    SetupRun run(Dist());
    ASSERT_TRUE(Welcome(run, Dest()));
    EXPECT_EQ(run.AnswerMessage(), "Setup has installed the software successfully\nbut could not add the "
                                   "application(s) to the Program Manager.");
    EXPECT_EQ(run.ExitCode(), 0);
    EXPECT_EQ(FileVersionOf(Dest() + "\\SAMPLE.DLL"), "2.0");
    EXPECT_TRUE(FileExists(Dest() + "\\INSTALLER.EXE"));
}

// A file the service cannot read: its message, then the installation's, and what was copied
// before stays.
TEST_F(SetupProgramTest, AFailedCopyShowsItsCauseAndThenThatSetupMustRunAgain) {
    ASSERT_TRUE(CopySample("sample_new.dll", Dist() + "\\SAMPLE.DLL"));
    WriteScript({"SAMPLE.DLL, SAMPLE.DLL, A sample", "ABSENT.DLL, ABSENT.DLL, Not on the disk"});
    SetupRun run(Dist());
    ASSERT_TRUE(Welcome(run, Dest()));
    EXPECT_EQ(run.AnswerMessage(), "Unable to read the source file.\nSetup is terminating.");
    EXPECT_EQ(run.AnswerMessage(),
              "The software has not been successfully installed.\nYou must run Setup again before using the software.");
    EXPECT_EQ(run.ExitCode(), 0);
    EXPECT_TRUE(FileExists(Dest() + "\\SAMPLE.DLL"));
}

}  // namespace
#endif
