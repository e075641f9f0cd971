// The installer's ties to its surroundings: Excel's registration, CORVANE.INI and the user's
// profile, the Program Manager group over DDE, and the start of Excel on the workbook.
#pragma once

#include <windows.h>
#include <ddeml.h>

// Reads Excel's open command for ".xls" workbooks from HKEY_CLASSES_ROOT into excelCommand.
// Answers 0, or -1 when Excel is not registered (no class, no class key, a class name longer
// than 179 characters, no open command).
int FindExcel();

// Turns the registered open command into the program alone when it is quoted: the leading
// quote goes and the text ends at the quote that closes the program path, so quoted
// arguments ("%1") never follow it. An unquoted command stays whole.
void StripExcelQuotes(char* command);

// Writes the script's INI entries and the product name into <destDir>\CORVANE.INI and
// remembers destDir in the user's profile. Always answers 0.
int WriteIniData(HWND status);

// What RegisterAddInWithExcel added: the add-in's file name and the Excel it was added to
// ("Excel 16.0 (64-bit)"), for the final message.
struct AddedAddIn {
    char addIn[16];
    char excel[40];
};

// Adds the add-in that fits the Excel excelCommand names (its version and bitness) to the
// add-ins that Excel opens at start, once no Excel runs. Answers true with `added` filled;
// false, with the outcome of a silent run recorded, when Excel's version or kind is unknown, the
// add-in was not installed, the user left Excel running, or the entry could not be written.
bool RegisterAddInWithExcel(HWND status, AddedAddIn* added);

// Creates the script's Program Manager group and items through a DDE conversation with
// PROGMAN. Answers 0 when every item was added (or there are none), -1 otherwise.
int SetupProgramManager(HWND status);

// Removes the script's Program Manager group over DDE: "[DeleteGroup(name)]", and when that is
// refused, "[DeleteGroup(name,0)]" for a personal group. Answers 0 when it went (or the script
// makes none), -1 otherwise.
int RemoveProgramManagerGroup();

// Replaces the macros %A (destDir with one backslash) and %E (excelCommand) in `text`, whose
// buffer holds `capacity` bytes, from the last to the first. Answers 0, or -1 for any other
// macro, a lone "%" at the end, or a result that would not fit.
int ExpandItemMacros(char* text, int capacity);

// Starts Excel on the distribution's workbook: "excelCommand sourceDir install.xls". Answers 0
// when it started, -1 otherwise.
int UpdateAddInManager(HWND status);

// The installer is a DDE client only: nothing of a server's reaches it.
HDDEDATA CALLBACK SetupDdeCallback(UINT type, UINT format, HCONV conversation, HSZ topic, HSZ item,
                                   HDDEDATA data, ULONG_PTR data1, ULONG_PTR data2);
