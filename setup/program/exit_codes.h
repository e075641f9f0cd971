// SETUP.EXE's exit codes in a silent run (/Q): 0 success, one code for each way it can fail.
// A run with its dialogs always ends with 0. The README lists the same table.
#pragma once

enum SetupExit : int {
    kExitSuccess = 0,
    kExitCommandLine = 1,        // a switch it does not understand
    kExitLogFile = 2,            // the /L file cannot be created
    kExitNoExcel = 3,            // no Excel registered for ".xls" (message 1029)
    kExitNoDde = 4,              // the DDE library cannot be used
    kExitScript = 5,             // SETUP.INF missing, unreadable or wrong (1003, 1004, 1010)
    kExitBadDestination = 6,     // the /D folder is no usable path (1032)
    kExitNoSpace = 7,            // too little space on the destination drive (1005)
    kExitConflict = 8,           // the destination is the distribution's folder (1028)
    kExitCannotCreate = 9,       // the destination cannot be created (1006)
    kExitCopy = 10,              // a file could not be copied (1008, after its cause)
    kExitUninstallEntry = 11,    // the entry in Windows' list of programs could not be made
    kExitExcelRunning = 12,      // Excel runs: the add-in was not added, or nothing was removed
    kExitExcelUnknown = 13,      // Excel's version or kind unknown, or its add-in not installed
    kExitAddInNotAdded = 14,     // the add-in could not be written into Excel's settings
    kExitProgramManager = 15,    // the Program Manager group not made (1012) or not removed
    kExitNotInstalled = 16,      // /U: no installation remembered
    kExitFilesLeft = 17,         // /U: a file of the installation could not be removed
};

// Records `code` as the run's outcome unless an earlier failure was recorded: the first
// failure decides the exit code, the log tells every one.
void RecordFailure(SetupExit code);

// The outcome recorded so far (kExitSuccess when nothing failed), and its reset for a new run.
SetupExit RecordedOutcome();
void ResetOutcome();
