// Registering one table row with the host, and adding one menu item.
#pragma once

#include "registration_table.h"

// Registers `entry` through xlfRegister; the host's answer (the register id) lands in
// `result` when one is given. A row is skipped when the host cannot name the add-in's file.
void RegisterFunction(const RegistrationEntry& entry, XLOPER* result);

// Adds the menu item of `entry` through xlfAddCommand; nothing when memory runs out.
void AddMenuCommand(const MenuCommandEntry& entry);

// Deletes the menu item of `entry` through xlfDeleteCommand.
void DeleteMenuCommand(const MenuCommandEntry& entry);

// Deletes the name the registration of `entry` defined (xlfSetName with the name alone).
void DeleteFunctionName(const RegistrationEntry& entry);
