// Registering one table row with the host, and adding one menu item.
#pragma once

#include "registration_table.h"
#include "wide_text.h"
#include "xloper12.h"

// Registers `entry` through xlfRegister; the host's answer (the register id) lands in
// `result` when one is given. A row is skipped when the host cannot name the add-in's file.
void RegisterFunction(const RegistrationEntry& entry, XLOPER* result);

// The same through Excel12, for a host on that path: the procedure is the row's own followed by
// 12 (its XLOPER12 export), the type text marked thread-safe (Excel12TypeText), every text in
// UTF-16; names, helps, category and help topic as RegisterFunction gives them.
void RegisterFunction12(const RegistrationEntry& entry, XLOPER12* result);

// A row's type text for Excel12: record letters R and P become U and Q, and the mark $ after the
// last argument declares the function thread-safe ("UUUU$" for "RRRR").
void Excel12TypeText(const char* typeText, char (&out)[kCountedTextRoom]);

// True for a worksheet function's row (macro type 1), false for a command.
bool IsWorksheetFunction(const RegistrationEntry& entry);

// Adds the menu item of `entry` through xlfAddCommand; nothing when memory runs out.
void AddMenuCommand(const MenuCommandEntry& entry);

// Deletes the menu item of `entry` through xlfDeleteCommand.
void DeleteMenuCommand(const MenuCommandEntry& entry);

// Deletes the name the registration of `entry` defined (xlfSetName with the name alone).
void DeleteFunctionName(const RegistrationEntry& entry);
