// Registering one table row with the host, and adding one menu item.
#include "register_function.h"

#include <cstdlib>
#include <cstring>

#include "addin_directory.h"
#include "addin_module.h"
#include "addin_syscalls.h"
#include "automation.h"
#include "counted_text.h"
#include "host_interface.h"
#include "host_records.h"
#include "wide_text.h"

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

// Loads the row's texts from the string table and its help topic into the buffers above;
// answers how many argument helps the row has (at most 4).
WORD LoadRowTexts(const RegistrationEntry& entry) {
    WORD helpCount = entry.argumentHelpCount <= 4 ? entry.argumentHelpCount : 4;
    LoadCountedString(g_hInstance, entry.argumentTextId, g_argumentText, kLoadBufferSize);
    LoadCountedString(g_hInstance, entry.categoryId, g_category, kLoadBufferSize);
    LoadCountedString(g_hInstance, entry.functionHelpId, g_functionHelp, kLoadBufferSize);
    for (WORD i = 0; i < helpCount; ++i)
        LoadCountedString(g_hInstance, entry.argumentHelpIds[i], g_argumentHelp[i], kLoadBufferSize);
    FormatHelpTopic(g_helpTopic, kLoadBufferSize, HelpFileFor(HostMajorVersion()), entry.helpContext);
    return helpCount;
}

// The counted texts of one Excel12 registration in UTF-16, in xlfRegister's order after the
// module: procedure, type text, function text, argument text, macro type, category, shortcut,
// help topic, function help and the four argument helps.
struct WideRowTexts {
    XCHAR text[13][kCountedTextRoom];
};

// `counted` with `suffix` appended, as a counted text in `out`.
void AppendCounted(const char* counted, const char* suffix, char (&out)[kCountedTextRoom]) {
    int length = static_cast<unsigned char>(counted[0]);
    std::memcpy(out, counted, length + 1);
    for (; *suffix && length < 255; ++suffix) out[++length] = *suffix;
    out[0] = static_cast<char>(length);
    out[length + 1] = 0;
}

}  // namespace

void Excel12TypeText(const char* typeText, char (&out)[kCountedTextRoom]) {
    AppendCounted(typeText, "$", out);
    // R and P carry XLOPER records; their XLOPER12 counterparts are U and Q.
    for (int i = 1; i < static_cast<unsigned char>(out[0]); ++i) {
        if (out[i] == 'R') out[i] = 'U';
        else if (out[i] == 'P') out[i] = 'Q';
    }
}

bool IsWorksheetFunction(const RegistrationEntry& entry) {
    return entry.macroType[0] == 1 && entry.macroType[1] == '1';
}

void RegisterFunction(const RegistrationEntry& entry, XLOPER* result) {
    XLOPER module = UnwrittenAnswer();
    if (Excel4(xlGetName, &module, 0) != xlretSuccess) return;
    HostRecordGuard releaseModule(&module);
    // Without the add-in's file name the host cannot bind the row to its export.
    if (module.xltype != xltypeStr) return;

    WORD helpCount = LoadRowTexts(entry);

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

void RegisterFunction12(const RegistrationEntry& entry, XLOPER12* result) {
    XLOPER12 module = UnwrittenAnswer<XLOPER12>();
    if (Excel12(xlGetName, &module, 0) != xlretSuccess) return;
    HostRecordGuard<XLOPER12> releaseModule(&module);
    if (module.xltype != xltypeStr) return;

    WORD helpCount = LoadRowTexts(entry);
    char procedure[kCountedTextRoom], typeText[kCountedTextRoom];
    AppendCounted(entry.procedure, "12", procedure);
    Excel12TypeText(entry.typeText, typeText);
    const char* narrow[13] = {procedure,      typeText,          entry.functionText, g_argumentText, entry.macroType,
                              g_category,     entry.shortcut,    g_helpTopic,        g_functionHelp, g_argumentHelp[0],
                              g_argumentHelp[1], g_argumentHelp[2], g_argumentHelp[3]};
    WideRowTexts wide;
    XLOPER12 texts[13];
    for (int i = 0; i < 13; ++i) {
        WidenCountedText(narrow[i], wide.text[i], kCountedTextRoom);
        StoreText(&texts[i], wide.text[i]);
    }
    Excel12(xlfRegister, result, 10 + helpCount, &module, &texts[0], &texts[1], &texts[2], &texts[3], &texts[4],
            &texts[5], &texts[6], &texts[7], &texts[8], &texts[9], &texts[10], &texts[11], &texts[12]);
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
