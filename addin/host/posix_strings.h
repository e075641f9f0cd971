// The string table of a native module: one table per binary, read by the POSIX LoadStringA.
#pragma once

#include "platform.h"

#ifndef _WIN32
#include <cstddef>

struct StringResource {
    UINT id;
    const char* text;
};

// Defined once in every native binary that loads strings: its own string table.
const StringResource* ModuleStringTable(size_t* count);

// What OutputDebugStringA wrote since the last clear (the latest 1 KB at most).
const char* DebugOutputLog();
void ClearDebugOutputLog();
#endif
