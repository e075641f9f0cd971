// The installation from Excel's lookup to the final message, once sourceDir is known, and the
// run of SETUP.EXE as its command line asks for it.
#pragma once

#include <windows.h>

// Runs every step after the source directory was set: finds Excel, registers for DDE, loads
// the script, asks for the destination until it passes its checks (a silent run takes the
// default or /D once), copies, writes the INI data and the entry for the removal, adds the
// add-in to Excel's settings, sets up Program Manager and starts Excel (not in a silent run),
// each outcome ending in its message. Whatever the outcome, the STATUS window is gone and the
// DDE registration ended when it returns. Answers the outcome of a silent run.
int RunMainSequence();

// Reads `commandLine` (SETUP.EXE's arguments), opens the log it names and runs the
// installation or the removal. Answers the outcome: kExitSuccess or the first failure.
int RunSetup(LPCSTR commandLine);
