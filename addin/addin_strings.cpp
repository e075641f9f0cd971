// The add-in's string table for the native build (the Windows build compiles the same list into its resources).
#include "host/posix_strings.h"

#ifndef _WIN32
static const StringResource kStrings[] = {
#define MEZURA_STRING(id, text) {id, text},
#include "strings.inc"
#undef MEZURA_STRING
};

const StringResource* ModuleStringTable(size_t* count) {
    *count = sizeof kStrings / sizeof kStrings[0];
    return kStrings;
}
#endif
