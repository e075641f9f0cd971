// RunUninstall: SETUP.EXE /U removes what the installation put into the system, and no more.
#include <cstring>
#include <initializer_list>

#include "setup/program/copy_files.h"
#include "setup/program/excel_addins.h"
#include "setup/program/exit_codes.h"
#include "setup/program/host_integration.h"
#include "setup/program/load_setup_script.h"
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

// The destination: the one remembered in the user's profile, else the entry's install location.
bool FindInstallation() {
    g_setupSyscalls.GetProfileStringA("CORVANE", "Install", "", destDir, sizeof destDir);
    HKEY key;
    if (!destDir[0] && RegOpenKeyExA(HKEY_CURRENT_USER, kUninstallKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        DWORD type = 0, size = sizeof destDir - 1;
        if (RegQueryValueExA(key, "InstallLocation", nullptr, &type, reinterpret_cast<BYTE*>(destDir), &size) !=
                ERROR_SUCCESS ||
            type != REG_SZ)
            destDir[0] = '\0';
        destDir[sizeof destDir - 1] = '\0';
        RegCloseKey(key);
    }
    size_t length = std::strlen(destDir);
    if (length > 0 && destDir[length - 1] == '\\') destDir[length - 1] = '\0';
    return destDir[0] != '\0';
}

// Windows does not let a running program delete its own file, but it lets it rename it: this
// program's file goes into the temporary folder, to be deleted there at the next start of
// Windows where the user's rights allow that request.
bool MoveAsideOwnFile(LPCSTR path) {
    char self[MAX_PATH] = "", folder[MAX_PATH], aside[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    if (lstrcmpiA(self, path) != 0 || !GetTempPathA(sizeof folder, folder) ||
        !GetTempFileNameA(folder, "MZU", 0, aside))
        return false;
    if (!MoveFileExA(path, aside, MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(aside);
        return false;
    }
    MoveFileExA(aside, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    return true;
}

// Deletes `name` in the destination when it is there. False when it is there and stays.
bool RemoveFile(LPCSTR name) {
    char path[kDestDirChars + 2 + kFileNameChars];
    JoinPath(path, sizeof path, destDir, name);
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return true;
    if (g_setupSyscalls.DeleteFileA(path) || MoveAsideOwnFile(path)) {
        LogLine("Removed %s", path);
        return true;
    }
    LogLine("%s could not be removed (error %lu)", path, GetLastError());
    return false;
}

// The script's files, CORVANE.INI and the removal's own two files, then the folder if nothing
// else is left in it. False when a file stays.
bool RemoveFiles() {
    bool all = true;
    for (int i = 0; i < g_setupScript.fileCount; ++i) all = RemoveFile(g_setupScript.files[i].destName) && all;
    for (const char* name : {"CORVANE.INI", "SETUP.INF", "SETUP.EXE"}) all = RemoveFile(name) && all;
    // A folder that is some process's current directory cannot be removed: not this one's.
    char windows[MAX_PATH];
    if (GetWindowsDirectoryA(windows, sizeof windows)) SetCurrentDirectoryA(windows);
    if (RemoveDirectoryA(destDir)) LogLine("Removed the folder %s", destDir);
    return all;
}

// The group over a DDE registration of its own. 0 when it went or there was none.
int RemoveGroup() {
    g_ddeInstance = 0;
    if (g_setupSyscalls.DdeInitializeA(&g_ddeInstance, SetupDdeCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
        return -1;
    int result = RemoveProgramManagerGroup();
    g_setupSyscalls.DdeUninitialize(g_ddeInstance);
    g_ddeInstance = 0;
    return result;
}

// The entry in the list of programs and the remembered destination, with the profile's section
// when nothing else of it is left.
void ForgetInstallation() {
    RegDeleteKeyA(HKEY_CURRENT_USER, kUninstallKey);
    g_setupSyscalls.WriteProfileStringA("CORVANE", "Install", nullptr);
    char rest[4];
    if (GetProfileSectionA("CORVANE", rest, sizeof rest) == 0)
        g_setupSyscalls.WriteProfileStringA("CORVANE", nullptr, nullptr);
}

}  // namespace

int RunUninstall() {
    if (!LoadDistributionScript()) return RecordedOutcome();
    const char* app = g_setupScript.settings.AppName;
    if (!FindInstallation()) {
        ShowMessage(g_instance, nullptr, IDS_NOTHING_TO_REMOVE, kCaption, kNotice, app);
        return kExitNotInstalled;
    }
    LogLine("Removing %s from %s", app, destDir);
    if (!g_options.quiet && ShowMessage(g_instance, nullptr, IDS_CONFIRM_REMOVE, kCaption,
                                        MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL, app, destDir) != IDYES)
        return kExitSuccess;
    if (!WaitForExcelToClose(IDS_EXCEL_RUNNING_REMOVE, app)) return kExitExcelRunning;
    RemoveOpenEntries(destDir);
    if (!RemoveFiles()) RecordFailure(kExitFilesLeft);
    if (RemoveGroup() != 0) RecordFailure(kExitProgramManager);
    // With a file left the removal must be possible again.
    if (RecordedOutcome() != kExitFilesLeft) ForgetInstallation();
    UINT message = RecordedOutcome() == kExitFilesLeft       ? IDS_FILES_LEFT
                   : RecordedOutcome() == kExitProgramManager ? IDS_REMOVED_NO_GROUP
                                                              : IDS_REMOVED;
    ShowMessage(g_instance, nullptr, message, kCaption, kNotice, app, destDir);
    return RecordedOutcome();
}
