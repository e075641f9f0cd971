// SetupProgramManager: the product's group and items, sent to Program Manager as DDE commands.
#include <cstdio>
#include <cstring>

#include "setup/program/dialogs.h"
#include "setup/program/host_integration.h"
#include "setup/program/setup_state.h"
#include "setup/program/setup_syscalls.h"
#include "setup/script/setup_script.h"

namespace {

constexpr DWORD kCommandTimeout = 3000;  // milliseconds per command
// The longest command: an AddItem with a full command line and item name.
constexpr int kCommandChars = 120;

// Sends one command, its NUL counted; false when Program Manager gave no result.
bool SendCommand(HCONV conversation, const char* command) {
    DWORD length = DWORD(std::strlen(command) + 1);
    return g_setupSyscalls.DdeClientTransaction(reinterpret_cast<LPBYTE>(const_cast<char*>(command)), length,
                                                conversation, nullptr, CF_TEXT, XTYP_EXECUTE, kCommandTimeout,
                                                nullptr) != nullptr;
}

// The group, then each item replaced and added; false at the first item that fails.
bool SendGroup(HCONV conversation) {
    const ApplicationSettings& settings = g_setupScript.settings;
    char command[kCommandChars + 1];
    std::snprintf(command, sizeof command, "[CreateGroup(%s,%s)]", settings.groupName, settings.groupFile);
    SendCommand(conversation, command);  // an existing group is as good as a new one
    for (int i = 0; i < g_setupScript.programItemCount; ++i) {
        const ProgramItem& item = g_setupScript.programItems[i];
        char commandLine[kCommandLineChars + 1];
        lstrcpynA(commandLine, item.commandLine, sizeof commandLine);
        if (ExpandItemMacros(commandLine, sizeof commandLine) != 0) return false;
        std::snprintf(command, sizeof command, "[ReplaceItem(%s)]", item.itemName);
        SendCommand(conversation, command);  // a missing item need not be replaced
        std::snprintf(command, sizeof command, "[AddItem(%s,%s)]", commandLine, item.itemName);
        if (!SendCommand(conversation, command)) return false;
    }
    return true;
}

// The conversation, with Program Manager's window kept from the user while it lasts.
bool Converse(HSZ service, HSZ topic) {
    HCONV conversation = g_setupSyscalls.DdeConnect(g_ddeInstance, service, topic, nullptr);
    if (!conversation) return false;
    HWND programManager = FindWindowA("PROGMAN", nullptr);
    // Only a window this function disabled is enabled again.
    bool disabled = programManager && !EnableWindow(programManager, FALSE);
    bool added = SendGroup(conversation);
    if (disabled) EnableWindow(programManager, TRUE);
    g_setupSyscalls.DdeDisconnect(conversation);
    return added;
}

}  // namespace

int SetupProgramManager(HWND status) {
    SetStatusTexts(status, "Setting up Program Manager...", "");
    if (!g_setupScript.settings.groupFile[0]) return -1;
    if (g_setupScript.programItemCount == 0) return 0;
    HSZ service = g_setupSyscalls.DdeCreateStringHandleA(g_ddeInstance, "PROGMAN", CP_WINANSI);
    HSZ topic = g_setupSyscalls.DdeCreateStringHandleA(g_ddeInstance, "PROGMAN", CP_WINANSI);
    bool added = service && topic && Converse(service, topic);
    if (topic) g_setupSyscalls.DdeFreeStringHandle(g_ddeInstance, topic);
    if (service) g_setupSyscalls.DdeFreeStringHandle(g_ddeInstance, service);
    return added ? 0 : -1;
}

HDDEDATA CALLBACK SetupDdeCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }
