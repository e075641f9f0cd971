// The add-in in the settings of the user's Excel: which Excel the installer found, whether one
// runs, and the OPEN entries naming the add-ins Excel opens when it starts.
#pragma once

#include <windows.h>

// The distribution's add-ins for 32-bit and for 64-bit Excel.
constexpr char kAddIn32[] = "MEZURA32.XLL";
constexpr char kAddIn64[] = "MEZURA64.XLL";

// Excel's program as its file tells it.
struct ExcelProgram {
    char path[MAX_PATH];  // the program file; empty when excelCommand names no file
    unsigned major;       // file version, 0.0 without one
    unsigned minor;
    int bits;             // 32 or 64 by the machine its image is built for, 0 for any other
};

// Identifies the program excelCommand starts: a quoted command was already cut to its path;
// an unquoted one is read as Windows reads it, the shortest prefix ending at a blank that names
// a file. The version is the "FileVersion" text of the version resource, or where that table is
// missing the resource's binary file version; the bitness is the machine field of the image's
// file header.
void IdentifyExcel(ExcelProgram* excel);

// The key under HKEY_CURRENT_USER whose OPEN entries Excel `major` opens at start, into `key`
// (size bytes). False for a version whose place is not known (before 5.0).
bool AddInsKeyFor(unsigned major, char* key, int size);

// True while a program named EXCEL.EXE runs (any Excel rewrites its settings when it closes).
bool ExcelIsRunning();

// Asks the user with message `id` (Retry and Cancel, its "%s" filled with `argument`) to close
// Excel for as long as one runs. False when the user chose Cancel, as a silent run does.
bool WaitForExcelToClose(UINT id, LPCSTR argument);

// Makes `file` (a full path) one of the add-ins the Excel reading `key` opens: the first OPEN
// entry naming one of our add-ins (in any folder) takes it, or else the first free name (OPEN,
// OPEN1, ...); any further entry of ours is removed. The data is `/R "file"` (REG_SZ). Answers
// ERROR_SUCCESS with the entry's name in `name` (16 bytes), or the registry's error.
LONG AddOpenEntry(LPCSTR key, LPCSTR file, char* name);

// Removes, wherever an Excel version of 5.0 or later keeps them, the OPEN entries naming our
// add-ins in `folder`, moving later entries down so that the numbers stay without a gap, and
// the add-in manager's entries of those files. Entries of other files stay as they are.
void RemoveOpenEntries(LPCSTR folder);
