// The few Windows calls of the portable add-in code: real Win32 on Windows, a small POSIX layer elsewhere.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdint>

typedef void* HINSTANCE;
typedef unsigned int UINT;
typedef uint32_t DWORD;

// Loads string `id` of the module's string table into `buffer`, at most `bufferMax` - 1
// characters and a terminating zero; answers the number of characters (0 when missing).
int LoadStringA(HINSTANCE instance, UINT id, char* buffer, int bufferMax);

// The file of the module that holds this code: at most `size` - 1 characters and a zero;
// answers the number of characters written (0 on failure).
DWORD GetModuleFileNameA(HINSTANCE instance, char* buffer, DWORD size);

// Text for a debugger: kept in the module's own debug log (see posix_strings.h).
void OutputDebugStringA(const char* text);

// The calling thread's id, unique among the process's running threads.
DWORD GetCurrentThreadId();
#endif
