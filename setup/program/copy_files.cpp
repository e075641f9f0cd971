// CopyFiles: installs the script's files, forcing, asking or stopping by the service's answer.
#include "setup/program/copy_files.h"

#include "setup/program/dialogs.h"
#include "setup/program/setup_ids.h"
#include "setup/program/setup_log.h"
#include "setup/program/setup_options.h"
#include "setup/program/setup_state.h"
#include "setup/program/setup_syscalls.h"
#include "setup/program/show_message.h"

namespace {

constexpr UINT kPathBuffer = 260;

// The error bits of VerInstallFileA in the order they are tested: the first one set names
// the message.
struct InstallError {
    DWORD bit;
    UINT message;
};
constexpr InstallError kInstallErrors[] = {
    {VIF_CANNOTCREATE, IDS_VIF_CANNOTCREATE},
    {VIF_CANNOTDELETE, IDS_VIF_CANNOTDELETE},
    {VIF_CANNOTRENAME, IDS_VIF_CANNOTRENAME},
    {VIF_OUTOFSPACE, IDS_VIF_OUTOFSPACE},
    {VIF_ACCESSVIOLATION, IDS_VIF_ACCESSVIOLATION},
    {VIF_SHARINGVIOLATION, IDS_VIF_SHARINGVIOLATION},
    {VIF_OUTOFMEMORY, IDS_VIF_OUTOFMEMORY},
    {VIF_CANNOTREADSRC, IDS_VIF_CANNOTREADSRC},
    {VIF_CANNOTREADDST, IDS_VIF_CANNOTREADDST},
    {VIF_BUFFTOOSMALL, IDS_PATH_TOO_LONG},
    {VIF_DIFFCODEPG, IDS_VIF_DIFFCODEPG},
    {VIF_FILEINUSE, IDS_VIF_FILEINUSE},
    {VIF_WRITEPROT, IDS_VIF_WRITEPROT},
};

// One file's lookup and installation buffers.
struct Installation {
    char currentDir[kPathBuffer];
    char recommendedDir[kPathBuffer];
    char tempFile[kPathBuffer];
    DWORD flags;
};

// The version functions are declared with writable names but only read them.
LPSTR Writable(const char* text) { return const_cast<LPSTR>(text); }

// Lets the STATUS window see its Cancel button between two files.
void DispatchPending() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// A cancel confirmed in STATUS is asked once more. True when the copy must stop.
bool CancelConfirmed(HWND status) {
    HWND cancel = GetDlgItem(status, IDCANCEL);
    if (!cancel || IsWindowEnabled(cancel)) return false;  // a silent run has no STATUS window
    if (ShowMessage(g_instance, status, IDS_CONFIRM_CANCEL, kCaption, MB_YESNO | MB_ICONQUESTION) == IDYES)
        return true;
    EnableWindow(cancel, TRUE);
    return false;
}

// Finds where the file is and where it should go. False after a message.
bool LookUp(const FileEntry& entry, Installation* file) {
    UINT currentLength = kPathBuffer, recommendedLength = kPathBuffer;
    DWORD found = g_setupSyscalls.VerFindFileA(0, Writable(entry.destName), nullptr, destDir, file->currentDir,
                                               &currentLength, file->recommendedDir, &recommendedLength);
    const UINT taskModal = MB_ICONINFORMATION | MB_TASKMODAL;
    if (found & VFF_BUFFTOOSMALL) {
        ShowMessage(g_instance, nullptr, IDS_PATH_TOO_LONG, kCaption, taskModal);
        return false;
    }
    if (found & VFF_FILEINUSE) {
        ShowMessage(g_instance, nullptr, IDS_FILE_IN_USE, kCaption, taskModal, entry.destName);
        return false;
    }
    // An existing copy in another directory is left where it is.
    file->flags = (found & VFF_CURNEDEST) && file->currentDir[0] ? VIFF_DONTDELETEOLD : 0;
    return true;
}

// Shows the message of the first error bit in `result` and removes the temporary copy the
// service reported. False when `result` holds no error.
bool ReportInstallError(HWND status, DWORD result, const Installation& file) {
    for (const InstallError& error : kInstallErrors) {
        if (!(result & error.bit)) continue;
        ShowMessage(g_instance, status, error.message, kCaption, MB_ICONEXCLAMATION);
        if (result & VIF_TEMPFILE) DeleteTempFile(file.recommendedDir, file.tempFile);
        return true;
    }
    return false;
}

// The install call; `destination` is destDir on the first call and the recommended directory
// on a forced retry, which renames the temporary copy the first call left.
DWORD Install(const FileEntry& entry, LPSTR destination, Installation* file) {
    UINT tempLength = kPathBuffer;
    return g_setupSyscalls.VerInstallFileA(file->flags, Writable(entry.sourceName), Writable(entry.destName),
                                           sourceDir, destination, file->currentDir, file->tempFile, &tempLength);
}

// Whether the new file replaces an older or different existing one: COMPARE asks the user; a
// silent run keeps the newer file, the existing one when the service calls the new one older.
bool ReplaceExisting(HWND status, DWORD result, const FileEntry& entry, const Installation& file) {
    if (g_options.quiet) return !(result & VIF_SRCOLD);
    return CompareVersions(status, file.recommendedDir, file.tempFile, file.currentDir, entry.destName) == 1;
}

// Installs one entry. 0 when it was installed, forced or skipped; -1 after a message.
int CopyOne(HWND status, const FileEntry& entry) {
    Installation file{};
    if (!LookUp(entry, &file)) return -1;
    DWORD result = Install(entry, destDir, &file);
    if (result == 0) {
        LogLine("Installed %s", entry.destName);
        return 0;
    }
    if (ReportInstallError(status, result, file)) return -1;

    bool force = false;
    if (result & (VIF_DIFFLANG | VIF_DIFFTYPE)) {
        force = true;
    } else if (result & (VIF_SRCOLD | VIF_MISMATCH)) {
        force = ReplaceExisting(status, result, entry, file);
        if (!force) LogLine("Kept the existing %s", entry.destName);
        if (!force && (result & VIF_TEMPFILE)) DeleteTempFile(file.recommendedDir, file.tempFile);
    }
    if (!force) return 0;
    // A forced install that fails leaves the old file in place: that is an error like any
    // other, not a success. The temporary copy the first call made is the one the retry was
    // given, and it goes whether or not the retry reports it again.
    file.flags |= VIFF_FORCEINSTALL;
    DWORD retry = Install(entry, file.recommendedDir, &file);
    if (ReportInstallError(status, retry | (result & VIF_TEMPFILE), file)) return -1;
    LogLine("Installed %s over the existing file", entry.destName);
    return 0;
}

}  // namespace

int CopyFiles(HWND status, const FileEntry* files, int count) {
    for (int i = 0; i < count; ++i) {
        SetStatusTexts(status, nullptr, files[i].description);
        DispatchPending();
        if (CancelConfirmed(status)) return 2;
        if (CopyOne(status, files[i]) != 0) return -1;
    }
    return 0;
}
