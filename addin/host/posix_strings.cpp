// LoadStringA, GetModuleFileNameA, OutputDebugStringA and GetCurrentThreadId for native builds, with Windows' contracts.
#include "posix_strings.h"

#ifndef _WIN32
#include <dlfcn.h>
#include <sys/syscall.h>
#include <unistd.h>

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

DWORD GetModuleFileNameA(HINSTANCE, char* buffer, DWORD size) {
    if (!buffer || size == 0) return 0;
    // The module that holds this very function is the one asking, as in the Windows build.
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&GetModuleFileNameA), &info) || !info.dli_fname) {
        buffer[0] = 0;
        return 0;
    }
    size_t length = std::strlen(info.dli_fname);
    if (length > size - 1) length = size - 1;
    std::memcpy(buffer, info.dli_fname, length);
    buffer[length] = 0;
    return DWORD(length);
}

static char g_debugLog[1024];

void OutputDebugStringA(const char* text) {
    if (!text) return;
    size_t used = std::strlen(g_debugLog);
    size_t length = std::strlen(text);
    if (length >= sizeof g_debugLog) return;
    if (used + length >= sizeof g_debugLog) {
        // Drop the oldest texts: a debugger shows the latest ones.
        g_debugLog[0] = 0;
        used = 0;
    }
    std::memcpy(g_debugLog + used, text, length + 1);
}

DWORD GetCurrentThreadId() { return static_cast<DWORD>(syscall(SYS_gettid)); }

const char* DebugOutputLog() { return g_debugLog; }
void ClearDebugOutputLog() { g_debugLog[0] = 0; }
#endif
