// xlAutoOpen and xlAutoClose: the host opens the add-in (register, add the menu) and closes it (undo both).
#include "automation.h"
#include "register_function.h"

XLL_EXPORT int XLLAPI xlAutoOpen() {
    StartAutomation();  // a host it cannot reach still gets every function
    for (const RegistrationEntry* entry = g_registrationTable; !IsSentinelRow(*entry); ++entry)
        RegisterFunction(*entry, nullptr);
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
