// RegisterUninstall: the installation in Windows' list of installed programs.
#include <cstring>

#include "setup/program/copy_files.h"
#include "setup/program/exit_codes.h"
#include "setup/program/setup_log.h"
#include "setup/program/setup_state.h"
#include "setup/program/setup_syscalls.h"
#include "setup/program/show_message.h"
#include "setup/program/uninstall.h"
#include "setup/script/setup_script.h"
#include "version_string.h"

namespace {

constexpr int kPathChars = kDestDirChars + sizeof "\\SETUP.EXE";

bool SetText(HKEY key, LPCSTR name, LPCSTR value) {
    return g_setupSyscalls.RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                          DWORD(std::strlen(value) + 1)) == ERROR_SUCCESS;
}

bool SetNumber(HKEY key, LPCSTR name, DWORD value) {
    return g_setupSyscalls.RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                          sizeof value) == ERROR_SUCCESS;
}

// The product's version: the "ProductVersion" of the first installed file that has one.
void ReadProductVersion(char* version, WORD size) {
    version[0] = '\0';
    for (int i = 0; i < g_setupScript.fileCount && !version[0]; ++i) {
        char path[kDestDirChars + 2 + kFileNameChars];
        JoinPath(path, sizeof path, destDir, g_setupScript.files[i].destName);
        GetVersionString(path, "ProductVersion", version, size);
    }
}

// The values of the entry; false at the first that cannot be written.
bool WriteEntry(HKEY key, LPCSTR program) {
    char location[kPathChars], command[kPathChars + 16], quietCommand[kPathChars + 16], version[50];
    JoinPath(location, sizeof location, destDir, "");
    wsprintfA(command, "\"%s\" /U", program);
    wsprintfA(quietCommand, "\"%s\" /U /Q", program);
    ReadProductVersion(version, sizeof version);
    // No Change or Repair: this program only installs and removes.
    return SetText(key, "DisplayName", g_setupScript.settings.AppName) &&
           (!version[0] || SetText(key, "DisplayVersion", version)) && SetText(key, "Publisher", kCaption) &&
           SetText(key, "InstallLocation", location) && SetText(key, "UninstallString", command) &&
           SetText(key, "QuietUninstallString", quietCommand) && SetNumber(key, "NoModify", 1) &&
           SetNumber(key, "NoRepair", 1);
}

bool Failed(LPCSTR what) {
    LogLine("%s: Windows' list of programs does not offer the removal", what);
    RecordFailure(kExitUninstallEntry);
    return false;
}

}  // namespace

bool RegisterUninstall() {
    char self[MAX_PATH] = "", script[kSourceDirChars + sizeof "SETUP.INF"];
    char program[kPathChars], scriptCopy[kPathChars];
    GetModuleFileNameA(nullptr, self, sizeof self);
    wsprintfA(script, "%sSETUP.INF", sourceDir);
    JoinPath(program, sizeof program, destDir, "SETUP.EXE");
    JoinPath(scriptCopy, sizeof scriptCopy, destDir, "SETUP.INF");
    // The removal runs from the destination: the distribution may be gone by then.
    if (!g_setupSyscalls.CopyFileA(self, program, FALSE) || !g_setupSyscalls.CopyFileA(script, scriptCopy, FALSE))
        return Failed("SETUP.EXE and SETUP.INF could not be copied into the destination");
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kUninstallKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return Failed("The entry could not be created");
    bool written = WriteEntry(key, program);
    RegCloseKey(key);
    if (!written) return Failed("The entry could not be written");
    LogLine("Registered the removal: HKEY_CURRENT_USER\\%s, \"%s\" /U", kUninstallKey, program);
    return true;
}
