// xlAutoOpen and xlAutoClose: the host opens the add-in (register, add the menu) and closes it (undo both).
#include "addin_module.h"
#include "automation.h"
#include "host_interface.h"
#include "register_function.h"

XLL_EXPORT int XLLAPI xlAutoOpen() {
    StartAutomation();  // a host it cannot reach still gets every function
    ChooseInterfaceForOpeningHost();
    bool excel12 = g_hostInterface == HostInterface::Excel12;
    SettleAttachPrecision(excel12);
    // On Excel12 the worksheet functions register in their thread-safe form; the command
    // keeps Excel4, as it must run on the host's main thread.
    for (const RegistrationEntry* entry = g_registrationTable; !IsSentinelRow(*entry); ++entry) {
        if (excel12 && IsWorksheetFunction(*entry)) RegisterFunction12(*entry, nullptr);
        else RegisterFunction(*entry, nullptr);
    }
    for (const MenuCommandEntry* entry = g_menuTable; entry->itemTextId != 0; ++entry) AddMenuCommand(*entry);
    return 1;
}

// Undoes xlAutoOpen without asking whether it ran: deleting what is not there is harmless.
XLL_EXPORT int XLLAPI xlAutoClose() {
    for (const MenuCommandEntry* entry = g_menuTable; entry->itemTextId != 0; ++entry) DeleteMenuCommand(*entry);
    for (const RegistrationEntry* entry = g_registrationTable; !IsSentinelRow(*entry); ++entry)
        DeleteFunctionName(*entry);
    StopAutomation();
    return 1;
}
