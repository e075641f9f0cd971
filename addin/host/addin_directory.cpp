// The directory of the loaded add-in file, where its help files lie, and which of them a host opens.
#include "addin_directory.h"

#include <cstdio>
#include <cstring>
#ifndef _WIN32
#include <sys/stat.h>
#endif

char g_szAddinDirectory[kAddinDirectorySize];
const char kWinHelpFile[] = "MEZURA.HLP";
const char kHtmlHelpFile[] = "MEZURA.CHM";

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

void RecordAddinDirectory(HINSTANCE instance) {
    DWORD length = GetModuleFileNameA(instance, g_szAddinDirectory, kAddinDirectorySize);
    // A path longer than the room comes back cut, and older Windows then leaves it without
    // a terminator: end the text here whatever the call did.
    if (length >= DWORD(kAddinDirectorySize)) length = kAddinDirectorySize - 1;
    g_szAddinDirectory[length] = 0;
    if (char* last = std::strrchr(g_szAddinDirectory, kSeparator)) last[1] = 0;
}

namespace {

bool IsFileBesideAddin(const char* name) {
    char path[kAddinDirectorySize + 16];
    std::snprintf(path, sizeof path, "%s%s", g_szAddinDirectory, name);
#ifdef _WIN32
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
#else
    struct stat status;
    return stat(path, &status) == 0 && S_ISREG(status.st_mode);
#endif
}

}  // namespace

const char* HelpFileFor(int hostVersion) {
    constexpr int kFirstHtmlHelpHost = 12;
    return hostVersion >= kFirstHtmlHelpHost && IsFileBesideAddin(kHtmlHelpFile) ? kHtmlHelpFile : kWinHelpFile;
}

void FormatHelpTopic(char* buffer, unsigned size, const char* helpFile, unsigned helpContext) {
    std::memset(buffer, 0, size);
    unsigned room = size - 1 < 255 ? size - 1 : 255;  // the length byte counts to 255
    int length = std::snprintf(buffer + 1, room, "%s%s!%u", g_szAddinDirectory, helpFile, helpContext);
    if (length < 0) length = 0;
    if (unsigned(length) >= room) length = int(room - 1);
    buffer[0] = static_cast<char>(length);
}
