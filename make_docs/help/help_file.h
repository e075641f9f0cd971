// MEZURA.HLP: the add-in's help file, for the Windows help engine.
#pragma once

#include <string>

// Writes the help file to `path`; false with `error` set when it cannot.
bool WriteHelpFile(const char* path, std::string* error);
