// RunMainSequence: the installation's steps in order, each failure ending in its one message;
// RunSetup: the command line, the log, and the installation or the removal.
#include <windows.h>

#include "setup/program/copy_files.h"
#include "setup/program/dest_checks.h"
#include "setup/program/dialogs.h"
#include "setup/program/directories.h"
#include "setup/program/exit_codes.h"
#include "setup/program/host_integration.h"
#include "setup/program/load_setup_script.h"
#include "setup/program/main_sequence.h"
#include "setup/program/setup_ids.h"
#include "setup/program/setup_log.h"
#include "setup/program/setup_options.h"
#include "setup/program/setup_state.h"
#include "setup/program/setup_syscalls.h"
#include "setup/program/show_message.h"
#include "setup/program/uninstall.h"
#include "setup/script/setup_script.h"

namespace {

constexpr UINT kNotice = MB_ICONINFORMATION | MB_TASKMODAL;
constexpr UINT kWarning = MB_ICONEXCLAMATION | MB_TASKMODAL;

void Tell(UINT message, UINT style) { ShowMessage(g_instance, nullptr, message, kCaption, style); }

// The checks of the destination and its creation, each failure with its message. Answers
// kExitSuccess or the failure.
SetupExit CheckDestination() {
    if (!HasFreeSpace()) {
        Tell(IDS_NO_SPACE, kNotice);
        return kExitNoSpace;
    }
    if (SourceDestConflict()) {
        Tell(IDS_CONFLICT, kNotice);
        return kExitConflict;
    }
    ShowWindow(g_statusWindow, SW_SHOW);
    int created = CreateDestDir(g_statusWindow);
    ShowWindow(g_statusWindow, SW_HIDE);
    return created == 0 ? kExitSuccess : kExitCannotCreate;
}

// A silent run takes the default destination, or /D, without asking: one try.
bool TakeDestination() {
    const char* entry = g_options.dest[0] ? g_options.dest : destDir;
    char path[OFS_MAXPATHNAME];
    if (!ExpandPath(entry, path, kDestDirChars)) {
        ShowMessage(g_instance, nullptr, IDS_BAD_DIRECTORY, kCaption, kNotice, entry);
        RecordFailure(kExitBadDestination);
        return false;
    }
    SetDestDir(path);
    SetupExit checked = CheckDestination();
    if (checked == kExitSuccess) return true;
    RecordFailure(checked);
    return false;
}

// Asks for the directories until the destination passes its checks and exists. False when
// the user cancelled WELCOME.
bool ChooseDestination() {
    if (g_options.quiet) return TakeDestination();
    // WELCOME offers /D in place of the default.
    if (g_options.dest[0]) lstrcpynA(destDir, g_options.dest, sizeof destDir);
    for (;;) {
        if (DialogBoxParamA(g_instance, "WELCOME", nullptr, WelcomeDlgProc, 0) != IDOK) return false;
        if (CheckDestination() == kExitSuccess) return true;
    }
}

// The copy phase in STATUS. False after its message.
bool CopyPhase() {
    ShowWindow(g_statusWindow, SW_SHOW);
    SetStatusTexts(g_statusWindow, "Copying Common files...", nullptr);
    if (CopyFiles(g_statusWindow, g_setupScript.files, g_setupScript.fileCount) == 0) return true;
    Tell(IDS_NOT_INSTALLED, kWarning);
    RecordFailure(kExitCopy);
    return false;
}

// The final message when the add-in was added to Excel: it says which add-in, to which Excel.
void TellAdded(UINT message, const AddedAddIn& added) {
    ShowMessage(g_instance, nullptr, message, kCaption, kNotice, added.addIn, added.excel);
}

// Everything after the copy. Nothing copied or written is undone when a step fails.
void IntegrationPhase() {
    WriteIniData(g_statusWindow);
    RegisterUninstall();
    AddedAddIn added{};
    bool registered = RegisterAddInWithExcel(g_statusWindow, &added);
    if (SetupProgramManager(g_statusWindow) != 0) {
        RecordFailure(kExitProgramManager);
        if (registered) TellAdded(IDS_DONE_ADDIN_NO_GROUP, added);
        else Tell(IDS_DONE_NO_GROUP, kNotice);
        return;
    }
    SetStatusTexts(g_statusWindow, "Updating Add-In Manager...", "");
    // A silent run opens no window, Excel's neither: where the add-in was not added, its last
    // message says that the user must add it.
    bool started = !g_options.quiet && UpdateAddInManager(g_statusWindow) == 0;
    if (registered) TellAdded(IDS_DONE_ADDIN, added);
    else Tell(started ? IDS_DONE : IDS_NO_ADDIN_MANAGER, kNotice);
}

// The steps that run with a DDE registration.
void RunRegistered() {
    if (!LoadDistributionScript()) return;
    if (!g_options.quiet) {
        g_statusWindow = CreateDialogParamA(g_instance, "STATUS", nullptr, StatusDlgProc, 0);
        // Without a window system nothing can be asked or shown: leave before any change.
        if (!g_statusWindow) return;
    }
    ReadDefaultDir();
    if (ChooseDestination() && CopyPhase()) IntegrationPhase();
}

}  // namespace

int RunMainSequence() {
    if (FindExcel() != 0) {
        Tell(IDS_NO_EXCEL, kWarning);
        RecordFailure(kExitNoExcel);
        return RecordedOutcome();
    }
    StripExcelQuotes(excelCommand);
    g_ddeInstance = 0;
    if (g_setupSyscalls.DdeInitializeA(&g_ddeInstance, SetupDdeCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
        // No message: without DDE the installer cannot finish its work.
        LogLine("The DDE library cannot be used");
        RecordFailure(kExitNoDde);
        return RecordedOutcome();
    }
    RunRegistered();
    if (g_statusWindow) DestroyWindow(g_statusWindow);
    g_statusWindow = nullptr;
    g_setupSyscalls.DdeUninitialize(g_ddeInstance);
    g_ddeInstance = 0;
    return RecordedOutcome();
}

int RunSetup(LPCSTR commandLine) {
    ResetOutcome();
    char bad[64];
    if (!ParseCommandLine(commandLine, &g_options, bad, sizeof bad)) {
        ShowMessage(g_instance, nullptr, IDS_BAD_COMMAND_LINE, kCaption, kWarning, bad);
        return kExitCommandLine;
    }
    if (g_options.log[0] && !OpenSetupLog(g_options.log)) {
        ShowMessage(g_instance, nullptr, IDS_LOG_FAILED, kCaption, kWarning, g_options.log);
        return kExitLogFile;
    }
    LogLine("SETUP.EXE %s", commandLine);
    int outcome = g_options.uninstall ? RunUninstall() : RunMainSequence();
    LogLine("Exit code %d", outcome);
    CloseSetupLog();
    return outcome;
}
