// The About box as a caller sees it: found on screen, read, closed by a command, and its help request.
#ifdef _WIN32
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <thread>

#include "addin_loader.h"
#include "xlhost/emulated_excel_fixture.h"
#include "peers/help_viewer.h"

namespace {

const char kLabel[] = "Corvane - Mezura, File Version 2.1";
constexpr DWORD kPatienceMs = 5000;

// What the test saw of one opening of the box.
struct Opening {
    bool appeared = false;
    bool returned = false;
    int result = -2;
    std::string label;
    HWND owner = nullptr;
    bool cancelHasFocus = false;
    RECT box{};
};

// Handles the messages sent to windows of this thread until `ms` pass or `done` holds.
void PumpUntil(DWORD ms, const std::function<bool()>& done) {
    DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < ms) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    }
}

BOOL CALLBACK FindAbout(HWND window, LPARAM found) {
    char className[16] = {};
    char caption[16] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, caption, sizeof caption);
    if (std::strcmp(className, "#32770") != 0 || std::strcmp(caption, "About") != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// Runs `open` on a thread of its own, as the host runs a command; waits for the box that
// thread shows, reads it, sends it `command` and waits for `open` to return. A box that never
// shows or never closes is reported, not waited for.
Opening OpenAndSend(std::function<int()> open, WORD command) {
    Opening seen;
    auto result = std::make_shared<std::promise<int>>();
    std::future<int> returned = result->get_future();
    auto threadId = std::make_shared<std::atomic<DWORD>>(0);
    std::thread caller([open, result, threadId] {
        *threadId = GetCurrentThreadId();
        result->set_value(open());
    });
    auto ready = [&returned] { return returned.wait_for(std::chrono::seconds(0)) == std::future_status::ready; };

    HWND dialog = nullptr;
    PumpUntil(kPatienceMs, [&] {
        if (*threadId) EnumThreadWindows(*threadId, FindAbout, reinterpret_cast<LPARAM>(&dialog));
        return dialog != nullptr || ready();
    });
    if (dialog) {
        seen.appeared = true;
        char text[300] = {};
        GetDlgItemTextA(dialog, 10, text, sizeof text);
        seen.label = text;
        seen.owner = GetWindow(dialog, GW_OWNER);
        GetWindowRect(dialog, &seen.box);
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (GetGUIThreadInfo(*threadId, &info)) seen.cancelHasFocus = info.hwndFocus == GetDlgItem(dialog, 2);
        PostMessageA(dialog, WM_COMMAND, command, 0);
    }
    PumpUntil(kPatienceMs, ready);
    if (ready()) {
        seen.returned = true;
        seen.result = returned.get();
        caller.join();
    } else {
        caller.detach();  // still inside the dialog: leave it rather than hang the test run
    }
    return seen;
}

// Stands in for the help system: Windows hands a help request to the window of this class.
struct HelpRequest {
    int count = 0;
    HWND sender = nullptr;
    WORD command = 0;
    std::string file;
};
HelpRequest g_help;

// The request record as the help system receives it.
struct HelpRecord {
    WORD size;
    WORD command;
    LONG data;
    LONG reserved;
    WORD ofsFilename;
    WORD ofsData;
};

LRESULT CALLBACK HelpWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        ++g_help.count;
        g_help.sender = reinterpret_cast<HWND>(wParam);
        if (copy && copy->cbData >= sizeof(HelpRecord)) {
            auto* record = static_cast<const HelpRecord*>(copy->lpData);
            g_help.command = record->command;
            if (record->ofsFilename && record->ofsFilename < copy->cbData)
                g_help.file = reinterpret_cast<const char*>(record) + record->ofsFilename;
        }
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class AboutBoxTest : public LoadedAddinTest {
protected:
    void SetUp() override {
        LoadedAddinTest::SetUp();
        if (HasFatalFailure()) return;
        aboutDlg_ = reinterpret_cast<AboutFunction>(xlhost::FindExport(addin_, "_about_dlg@4"));
        mezuraHelp_ = reinterpret_cast<HelpFunction>(xlhost::FindExport(addin_, "MezuraHelp"));
        ASSERT_NE(aboutDlg_, nullptr) << "_about_dlg@4 not exported";
        ASSERT_NE(mezuraHelp_, nullptr) << "MezuraHelp not exported";
        owner_ = CreateWindowExA(0, "STATIC", "Mezura test host", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                 nullptr, nullptr);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override {
        if (helpWindow_) DestroyWindow(helpWindow_);
        if (owner_) DestroyWindow(owner_);
        LoadedAddinTest::TearDown();
    }

    std::function<int()> AboutDlg(HWND owner) {
        AboutFunction about = aboutDlg_;
        return [about, owner] { return about(owner); };
    }

    void StandInForHelp() {
        WNDCLASSA helpClass{};
        helpClass.lpfnWndProc = HelpWindowProc;
        helpClass.hInstance = GetModuleHandleA(nullptr);
        helpClass.lpszClassName = "MS_WINHELP";
        RegisterClassA(&helpClass);  // fails harmlessly when an earlier test registered it
        g_help = HelpRequest();
        helpWindow_ = CreateWindowExA(0, "MS_WINHELP", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(helpWindow_, nullptr);
    }

    typedef int(__stdcall* AboutFunction)(HWND);
    typedef short(__stdcall* HelpFunction)();
    AboutFunction aboutDlg_ = nullptr;
    HelpFunction mezuraHelp_ = nullptr;
    HWND owner_ = nullptr;
    HWND helpWindow_ = nullptr;
};

TEST_F(AboutBoxTest, ShowsTheFileVersionOnceAtEveryOpening) {
    for (int opening = 1; opening <= 2; ++opening) {
        Opening seen = OpenAndSend(AboutDlg(nullptr), IDCANCEL);
        ASSERT_TRUE(seen.appeared) << "opening " << opening << ": no About box within " << kPatienceMs
                                   << " ms; the call answered " << seen.result;
        ASSERT_TRUE(seen.returned) << "opening " << opening << ": Cancel did not close the box";
        EXPECT_EQ(seen.label, kLabel) << "opening " << opening;
        EXPECT_EQ(seen.result, 0) << "opening " << opening;
        EXPECT_TRUE(seen.cancelHasFocus) << "opening " << opening << ": Cancel should have the focus";
    }
}

TEST_F(AboutBoxTest, IsCentredOnTheScreenAndOwnedByTheGivenWindow) {
    Opening seen = OpenAndSend(AboutDlg(owner_), IDCANCEL);
    ASSERT_TRUE(seen.appeared) << "no About box; the call answered " << seen.result;
    ASSERT_TRUE(seen.returned);
    EXPECT_EQ(seen.owner, owner_);
    int width = seen.box.right - seen.box.left;
    int height = seen.box.bottom - seen.box.top;
    EXPECT_EQ(seen.box.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2) << "width " << width;
    EXPECT_EQ(seen.box.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2) << "height " << height;
}

// Every command closes the box with 0, whatever its number.
TEST_F(AboutBoxTest, AnyCommandClosesTheBox) {
    for (WORD command : {WORD(IDOK), WORD(IDCANCEL), WORD(10), WORD(1234)}) {
        Opening seen = OpenAndSend(AboutDlg(nullptr), command);
        ASSERT_TRUE(seen.appeared) << "command " << command;
        ASSERT_TRUE(seen.returned) << "command " << command << " did not close the box";
        EXPECT_EQ(seen.result, 0) << "command " << command;
    }
}

TEST_F(AboutBoxTest, HelpAsksForTheContentsOfTheHelpFileBesideTheAddin) {
    StandInForHelp();
    Opening seen = OpenAndSend(AboutDlg(owner_), 8);
    ASSERT_TRUE(seen.appeared);
    ASSERT_TRUE(seen.returned) << "Help did not close the box";
    EXPECT_EQ(seen.result, 0);
    ASSERT_EQ(g_help.count, 1) << "help requests received";
    EXPECT_EQ(g_help.command, HELP_CONTENTS);
    EXPECT_EQ(g_help.sender, owner_) << "the request must come on behalf of the owner, not the box";
    std::string path = AddinModulePath();
    std::string expected = path.substr(0, path.find_last_of("\\/") + 1) + "MEZURA.HLP";
    EXPECT_EQ(lstrcmpiA(g_help.file.c_str(), expected.c_str()), 0) << "got " << g_help.file << ", expected " << expected;
}

// The real help engine, on the help file the build puts beside the add-in.
TEST_F(AboutBoxTest, HelpOpensTheHelpEngineOnTheContentsOfTheRealHelpFile) {
    std::string path = AddinModulePath();
    std::string helpFile = path.substr(0, path.find_last_of("\\/") + 1) + "MEZURA.HLP";
    ASSERT_NE(GetFileAttributesA(helpFile.c_str()), INVALID_FILE_ATTRIBUTES) << helpFile << " is missing";
    Opening seen = OpenAndSend(AboutDlg(owner_), 8);
    ASSERT_TRUE(seen.appeared);
    ASSERT_TRUE(seen.returned) << "Help did not close the box";
    std::string shown = WaitForHelpTextOtherThan("", 20000);
    WinHelpA(owner_, helpFile.c_str(), HELP_QUIT, 0);
    EXPECT_EQ(FirstLine(shown), "Mezura Engineering Add-In") << "the help engine shows:\n" << shown;
}

TEST_F(AboutBoxTest, CancelAsksNothingOfTheHelpSystem) {
    StandInForHelp();
    Opening seen = OpenAndSend(AboutDlg(owner_), IDCANCEL);
    ASSERT_TRUE(seen.returned);
    EXPECT_EQ(g_help.count, 0);
}

// The menu command: the box is owned by the window the host names, and the command answers 0.
TEST_F(AboutBoxTest, MezuraHelpOpensTheBoxOwnedByTheHostWindow) {
    xlhost::SetMainWindow(owner_);
    HelpFunction help = mezuraHelp_;
    Opening seen = OpenAndSend([help] { return int(help()); }, IDCANCEL);
    ASSERT_TRUE(seen.appeared) << "MezuraHelp showed no box";
    ASSERT_TRUE(seen.returned);
    EXPECT_EQ(seen.result, 0);
    EXPECT_EQ(seen.owner, owner_);
    EXPECT_EQ(seen.label, kLabel);
    EXPECT_EQ(xlhost::CallCount(xlGetHwnd), 1u);
}

// A host without a window to name still gets the box, then of no owner.
TEST_F(AboutBoxTest, MezuraHelpWithoutAHostWindowOpensAnUnownedBox) {
    HelpFunction help = mezuraHelp_;
    Opening seen = OpenAndSend([help] { return int(help()); }, IDCANCEL);
    ASSERT_TRUE(seen.appeared) << "MezuraHelp showed no box";
    ASSERT_TRUE(seen.returned);
    EXPECT_EQ(seen.result, 0);
    EXPECT_EQ(seen.owner, nullptr);
}

}  // namespace
#endif
