// WriteIniData: the script's INI entries in CORVANE.INI and the destination in the user's profile.
#include "setup/program/copy_files.h"
#include "setup/program/dialogs.h"
#include "setup/program/host_integration.h"
#include "setup/program/setup_state.h"
#include "setup/program/setup_syscalls.h"
#include "setup/script/setup_script.h"

int WriteIniData(HWND status) {
    SetStatusTexts(status, "Writing initialization data...", "");
    char iniPath[kDestDirChars + sizeof "\\CORVANE.INI"];
    JoinPath(iniPath, sizeof iniPath, destDir, "CORVANE.INI");
    const ApplicationSettings& settings = g_setupScript.settings;
    for (int i = 0; i < g_setupScript.iniEntryCount; ++i) {
        const IniEntry& entry = g_setupScript.iniEntries[i];
        g_setupSyscalls.WritePrivateProfileStringA(settings.AppCode, entry.key, entry.value, iniPath);
    }
    // The next installation offers this destination again.
    g_setupSyscalls.WriteProfileStringA("CORVANE", "Install", destDir);
    g_setupSyscalls.WritePrivateProfileStringA(settings.AppCode, "Name", settings.AppName, iniPath);
    return 0;
}
