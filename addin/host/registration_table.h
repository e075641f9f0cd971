// The add-in's static registration and menu tables: fixed-width rows of placeholder texts and string ids.
#pragma once

#include <cstdint>

#include "platform.h"
#include "xloper.h"

// One function or command to register. Every text starts as a placeholder (a blank in the
// length byte) and becomes a counted string when the tables are prepared at attach.
struct RegistrationEntry {
    char procedure[25];     // exported name; also what xlAutoRegister looks up
    char typeText[10];      // return letter, then one letter per argument
    char functionText[25];  // the name the host shows and calls
    DWORD argumentTextId;
    char macroType[8];  // "1" worksheet function, "2" command
    DWORD categoryId;
    char shortcut[6];
    WORD helpContext;
    DWORD functionHelpId;
    WORD argumentHelpCount;  // 0 to 4
    DWORD argumentHelpIds[4];
};

// One item to add to a host menu.
struct MenuCommandEntry {
    DWORD itemTextId;  // 0 ends the table
    char commandName[25];
    char shortcut[7];
    DWORD statusTextId;
    DWORD helpContext;
    int32_t menuBar;
    char menuName[28];
};

// The rows of functions.inc in its order, then the sentinel row "END".
extern RegistrationEntry g_registrationTable[];
// One row, then the row with item text id 0.
extern MenuCommandEntry g_menuTable[2];

// A row's argument helps, written in functions.inc as a parenthesised list of ids: MEZURA_IDS
// makes them an initializer, MEZURA_ID_COUNT counts them.
#define MEZURA_IDS(...) {__VA_ARGS__}
#define MEZURA_ID_COUNT(...) CountIds(__VA_ARGS__)
template <typename... Ids>
constexpr WORD CountIds(Ids...) { return WORD(sizeof...(Ids)); }

// True for the row that ends the registration table.
bool IsSentinelRow(const RegistrationEntry& entry);

// Turns every placeholder text of both tables (sentinels excluded) into a counted string.
void PrepareAddinTables();
