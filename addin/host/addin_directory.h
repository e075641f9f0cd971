// The directory of the loaded add-in file, where its help file lies.
#pragma once

#include "platform.h"

// Room for the directory, terminator included.
constexpr int kAddinDirectorySize = 130;

// The add-in file's full path cut after its last path separator (so it ends in one); the
// whole path when it holds none. Empty until attach records it.
extern char g_szAddinDirectory[kAddinDirectorySize];

// Asks Windows for the module's file name and keeps its directory.
void RecordAddinDirectory(HINSTANCE instance);

// Writes "<directory>MEZURA.HLP!<context>" as a counted string into `buffer` (at least 150 bytes).
void FormatHelpTopic(char* buffer, unsigned size, unsigned helpContext);
