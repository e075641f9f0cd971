// DriveSetup: the real SETUP.EXE in a process of its own, its dialogs and message boxes answered
// from this one (windows of another process are found by owner process, read and set with
// WM_GETTEXT and WM_SETTEXT, and pressed with a posted command).
#ifdef _WIN32
#include "setup_robot.h"

#include <cstring>
#include <set>

namespace {

struct Search {
    DWORD process;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialogs(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (owner == search->process && std::strcmp(className, "#32770") == 0 && IsWindowVisible(window))
        search->found.push_back(window);
    return TRUE;
}

std::string Text(HWND dialog, int id) {
    char text[1024] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

std::string Caption(HWND window) {
    char text[256] = "";
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    return text;
}

void Press(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void AnswerWelcome(HWND dialog, std::deque<WelcomeAnswer>& answers, SetupRun& run) {
    run.welcomes.push_back({Text(dialog, 101), Text(dialog, 106)});
    if (answers.empty() || answers.front().cancel) {
        if (!answers.empty()) answers.pop_front();
        Press(dialog, IDCANCEL);
        return;
    }
    const WelcomeAnswer answer = answers.front();
    answers.pop_front();
    if (!answer.dest.empty()) SetDlgItemTextA(dialog, 101, answer.dest.c_str());
    if (!answer.source.empty()) SetDlgItemTextA(dialog, 106, answer.source.c_str());
    Press(dialog, IDOK);
}

// A message box: its text is the static control 0xFFFF; the unused buttons are hidden.
bool AnswerMessage(HWND box, SetupRun& run) {
    const std::string text = Text(box, 0xFFFF);
    if (text.empty()) return false;  // found before its text was set: look again
    run.messages.push_back({Caption(box), text});
    HWND ok = GetDlgItem(box, IDOK);
    Press(box, ok && IsWindowVisible(ok) ? IDOK : IDYES);
    return true;
}

}  // namespace

SetupRun DriveSetup(const std::string& setupExe, const std::string& workingDir, std::deque<WelcomeAnswer> answers,
                    DWORD timeoutMs) {
    SetupRun run;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + setupExe + "\"";
    if (!CreateProcessA(setupExe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        workingDir.empty() ? nullptr : workingDir.c_str(), &startup, &process))
        return run;
    std::set<HWND> handled;
    const DWORD start = GetTickCount();
    while (WaitForSingleObject(process.hProcess, 20) == WAIT_TIMEOUT) {
        if (GetTickCount() - start > timeoutMs) {
            TerminateProcess(process.hProcess, 0xdead);
            WaitForSingleObject(process.hProcess, 5000);
            break;
        }
        Search search{process.dwProcessId, {}};
        EnumWindows(CollectDialogs, reinterpret_cast<LPARAM>(&search));
        for (HWND window : search.found) {
            if (handled.count(window)) continue;
            if (GetDlgItem(window, 101) && GetDlgItem(window, 106)) {
                AnswerWelcome(window, answers, run);
                handled.insert(window);
            } else if (GetDlgItem(window, 0xFFFF) && !GetDlgItem(window, 105)) {  // not STATUS's icon
                if (AnswerMessage(window, run)) handled.insert(window);
            }
        }
    }
    DWORD code = 0;
    if (GetExitCodeProcess(process.hProcess, &code) && code != STILL_ACTIVE && GetTickCount() - start <= timeoutMs) {
        run.finished = true;
        run.exitCode = code;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}
#endif
