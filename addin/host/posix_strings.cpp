// LoadStringA for native builds: the same contract as Windows, over the binary's own table.
#include "posix_strings.h"

#ifndef _WIN32
#include <cstring>

int LoadStringA(HINSTANCE, UINT id, char* buffer, int bufferMax) {
    if (!buffer || bufferMax <= 0) return 0;
    size_t count = 0;
    const StringResource* table = ModuleStringTable(&count);
    for (size_t i = 0; i < count; ++i) {
        if (table[i].id != id) continue;
        size_t length = std::strlen(table[i].text);
        if (length > size_t(bufferMax - 1)) length = size_t(bufferMax - 1);
        std::memcpy(buffer, table[i].text, length);
        buffer[length] = 0;
        return int(length);
    }
    buffer[0] = 0;
    return 0;
}
#endif
