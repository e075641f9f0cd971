// Test fixture for the installer: the built SETUP.EXE's resources, a recorded message box,
// a scripted version library and a robot that drives the installer's dialogs from a second thread.
#pragma once
#ifdef _WIN32
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <deque>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "setup/program/setup_syscalls.h"
#include "syscall_swap.h"

// One message box the installer asked for.
struct ShownMessage {
    HWND owner;
    std::string text;
    std::string caption;
    UINT style;
};

// Each test starts with the installer's state cleared, its instance handle on the built
// SETUP.EXE (loaded as a data file: its resources, not its code), message boxes recorded and
// answered from answers_ (IDOK once they run out), and ends with the real API restored and the
// working directory put back. A fixture of its own says in its constructor what else its tests
// start from: the installer state it sets, the calls it scripts through syscalls_, and whether
// the STATUS window is open, as the copy phase finds it.
class InstallerTest : public ::testing::Test {
protected:
    enum class Status { kClosed, kOpen };
    explicit InstallerTest(Status status = Status::kClosed);
    void SetUp() final;
    void TearDown() final;

    // Text `id` of SETUP.EXE's string table.
    static std::string SetupString(UINT id);
    // A STATUS window of SETUP.EXE, hidden as the installer creates it; the fixture destroys
    // the one g_statusWindow names when the test ends.
    static HWND CreateStatusWindow();

    SyscallSwap<SetupSyscalls> syscalls_{g_setupSyscalls};

public:  // the recording message box writes them
    static std::vector<ShownMessage> shown_;
    static std::deque<int> answers_;

private:
    Status status_;
    HMODULE setup_ = nullptr;
    char workingDir_[MAX_PATH] = "";
};

// A directory of its own under the temp folder (or at a full path, "C:\SETUP"), removed with
// what it holds.
class ScratchDir {
public:
    explicit ScratchDir(const std::string& name);
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& path() const { return path_; }  // without a trailing backslash
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

bool FileExists(const std::string& path);
// Removes a directory with everything in it (a missing one is no error).
void RemoveTree(const std::string& path);
// Copies one of the sample DLLs built beside the test program ("sample_old.dll"...).
bool CopySample(const std::string& sample, const std::string& to);
// A file's "FileVersion" value, or "" without one.
std::string FileVersionOf(const std::string& path);

// Drives dialogs of the installer from a second thread while the test's thread runs them: each
// new top-level dialog of `thread` captioned "Corvane" (and not in `ignore`) is handed to
// `drive` once it is visible. The destructor stops the robot.
class DialogRobot {
public:
    DialogRobot(DWORD thread, std::function<void(HWND)> drive, std::vector<HWND> ignore = {});
    ~DialogRobot();
    DialogRobot(const DialogRobot&) = delete;
    DialogRobot& operator=(const DialogRobot&) = delete;
    int driven() const { return driven_; }

private:
    std::atomic<bool> stop_{false};
    std::atomic<int> driven_{0};
    std::atomic<bool> finished_{false};
    std::thread thread_;
};

// A control's text, read across threads.
std::string ItemText(HWND dialog, int id);
#endif
