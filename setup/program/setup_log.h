// The log of a run started with /L=file: one line for every message, step and file.
#pragma once

#include <windows.h>

// Creates (or empties) the log file at `path`. False when it cannot be created.
bool OpenSetupLog(LPCSTR path);

// Appends one line formatted in the manner of printf, with each line break of the text turned
// into a blank, and writes it out at once. Does nothing without an open log.
void LogLine(LPCSTR format, ...);

// Closes the log, if one is open.
void CloseSetupLog();
