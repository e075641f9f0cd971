// The directory of the loaded add-in file, where its help file lies.
#include "addin_directory.h"

#include <cstdio>
#include <cstring>

char g_szAddinDirectory[kAddinDirectorySize];

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

void FormatHelpTopic(char* buffer, unsigned size, unsigned helpContext) {
    std::memset(buffer, 0, size);
    unsigned room = size - 1 < 255 ? size - 1 : 255;  // the length byte counts to 255
    int length = std::snprintf(buffer + 1, room, "%sMEZURA.HLP!%u", g_szAddinDirectory, helpContext);
    if (length < 0) length = 0;
    if (unsigned(length) >= room) length = int(room - 1);
    buffer[0] = static_cast<char>(length);
}
