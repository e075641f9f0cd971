// Test fixture for the installer: SETUP.EXE's resources, recorded message boxes, scratch files, a dialog robot.
#ifdef _WIN32
#include "setup_fixture.h"

#include <cstring>
#include <set>

#include "addin_loader.h"
#include "setup/program/dialogs.h"
#include "setup/program/setup_options.h"
#include "setup/program/setup_state.h"
#include "setup/script/setup_script.h"
#include "version_string.h"

std::vector<ShownMessage> InstallerTest::shown_;
std::deque<int> InstallerTest::answers_;

namespace {

int WINAPI RecordMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
    InstallerTest::shown_.push_back({owner, text ? text : "", caption ? caption : "", style});
    if (InstallerTest::answers_.empty()) return IDOK;
    int answer = InstallerTest::answers_.front();
    InstallerTest::answers_.pop_front();
    return answer;
}

struct RobotSearch {
    std::set<HWND>* seen;
    HWND found;
};

BOOL CALLBACK FindNewDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<RobotSearch*>(param);
    char className[16] = "", caption[16] = "";
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, caption, sizeof caption);
    if (std::strcmp(className, "#32770") || std::strcmp(caption, "Corvane") || !IsWindowVisible(window) ||
        search->seen->count(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

InstallerTest::InstallerTest(Status status) : status_(status) {
    GetCurrentDirectoryA(sizeof workingDir_, workingDir_);
    std::memset(&g_setupScript, 0, sizeof g_setupScript);
    sourceDir[0] = destDir[0] = excelCommand[0] = '\0';
    g_statusWindow = nullptr;
    g_options = SetupOptions{};  // a run with windows, no log
    shown_.clear();
    answers_.clear();
}

void InstallerTest::SetUp() {
    const std::string path = xlhost::BesideProgram("SETUP.EXE");
    setup_ = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(setup_, nullptr) << "cannot load " << path << " as a data file, error " << GetLastError();
    g_instance = setup_;
    syscalls_.Use(&SetupSyscalls::MessageBoxA, RecordMessageBox);
    if (status_ == Status::kOpen) {
        g_statusWindow = CreateStatusWindow();
        ASSERT_NE(g_statusWindow, nullptr) << "STATUS not created, error " << GetLastError();
        ShowWindow(g_statusWindow, SW_SHOW);
    }
}

void InstallerTest::TearDown() {
    if (g_statusWindow) DestroyWindow(g_statusWindow);
    g_statusWindow = nullptr;
    g_instance = nullptr;
    if (setup_) FreeLibrary(setup_);
    SetCurrentDirectoryA(workingDir_);
}

HWND InstallerTest::CreateStatusWindow() {
    return CreateDialogParamA(g_instance, "STATUS", nullptr, StatusDlgProc, 0);
}

std::string InstallerTest::SetupString(UINT id) {
    char text[512] = "";
    LoadStringA(g_instance, id, text, sizeof text);
    return text;
}

ScratchDir::ScratchDir(const std::string& name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    path_ = name.find(':') == std::string::npos ? std::string(temp) + name : name;
    if (!path_.empty() && path_.back() == '\\') path_.pop_back();
    RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchDir::~ScratchDir() { RemoveTree(path_); }

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            std::string inner = path + "\\" + name;
            SetFileAttributesA(inner.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(inner);
            else DeleteFileA(inner.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool CopySample(const std::string& sample, const std::string& to) {
    return CopyFileA(xlhost::BesideProgram(sample).c_str(), to.c_str(), FALSE) != 0;
}

std::string FileVersionOf(const std::string& path) {
    char value[64] = "";
    GetVersionString(path.c_str(), "FileVersion", value, sizeof value);
    return value;
}

DialogRobot::DialogRobot(DWORD thread, std::function<void(HWND)> drive, std::vector<HWND> ignore)
    : thread_([this, thread, drive, ignore] {
          std::set<HWND> seen(ignore.begin(), ignore.end());
          while (!stop_) {
              RobotSearch search{&seen, nullptr};
              EnumThreadWindows(thread, FindNewDialog, reinterpret_cast<LPARAM>(&search));
              if (search.found) {
                  seen.insert(search.found);
                  drive(search.found);
                  ++driven_;
              }
              Sleep(10);
          }
          finished_ = true;
      }) {}

DialogRobot::~DialogRobot() {
    stop_ = true;
    // The robot may be waiting on a window of this thread: keep answering until it is done.
    while (!finished_) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        Sleep(5);
    }
    thread_.join();
}

std::string ItemText(HWND dialog, int id) {
    char text[512] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}
#endif
