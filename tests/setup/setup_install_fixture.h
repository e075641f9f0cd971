// Test support for the installer's host integration: a ".xls" registration in the test prefix
// that is undone afterwards, and small readers of files and profiles.
#pragma once
#ifdef _WIN32
#include <windows.h>

#include <map>
#include <string>
#include <vector>

// Registers `className` as the ".xls" class with `openCommand` as its open command (an empty
// command: the class key alone; an empty class: no ".xls" at all). The destructor puts back
// what ".xls" was before and removes the class.
class XlsRegistration {
public:
    XlsRegistration(const std::string& className, const std::string& openCommand);
    ~XlsRegistration();
    XlsRegistration(const XlsRegistration&) = delete;
    XlsRegistration& operator=(const XlsRegistration&) = delete;

private:
    std::string className_;
    bool hadXls_ = false;
    std::string previousXls_;
};

// A file's whole content ("" when it cannot be read).
std::string ReadWholeFile(const std::string& path);
// The lines of a file, without their line ends.
std::vector<std::string> ReadLines(const std::string& path);
// Writes `text` as the whole file.
bool WriteWholeFile(const std::string& path, const std::string& text);
// `lines` joined with CR LF, as scripts are written.
std::string ScriptText(const std::vector<std::string>& lines);

// The string values of a key under HKEY_CURRENT_USER (name -> data; none when it is missing),
// and a key made to hold exactly `values`.
using RegistryValues = std::map<std::string, std::string>;
RegistryValues ReadRegistryValues(const std::string& key);
void WriteRegistryValues(const std::string& key, const RegistryValues& values);

// The user's profile value CORVANE/Install, and its removal with the installation's entry in
// the list of programs (tests leave the profile and the registry as found).
std::string RememberedDestination();
void ForgetDestination();
#endif

#ifdef _WIN32
#include <map>

#include "setup/program/setup_syscalls.h"
#include "syscall_swap.h"

// Fakes for the installer's seam, each recording what it was asked.

// The registry as RegQueryValueA reads it: key under HKEY_CLASSES_ROOT -> default value; a
// missing key fails, a value longer than the buffer answers ERROR_MORE_DATA.
extern std::map<std::string, std::string> g_registry;
LONG WINAPI FakeRegQueryValue(HKEY root, LPCSTR key, LPSTR out, PLONG size);

// WinExec: every call, answered with g_execResult.
struct ExecCall {
    std::string command;
    UINT show;
};
extern std::vector<ExecCall> g_execs;
extern UINT g_execResult;
UINT WINAPI FakeWinExec(LPCSTR command, UINT show);

// A scripted Program Manager conversation: whether DdeConnect succeeds, which command gets no
// result, what was sent, and every handle made and released.
struct FakeProgramManager {
    bool connects = true;
    int refuseCommand = -1;  // index of the command that gets no result
    std::vector<std::string> commands;
    std::vector<bool> windowEnabled;  // Program Manager's window during each command
    int connections = 0, disconnects = 0, handlesMade = 0, handlesFreed = 0;
    bool wellFormed = true;  // CF_TEXT, XTYP_EXECUTE, 3000 ms, NUL counted, no item
    HWND window = nullptr;
};
extern FakeProgramManager g_pm;
// Routes DdeConnect, DdeClientTransaction, DdeDisconnect and the string handles to g_pm for
// the life of `syscalls`.
void UseFakeProgramManager(SyscallSwap<SetupSyscalls>& syscalls);
#endif

#ifdef _WIN32
// The id (1001 to 1063) of the string of `setup` that `text` is, its "%s" filled by anything; 0
// for none.
UINT MessageIdOf(HINSTANCE setup, const std::string& text);
#endif
