// The add-in's platform seam: the calls that can fail for reasons outside it, through one table that defaults to the real ones.
#pragma once

#include <cstddef>

#include "platform.h"
#ifdef _WIN32
#include <ole2.h>
#include <oleauto.h>
#endif

// Its heap, its debug output and, on Windows, the calls of the automation path and its one
// message box. The add-in calls them through g_addinSyscalls only; tests replace entries through
// SyscallSwap (tests/syscall_swap.h), which puts the whole table back when it ends. Excel4 is
// not here: it is the host boundary itself, and tests change the host, not the call.
struct AddinSyscalls {
    // Result blocks, owned texts, menu descriptions and intermediate values. Whatever it hands
    // out goes back with std::free, in xlAutoFree or by the add-in itself.
    void* (*malloc)(size_t bytes);
    decltype(&::OutputDebugStringA) OutputDebugStringA;
#ifdef _WIN32
    decltype(&::OleInitialize) OleInitialize;
    decltype(&::OleUninitialize) OleUninitialize;
    decltype(&::CLSIDFromProgID) CLSIDFromProgID;
    decltype(&::GetActiveObject) GetActiveObject;
    decltype(&::CreateBindCtx) CreateBindCtx;
    decltype(&::SysAllocString) SysAllocString;
    decltype(&::SafeArrayAccessData) SafeArrayAccessData;
    decltype(&::MultiByteToWideChar) MultiByteToWideChar;
    decltype(&::WideCharToMultiByte) WideCharToMultiByte;
    decltype(&::MessageBoxA) MessageBoxA;
#endif
};

// The real calls.
extern const AddinSyscalls kRealAddinSyscalls;

// What the add-in calls; a copy of kRealAddinSyscalls until a test swaps entries.
extern AddinSyscalls g_addinSyscalls;
