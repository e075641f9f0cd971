// The add-in's platform seam, filled with the real calls.
#include "addin_syscalls.h"

#include <cstdlib>

const AddinSyscalls kRealAddinSyscalls = {
    std::malloc,
    ::OutputDebugStringA,
#ifdef _WIN32
    ::OleInitialize,
    ::OleUninitialize,
    ::CLSIDFromProgID,
    ::GetActiveObject,
    ::CreateBindCtx,
    ::SysAllocString,
    ::SafeArrayAccessData,
    ::MultiByteToWideChar,
    ::WideCharToMultiByte,
    ::MessageBoxA,
#endif
};

AddinSyscalls g_addinSyscalls = kRealAddinSyscalls;
