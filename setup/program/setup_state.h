// The installer's process-wide state: its module, the chosen directories, Excel's command,
// the DDE registration and the STATUS window (the parsed script is g_setupScript).
#pragma once

#include <windows.h>
#include <ddeml.h>

// Capacities in characters; each buffer has one more byte for its NUL.
// sourceDir takes the longest path the path parser answers (127) plus the backslash the
// installer appends, so an expanded source always keeps its separator.
constexpr int kSourceDirChars = 128;
constexpr int kDestDirChars = 99;
constexpr int kExcelCommandChars = 254;

extern HINSTANCE g_instance;                  // resources and messages come from here
extern char sourceDir[kSourceDirChars + 1];   // ends with a backslash
extern char destDir[kDestDirChars + 1];       // no trailing backslash after WELCOME
extern char excelCommand[kExcelCommandChars + 1];
extern DWORD g_ddeInstance;                   // DDE client registration
extern HWND g_statusWindow;                   // the modeless STATUS window
