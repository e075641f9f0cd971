// What the emulated Excel keeps for its add-ins: registrations, names, menus, alerts and its version text.
//
// Host behaviours (Excel leaves these to the host; chosen to behave like Excel):
//  - xlfRegister(module, procedure, type text[, function text, argument text, macro type,
//    category, shortcut, help topic, function help, argument helps...]) records every
//    argument and answers the register id, a number. The function text, when given, defines
//    a name through which sheets call the function. Registering a module's procedure again
//    replaces the earlier registration and keeps its id (counted as a re-registration).
//    Fewer than three texts answer #VALUE!. Whether the module exports the procedure is
//    looked at only when the function is called.
//  - xlfRegisterId(module, procedure) answers the id of a live registration, #VALUE! when
//    there is none (it registers nothing).
//  - xlfUnregister(id) ends the registration and its name: TRUE, or FALSE for an unknown id.
//  - xlfSetName(name) with the name alone deletes the name (TRUE, or FALSE when there was
//    none); the registration behind it stays until unregistered. Other forms fail.
//  - Menu bar 10 holds the menus File, Edit, View, Insert, Format, Tools, Data, Window and
//    Help, empty. xlfAddCommand(bar, menu, description) appends one item per row of the
//    description (text, command, shortcut, status text, help reference; a text array, its
//    type word may carry xlbitDLLFree: the host only reads it) and answers the position of
//    the last item added; an unknown bar or menu answers #VALUE!.
//    xlfDeleteCommand(bar, menu, item text) removes the first item of that text (letter
//    case ignored): TRUE, or #VALUE! when there is none.
//  - xlcAlert(text) records the text and answers TRUE.
//  - xlfGetWorkspace(2) answers the version text (a host-owned text); other numbers #VALUE!.
// Names, menu and procedure names compare without regard to letter case.
#pragma once

#include <string>
#include <vector>

#include "xloper.h"
#include "workbook.h"

namespace xlhost {

struct Registration {
    double id = 0;
    std::vector<CellValue> arguments;  // every argument of the xlfRegister call, in order
    std::string module, procedure, typeText, functionText;
};

struct MenuItem {
    std::string text, command, shortcut, statusText, helpReference;
};

// Forgets every registration, name, menu item and alert; the version text becomes "5.0".
void ResetRegistry();

// The version text xlfGetWorkspace(2) answers, and its leading number ("16.0" is 16).
void SetHostVersion(const std::string& version);
int HostMajorVersion();
// While set, xlfRegister answers #VALUE! and registers nothing (a host that refuses).
void RefuseRegistrations(bool refuse);

// Every xlfRegister call that succeeded, in call order.
const std::vector<Registration>& RegisterCalls();
// The registrations in force, in the order first made.
std::vector<Registration> LiveRegistrations();
size_t ReRegistrations();
// The registration a defined name calls; nullptr when the name is not defined.
const Registration* FindRegisteredName(const std::string& name);
// Names deleted through xlfSetName, in call order (whether they existed or not).
const std::vector<std::string>& DeletedNames();

// The items of a menu, or nullptr when the bar has no such menu.
const std::vector<MenuItem>* FindMenu(int bar, const std::string& menu);
// Texts shown through xlcAlert, in order.
const std::vector<std::string>& Alerts();

// The answers of a handler: #VALUE! or a boolean into `result` (when there is one), with xlretSuccess.
int AnswerError(XLOPER* result);
int AnswerBool(XLOPER* result, bool value);

// Excel4 handlers for the calls above.
int Register(XLOPER* result, int count, XLOPER** args);
int RegisterId(XLOPER* result, int count, XLOPER** args);
int Unregister(XLOPER* result, int count, XLOPER** args);
int SetName(XLOPER* result, int count, XLOPER** args);
int AddCommand(XLOPER* result, int count, XLOPER** args);
int DeleteCommand(XLOPER* result, int count, XLOPER** args);
int Alert(XLOPER* result, int count, XLOPER** args);
int GetWorkspace(XLOPER* result, int count, XLOPER** args);

}  // namespace xlhost
