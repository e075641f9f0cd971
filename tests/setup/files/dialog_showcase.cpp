// Shows one of SETUP.EXE's dialogs or messages on screen, for screenshots: the resources come
// from the built SETUP.EXE beside this program, the dialog procedures and ShowMessage are the
// installer's own. ABOUT shows the About box of the built add-in beside this program, through
// its own export.
//   setup_showcase WELCOME | STATUS | COMPARE NEW_FILE EXISTING_FILE | ABOUT
//                  | MESSAGE ID STYLE [ARG...]
// (STYLE in hexadecimal; flag files in the current directory: NAME.ready once the window is up,
// NAME being the first argument or MESSAGE-ID; it closes when NAME.close appears)
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "setup/program/copy_files.h"
#include "setup/program/dialogs.h"
#include "setup/program/setup_state.h"
#include "setup/program/show_message.h"
#include "setup/script/setup_script.h"

namespace {

std::string g_name;
const char* g_caption = "Corvane";

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Waits for the dialog, says it is up, and closes it when told to (or after two minutes).
void Watch(DWORD thread) {
    HWND dialog = nullptr;
    for (int i = 0; i < 2000 && !dialog; ++i) {
        Sleep(50);
        HWND found = FindWindowA("#32770", g_caption);
        if (found && IsWindowVisible(found) && GetWindowThreadProcessId(found, nullptr) == thread) dialog = found;
    }
    if (!dialog) ExitProcess(3);
    Sleep(500);  // let it paint
    CloseHandle(CreateFileA((g_name + ".ready").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    for (int i = 0; i < 1200 && !Exists(g_name + ".close"); ++i) Sleep(100);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    if (g_name == "STATUS") PostThreadMessageA(thread, WM_QUIT, 0, 0);
}

}  // namespace

// The add-in's About box, as its Help menu command opens it (the box keeps its own caption).
void ShowAbout(char* path) {
    g_caption = "About";
    std::strcpy(std::strrchr(path, '\\') + 1, MEZURA_ADDIN_FILE);
    HMODULE addin = LoadLibraryA(path);
    auto about = reinterpret_cast<int(__stdcall*)(HWND)>(
        reinterpret_cast<void*>(addin ? GetProcAddress(addin, "_about_dlg@4") : nullptr));
    if (!about) ExitProcess(2);
    std::thread watcher(Watch, GetCurrentThreadId());
    about(nullptr);
    watcher.join();
}

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    g_name = argv[1];
    if (g_name == "MESSAGE" && argc > 3) g_name += std::string("-") + argv[2];
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (g_name == "ABOUT") {
        ShowAbout(path);
        return 0;
    }
    std::strcpy(std::strrchr(path, '\\') + 1, "SETUP.EXE");
    g_instance = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!g_instance) return 2;
    lstrcpyA(g_setupScript.settings.AppName, "Mezura");
    lstrcpyA(destDir, "C:\\MEZURA");
    lstrcpyA(sourceDir, "A:\\");
    DeleteFileA((g_name + ".ready").c_str());
    DeleteFileA((g_name + ".close").c_str());
    std::thread watcher(Watch, GetCurrentThreadId());

    if (g_name == "WELCOME") {
        DialogBoxParamA(g_instance, "WELCOME", nullptr, WelcomeDlgProc, 0);
    } else if (g_name == "STATUS") {
        HWND status = CreateDialogParamA(g_instance, "STATUS", nullptr, StatusDlgProc, 0);
        ShowWindow(status, SW_SHOW);
        SetStatusTexts(status, "Copying Common files...", "Mezura add-in for Excel");
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            if (!IsDialogMessageA(status, &message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
        DestroyWindow(status);
    } else if (g_name == "COMPARE" && argc == 4) {
        // The new file plays the temporary copy in its directory, the other the installed file.
        std::string newFile = argv[2], existing = argv[3];
        size_t a = newFile.find_last_of('\\'), b = existing.find_last_of('\\');
        CompareVersions(nullptr, newFile.substr(0, a).c_str(), newFile.substr(a + 1).c_str(),
                        existing.substr(0, b).c_str(), existing.substr(b + 1).c_str());
    } else if (g_name.rfind("MESSAGE-", 0) == 0) {
        const char* a = argc > 4 ? argv[4] : "";
        const char* b = argc > 5 ? argv[5] : "";
        ShowMessage(g_instance, nullptr, UINT(std::strtoul(argv[2], nullptr, 10)), kCaption,
                    UINT(std::strtoul(argv[3], nullptr, 16)), a, b);
    } else {
        ExitProcess(2);
    }
    watcher.join();
    return 0;
}
