// The add-in's static registration and menu tables: fixed-width rows of placeholder texts and string ids.
#include "registration_table.h"

#include "counted_text.h"

// Every row of functions.inc as a placeholder row: the function text is the procedure, the
// shortcut empty, the macro type "1" for a worksheet function and "2" for the command.
#define MEZURA_REGISTRATION_ROW(procedure, type, arguments, macroType, category, context, description, helps) \
    {" " #procedure, " " type, " " #procedure, arguments, macroType, category, " ", context, description,   \
     MEZURA_ID_COUNT helps, MEZURA_IDS helps},

RegistrationEntry g_registrationTable[] = {
#define MEZURA_CONVERSION(procedure, type, arguments, category, context, description, helps, table, count, converter, source) \
    MEZURA_REGISTRATION_ROW(procedure, type, arguments, " 1", category, context, description, helps)
#define MEZURA_TANK(procedure, type, arguments, category, context, description, helps) \
    MEZURA_REGISTRATION_ROW(procedure, type, arguments, " 1", category, context, description, helps)
#define MEZURA_LEVEL(procedure, type, arguments, category, context, description, helps, volume) \
    MEZURA_REGISTRATION_ROW(procedure, type, arguments, " 1", category, context, description, helps)
#define MEZURA_FUNCTION(procedure, type, arguments, category, context, description, helps) \
    MEZURA_REGISTRATION_ROW(procedure, type, arguments, " 1", category, context, description, helps)
#define MEZURA_COMMAND(procedure, type, arguments, category, context, description, helps) \
    MEZURA_REGISTRATION_ROW(procedure, type, arguments, " 2", category, context, description, helps)
#include "functions.inc"
    // Not a placeholder: the sentinel is never prepared, so its first byte stays a letter.
    {"END", "", "", 0, "", 0, "", 0, 0, 0, {0, 0, 0, 0}},
};

MenuCommandEntry g_menuTable[2] = {
    {2003, " MezuraHelp", " ", 2236, 3, 10, " Help"},
    {0, "", "", 0, 0, 0, ""},
};

bool IsSentinelRow(const RegistrationEntry& entry) {
    // A prepared row starts with its length (under 24) and an unprepared one with a blank,
    // so only the sentinel can read as the letters END.
    const char* text = entry.procedure;
    return (text[0] | 0x20) == 'e' && (text[1] | 0x20) == 'n' && (text[2] | 0x20) == 'd' && text[3] == 0;
}

void PrepareAddinTables() {
    for (RegistrationEntry* entry = g_registrationTable; !IsSentinelRow(*entry); ++entry) {
        PreparePlaceholder(entry->procedure);
        PreparePlaceholder(entry->typeText);
        PreparePlaceholder(entry->functionText);
        PreparePlaceholder(entry->macroType);
        PreparePlaceholder(entry->shortcut);
    }
    for (MenuCommandEntry* entry = g_menuTable; entry->itemTextId != 0; ++entry) {
        PreparePlaceholder(entry->commandName);
        PreparePlaceholder(entry->shortcut);
        PreparePlaceholder(entry->menuName);
    }
}
