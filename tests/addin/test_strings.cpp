// The test program's string table for the native build: the add-in's texts plus test-only ones.
#include "host/posix_strings.h"

#ifndef _WIN32
static const StringResource kStrings[] = {
#define MEZURA_STRING(id, text) {id, text},
#include "strings.inc"
#include "test_strings.inc"
#undef MEZURA_STRING
};

const StringResource* ModuleStringTable(size_t* count) {
    *count = sizeof kStrings / sizeof kStrings[0];
    return kStrings;
}
#endif
