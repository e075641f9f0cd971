// Reads one text value of a file's version resource, from its US English / code page 1252 table.
#pragma once

#include <windows.h>

// Copies the value `name` of the "040904E4" string table of `path`'s version resource into
// `buffer`: at most `size` - 1 characters and a terminating zero. Answers 0 when the value was
// copied, -1 otherwise (no version resource, no such table or value, an empty value, no room,
// no memory), and then leaves `buffer` as it was.
int GetVersionString(const char* path, const char* name, char* buffer, WORD size);
