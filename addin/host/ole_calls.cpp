// The platform calls of the automation path that tests make fail: one table, the real API by default.
#include "ole_calls.h"

#include <cstdlib>

const OleCalls kPlatformOleCalls = {
    OleInitialize,       OleUninitialize,     CLSIDFromProgID,     GetActiveObject,
    CreateBindCtx,       SysAllocString,      SafeArrayAccessData, MultiByteToWideChar,
    WideCharToMultiByte, MessageBoxA,         OutputDebugStringA,  std::malloc,
};

OleCalls g_oleCalls = kPlatformOleCalls;
