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

// Deletes the group. Without its second argument DeleteGroup means a common group, which is
// what CreateGroup makes for an administrator; a user without those rights got a personal one
// ("name,0"), tried when the first is refused.
bool SendDeleteGroup(HCONV conversation) {
    const char* group = g_setupScript.settings.groupName;
    char command[kCommandChars + 1];
    std::snprintf(command, sizeof command, "[DeleteGroup(%s)]", group);
    if (SendCommand(conversation, command)) return true;
    std::snprintf(command, sizeof command, "[DeleteGroup(%s,0)]", group);
    return SendCommand(conversation, command);
}

// One conversation with PROGMAN in which `send` sends its commands, with Program Manager's
// window kept from the user while it lasts. Answers what `send` answered; false without a
// conversation.
bool Converse(bool (*send)(HCONV)) {
    HSZ service = g_setupSyscalls.DdeCreateStringHandleA(g_ddeInstance, "PROGMAN", CP_WINANSI);
    HSZ topic = g_setupSyscalls.DdeCreateStringHandleA(g_ddeInstance, "PROGMAN", CP_WINANSI);
    HCONV conversation = service && topic ? g_setupSyscalls.DdeConnect(g_ddeInstance, service, topic, nullptr)
                                          : nullptr;
    bool done = false;
    if (conversation) {
        HWND programManager = FindWindowA("PROGMAN", nullptr);
        // Only a window this function disabled is enabled again.
        bool disabled = programManager && !EnableWindow(programManager, FALSE);
        done = send(conversation);
        if (disabled) EnableWindow(programManager, TRUE);
        g_setupSyscalls.DdeDisconnect(conversation);
    }
    if (topic) g_setupSyscalls.DdeFreeStringHandle(g_ddeInstance, topic);
    if (service) g_setupSyscalls.DdeFreeStringHandle(g_ddeInstance, service);
    return done;
}

}  // namespace

int SetupProgramManager(HWND status) {
    SetStatusTexts(status, "Setting up Program Manager...", "");
    if (!g_setupScript.settings.groupFile[0]) return -1;
    if (g_setupScript.programItemCount == 0) return 0;
    return Converse(SendGroup) ? 0 : -1;
}

int RemoveProgramManagerGroup() {
    // The installation made no group without a group file or without items.
    if (!g_setupScript.settings.groupFile[0] || g_setupScript.programItemCount == 0) return 0;
    return Converse(SendDeleteGroup) ? 0 : -1;
}

HDDEDATA CALLBACK SetupDdeCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }
