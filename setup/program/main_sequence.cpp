// RunMainSequence: the installation's steps in order, each failure ending in its one message.
#include <windows.h>

#include "setup/program/copy_files.h"
#include "setup/program/dest_checks.h"
#include "setup/program/dialogs.h"
#include "setup/program/directories.h"
#include "setup/program/host_integration.h"
#include "setup/program/main_sequence.h"
#include "setup/program/setup_ids.h"
#include "setup/program/setup_state.h"
#include "setup/program/setup_syscalls.h"
#include "setup/program/show_message.h"
#include "setup/program/load_setup_script.h"
#include "setup/script/setup_script.h"

namespace {

constexpr UINT kNotice = MB_ICONINFORMATION | MB_TASKMODAL;
constexpr UINT kWarning = MB_ICONEXCLAMATION | MB_TASKMODAL;

void Tell(UINT message, UINT style) { ShowMessage(g_instance, nullptr, message, kCaption, style); }

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
            Tell(IDS_NO_SPACE, kNotice);
            continue;
        }
        if (SourceDestConflict()) {
            Tell(IDS_CONFLICT, kNotice);
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
    Tell(IDS_NOT_INSTALLED, kWarning);
    return false;
}

// Everything after the copy. Nothing copied or written is undone when a step fails.
void IntegrationPhase() {
    WriteIniData(g_statusWindow);
    if (SetupProgramManager(g_statusWindow) != 0) {
        Tell(IDS_DONE_NO_GROUP, kNotice);
        return;
    }
    SetStatusTexts(g_statusWindow, "Updating Add-In Manager...", "");
    Tell(UpdateAddInManager(g_statusWindow) == 0 ? IDS_DONE : IDS_NO_ADDIN_MANAGER, kNotice);
}

// The steps that run with a DDE registration.
void RunRegistered() {
    if (!LoadScript()) return;
    g_statusWindow = CreateDialogParamA(g_instance, "STATUS", nullptr, StatusDlgProc, 0);
    // Without a window system nothing can be asked or shown: leave before any change.
    if (!g_statusWindow) return;
    ReadDefaultDir();
    if (ChooseDestination() && CopyPhase()) IntegrationPhase();
}

}  // namespace

void RunMainSequence() {
    if (FindExcel() != 0) {
        Tell(IDS_NO_EXCEL, kWarning);
        return;
    }
    StripExcelQuotes(excelCommand);
    g_ddeInstance = 0;
    if (g_setupSyscalls.DdeInitializeA(&g_ddeInstance, SetupDdeCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
        return;  // no message: without DDE the installer cannot finish its work
    RunRegistered();
    if (g_statusWindow) DestroyWindow(g_statusWindow);
    g_statusWindow = nullptr;
    g_setupSyscalls.DdeUninitialize(g_ddeInstance);
    g_ddeInstance = 0;
}
