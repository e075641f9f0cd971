// The installer's platform seam, filled with the real Windows functions.
#include "setup/program/setup_syscalls.h"

const SetupSyscalls kRealSetupSyscalls = {
    ::VerFindFileA,
    ::VerInstallFileA,
    ::GetDiskFreeSpaceA,
    ::GlobalAlloc,
    ::CreateDirectoryA,
    ::MessageBoxA,
    ::RegQueryValueA,
    ::GetProfileStringA,
    ::WriteProfileStringA,
    ::WritePrivateProfileStringA,
    ::DdeInitializeA,
    ::DdeConnect,
    ::DdeClientTransaction,
    ::DdeDisconnect,
    ::DdeCreateStringHandleA,
    ::DdeFreeStringHandle,
    ::DdeUninitialize,
    ::WinExec,
    ::CopyFileA,
    ::DeleteFileA,
    ::RegSetValueExA,
    ::Process32First,
    ::Process32Next,
};

SetupSyscalls g_setupSyscalls = kRealSetupSyscalls;
