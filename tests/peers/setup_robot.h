// Runs the real SETUP.EXE as a user would: answers each WELCOME from a list, reads every
// message box and presses its OK (or Yes), and reports what was seen and the exit code.
#pragma once
#ifdef _WIN32
#include <windows.h>

#include <deque>
#include <string>
#include <vector>

// One opening of WELCOME: new texts for its edits (empty: keep what it shows), then OK or Cancel.
struct WelcomeAnswer {
    std::string dest;
    std::string source;
    bool cancel = false;
};

// What one run of SETUP.EXE showed.
struct SetupRun {
    struct Welcome {
        std::string dest, source;  // as the dialog showed them on opening
    };
    struct Message {
        std::string caption, text;
    };
    std::vector<Welcome> welcomes;
    std::vector<Message> messages;
    bool finished = false;  // false: it was still running at the time-out and was ended
    DWORD exitCode = 0xdeadbeef;
};

// Starts `setupExe` with `workingDir` as its current directory and drives it until it exits
// or `timeoutMs` passes. WELCOME openings beyond `answers` are cancelled.
SetupRun DriveSetup(const std::string& setupExe, const std::string& workingDir, std::deque<WelcomeAnswer> answers,
                    DWORD timeoutMs = 60000);
#endif
