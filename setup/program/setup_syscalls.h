// The installer's platform seam: the Windows calls that can fail in ways a test must provoke,
// called through one table that defaults to the real API. Tests replace entries only through
// SyscallSwap (tests/syscall_swap.h), which puts the whole table back when it ends.
#pragma once

#include <windows.h>
#include <ddeml.h>
#include <tlhelp32.h>
#include <winver.h>

struct SetupSyscalls {
    decltype(&::VerFindFileA) VerFindFileA;
    decltype(&::VerInstallFileA) VerInstallFileA;
    decltype(&::GetDiskFreeSpaceA) GetDiskFreeSpaceA;
    decltype(&::GlobalAlloc) GlobalAlloc;
    decltype(&::CreateDirectoryA) CreateDirectoryA;
    decltype(&::MessageBoxA) MessageBoxA;
    decltype(&::RegQueryValueA) RegQueryValueA;
    decltype(&::GetProfileStringA) GetProfileStringA;
    decltype(&::WriteProfileStringA) WriteProfileStringA;
    decltype(&::WritePrivateProfileStringA) WritePrivateProfileStringA;
    decltype(&::DdeInitializeA) DdeInitializeA;
    decltype(&::DdeConnect) DdeConnect;
    decltype(&::DdeClientTransaction) DdeClientTransaction;
    decltype(&::DdeDisconnect) DdeDisconnect;
    decltype(&::DdeCreateStringHandleA) DdeCreateStringHandleA;
    decltype(&::DdeFreeStringHandle) DdeFreeStringHandle;
    decltype(&::DdeUninitialize) DdeUninitialize;
    decltype(&::WinExec) WinExec;
    decltype(&::CopyFileA) CopyFileA;
    decltype(&::DeleteFileA) DeleteFileA;
    decltype(&::RegSetValueExA) RegSetValueExA;
    decltype(&::Process32First) Process32First;
    decltype(&::Process32Next) Process32Next;
};

// The real Windows functions.
extern const SetupSyscalls kRealSetupSyscalls;

// What the installer calls; a copy of kRealSetupSyscalls until a test swaps entries.
extern SetupSyscalls g_setupSyscalls;
