// SETUP.EXE's entry point: script, destination, copy, each step one named function.
#include <windows.h>

#include <cstring>

#include "setup/program/copy_files.h"
#include "setup/program/dest_checks.h"
#include "setup/program/dialogs.h"
#include "setup/program/directories.h"
#include "setup/program/setup_ids.h"
#include "setup/program/setup_state.h"
#include "setup/program/show_message.h"
#include "setup/script/load_setup_script.h"
#include "setup/script/setup_script.h"

namespace {

constexpr UINT kNotice = MB_ICONINFORMATION | MB_TASKMODAL;

// sourceDir: the directory of this program's own file, with its backslash.
void ReadSourceDir() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    char* slash = std::strrchr(path, '\\');
    if (slash) slash[1] = '\0';
    // A directory longer than sourceDir holds is cut; the script is then not found (1004).
    lstrcpynA(sourceDir, path, sizeof sourceDir);
}

// Loads SETUP.INF beside the program. False after the loader's message.
bool LoadScript() {
    char path[kSourceDirChars + sizeof "SETUP.INF"];
    wsprintfA(path, "%sSETUP.INF", sourceDir);
    WORD message = LoadSetupScript(path);
    if (message == 0) return true;
    ShowMessage(g_instance, nullptr, message, kCaption, kNotice, path);
    return false;
}

// Asks for the directories until the destination passes its checks and exists. False when
// the user cancelled WELCOME.
bool ChooseDestination() {
    for (;;) {
        if (DialogBoxParamA(g_instance, "WELCOME", nullptr, WelcomeDlgProc, 0) != IDOK) return false;
        if (!HasFreeSpace()) {
            ShowMessage(g_instance, nullptr, IDS_NO_SPACE, kCaption, kNotice);
            continue;
        }
        if (SourceDestConflict()) {
            ShowMessage(g_instance, nullptr, IDS_CONFLICT, kCaption, kNotice);
            continue;
        }
        ShowWindow(g_statusWindow, SW_SHOW);
        int created = CreateDestDir(g_statusWindow);
        ShowWindow(g_statusWindow, SW_HIDE);
        if (created == 0) return true;
    }
}

// The copy phase in STATUS. False after its message.
bool CopyPhase() {
    ShowWindow(g_statusWindow, SW_SHOW);
    SetStatusTexts(g_statusWindow, "Copying Common files...", nullptr);
    if (CopyFiles(g_statusWindow, g_setupScript.files, g_setupScript.fileCount) == 0) return true;
    ShowMessage(g_instance, nullptr, IDS_NOT_INSTALLED, kCaption, MB_ICONEXCLAMATION | MB_TASKMODAL);
    return false;
}

void RunInstallation() {
    if (!LoadScript()) return;
    // Without a window system nothing can be asked or shown: leave before any change.
    g_statusWindow = CreateDialogParamA(g_instance, "STATUS", nullptr, StatusDlgProc, 0);
    if (!g_statusWindow) return;
    ReadDefaultDir();
    if (ChooseDestination()) CopyPhase();
    DestroyWindow(g_statusWindow);
    g_statusWindow = nullptr;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    g_instance = instance;
    ReadSourceDir();
    RunInstallation();
    return 0;
}
