// SETUP.EXE's command line: a silent run, its destination and log, and the removal.
#pragma once

#include <windows.h>

// What the command line asked for. Without switches everything is off and empty: the
// installation with its dialogs.
struct SetupOptions {
    bool quiet;           // /Q: no window; every message goes to the log only
    bool uninstall;       // /U: remove the installation instead
    char dest[MAX_PATH];  // /D=folder: the destination WELCOME offers (or takes, with /Q)
    char log[MAX_PATH];   // /L=file: every message is also written there
};

extern SetupOptions g_options;

// Reads `line` (the arguments after the program's name): /Q, /U, /D=folder and /L=file, in any
// order and letter case, with "-" for "/" and quotes around a whole word or its value. Answers
// true with `options` filled, or false with the first word it does not understand in `bad`
// (at most `badSize` - 1 characters) and `options` still telling whether /Q was given.
bool ParseCommandLine(const char* line, SetupOptions* options, char* bad, int badSize);
