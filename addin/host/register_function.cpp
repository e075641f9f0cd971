// Registering one table row with the host, and adding one menu item.
#include "register_function.h"

#include <cstdlib>

#include "addin_directory.h"
#include "addin_module.h"
#include "addin_syscalls.h"
#include "automation.h"
#include "counted_text.h"
#include "host_records.h"

namespace {

// Load buffers reused by every registration: argument text, category, function help, the
// argument descriptions, and the help topic.
char g_argumentText[kLoadBufferSize];
char g_category[kLoadBufferSize];
char g_functionHelp[kLoadBufferSize];
char g_argumentHelp[4][kLoadBufferSize];
char g_helpTopic[kLoadBufferSize];
char g_menuItemText[kLoadBufferSize];

// The command description xlfAddCommand takes: a 1 x 5 array of texts, built as one block.
struct MenuDescription {
    XLOPER array;
    XLOPER items[5];
    char itemText[kLoadBufferSize];
    char statusText[kLoadBufferSize];
    char helpReference[kLoadBufferSize];
};

}  // namespace

void RegisterFunction(const RegistrationEntry& entry, XLOPER* result) {
    XLOPER module = UnwrittenAnswer();
    if (Excel4(xlGetName, &module, 0) != xlretSuccess) return;
    HostRecordGuard releaseModule(&module);
    // Without the add-in's file name the host cannot bind the row to its export.
    if (module.xltype != xltypeStr) return;

    WORD helpCount = entry.argumentHelpCount <= 4 ? entry.argumentHelpCount : 4;
    LoadCountedString(g_hInstance, entry.argumentTextId, g_argumentText, kLoadBufferSize);
    LoadCountedString(g_hInstance, entry.categoryId, g_category, kLoadBufferSize);
    LoadCountedString(g_hInstance, entry.functionHelpId, g_functionHelp, kLoadBufferSize);
    for (WORD i = 0; i < helpCount; ++i)
        LoadCountedString(g_hInstance, entry.argumentHelpIds[i], g_argumentHelp[i], kLoadBufferSize);
    FormatHelpTopic(g_helpTopic, kLoadBufferSize, HelpFileFor(HostMajorVersion()), entry.helpContext);

    XLOPER procedure = TextRecord(entry.procedure);
    XLOPER typeText = TextRecord(entry.typeText);
    XLOPER functionText = TextRecord(entry.functionText);
    XLOPER argumentText = TextRecord(g_argumentText);
    XLOPER macroType = TextRecord(entry.macroType);
    XLOPER category = TextRecord(g_category);
    XLOPER shortcut = TextRecord(entry.shortcut);
    XLOPER helpTopic = TextRecord(g_helpTopic);
    XLOPER functionHelp = TextRecord(g_functionHelp);
    XLOPER argumentHelp[4];
    for (int i = 0; i < 4; ++i) StoreText(&argumentHelp[i], g_argumentHelp[i]);
    // The count tells the host how many of the fourteen records it reads.
    Excel4(xlfRegister, result, 10 + helpCount, &module, &procedure, &typeText, &functionText, &argumentText,
           &macroType, &category, &shortcut, &helpTopic, &functionHelp, &argumentHelp[0], &argumentHelp[1],
           &argumentHelp[2], &argumentHelp[3]);
}

void AddMenuCommand(const MenuCommandEntry& entry) {
    auto* description = static_cast<MenuDescription*>(g_addinSyscalls.malloc(sizeof(MenuDescription)));
    if (!description) return;
    LoadCountedString(g_hInstance, entry.itemTextId, description->itemText, kLoadBufferSize);
    LoadCountedString(g_hInstance, entry.statusTextId, description->statusText, kLoadBufferSize);
    FormatHelpTopic(description->helpReference, kLoadBufferSize, HelpFileFor(HostMajorVersion()), entry.helpContext);
    StoreText(&description->items[0], description->itemText);
    StoreText(&description->items[1], entry.commandName);
    StoreText(&description->items[2], entry.shortcut);
    StoreText(&description->items[3], description->statusText);
    StoreText(&description->items[4], description->helpReference);
    description->array = XLOPER{};
    description->array.xltype = xltypeMulti | xlbitDLLFree;
    description->array.val.array.lparray = description->items;
    description->array.val.array.rows = 1;
    description->array.val.array.columns = 5;

    XLOPER menuBar = NumberRecord(entry.menuBar);
    XLOPER menuName = TextRecord(entry.menuName);
    XLOPER answer = UnwrittenAnswer();
    Excel4(xlfAddCommand, &answer, 3, &menuBar, &menuName, &description->array);
    HostRecordGuard release(&answer);
    // An argument is only borrowed by the host, which never hands it to xlAutoFree despite
    // its flag: release it here, or every opening would leak one block.
    std::free(description);
}

void DeleteMenuCommand(const MenuCommandEntry& entry) {
    LoadCountedString(g_hInstance, entry.itemTextId, g_menuItemText, kLoadBufferSize);
    XLOPER menuBar = NumberRecord(entry.menuBar);
    XLOPER menuName = TextRecord(entry.menuName);
    XLOPER itemText = TextRecord(g_menuItemText);
    XLOPER answer = UnwrittenAnswer();
    Excel4(xlfDeleteCommand, &answer, 3, &menuBar, &menuName, &itemText);
    HostRecordGuard release(&answer);
}

void DeleteFunctionName(const RegistrationEntry& entry) {
    XLOPER name = TextRecord(entry.functionText);
    Excel4(xlfSetName, nullptr, 1, &name);
}
