// The directory of the loaded add-in file, where its help files lie, and which of them a host opens.
#pragma once

#include "platform.h"

// Room for the directory, terminator included.
constexpr int kAddinDirectorySize = 130;

// The add-in file's full path cut after its last path separator (so it ends in one); the
// whole path when it holds none. Empty until attach records it.
extern char g_szAddinDirectory[kAddinDirectorySize];

// Asks Windows for the module's file name and keeps its directory.
void RecordAddinDirectory(HINSTANCE instance);

// The help files beside the add-in: for the Windows help engine, and for HTML Help.
extern const char kWinHelpFile[];   // "MEZURA.HLP"
extern const char kHtmlHelpFile[];  // "MEZURA.CHM"

// The help file to name to a host of major version `hostVersion`: MEZURA.CHM from 12 on when
// it lies beside the add-in (Windows Vista and later no longer open WinHelp files, and those
// hosts open HTML Help topics); MEZURA.HLP otherwise, as for every older host.
const char* HelpFileFor(int hostVersion);

// Writes "<directory><helpFile>!<context>" as a counted string into `buffer` (at least 150 bytes).
void FormatHelpTopic(char* buffer, unsigned size, const char* helpFile, unsigned helpContext);
