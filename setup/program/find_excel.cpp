// FindExcel and the quote rule: the program that opens ".xls" workbooks, as the registry names it.
#include <cstring>

#include "setup/program/host_integration.h"
#include "setup/program/setup_state.h"
#include "setup/program/setup_syscalls.h"

namespace {

constexpr int kRegistryBuffer = 200;
constexpr char kOpenCommandFormat[] = "%s\\shell\\open\\command";

// A key's default value into `out` of `size` bytes; false when the key or its value cannot be read.
bool ReadDefaultValue(LPCSTR key, LPSTR out, LONG size) {
    return g_setupSyscalls.RegQueryValueA(HKEY_CLASSES_ROOT, key, out, &size) == ERROR_SUCCESS;
}

}  // namespace

int FindExcel() {
    char className[kRegistryBuffer] = "";
    if (!ReadDefaultValue(".xls", className, sizeof className)) return -1;
    char classValue[kRegistryBuffer];  // only the key's presence matters
    if (!ReadDefaultValue(className, classValue, sizeof classValue)) return -1;
    if (std::strlen(className) + std::strlen(kOpenCommandFormat) > kRegistryBuffer) return -1;
    char key[kRegistryBuffer];
    wsprintfA(key, kOpenCommandFormat, className);
    if (!ReadDefaultValue(key, excelCommand, sizeof excelCommand)) return -1;
    return 0;
}

void StripExcelQuotes(char* command) {
    if (command[0] != '"') return;
    std::memmove(command, command + 1, std::strlen(command));
    // The first quote left closes the program path; what follows are arguments, which may be
    // quoted themselves ("%1"). Without a closing quote the rest is the path.
    char* closing = std::strchr(command, '"');
    if (closing) *closing = '\0';
}
