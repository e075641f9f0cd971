// MEZURA.CHM: the add-in's help for the HTML Help viewer of today's Windows.
#pragma once

#include <string>

// Writes the help file to `path`; false with `error` set when it cannot.
bool WriteChmFile(const char* path, std::string* error);
