// Test support for the installer's host integration: ".xls" registrations, files and profiles.
#ifdef _WIN32
#include "setup_install_fixture.h"

#include "setup/program/uninstall.h"

#include <fstream>
#include <sstream>

namespace {

void DeleteClass(const std::string& className) {
    for (const char* sub : {"\\shell\\open\\command", "\\shell\\open", "\\shell", ""})
        RegDeleteKeyA(HKEY_CLASSES_ROOT, (className + sub).c_str());
}

void SetDefault(const std::string& key, const std::string& value) {
    RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, value.c_str(), DWORD(value.size()));
}

}  // namespace

XlsRegistration::XlsRegistration(const std::string& className, const std::string& openCommand)
    : className_(className) {
    char previous[256] = "";
    LONG size = sizeof previous;
    hadXls_ = RegQueryValueA(HKEY_CLASSES_ROOT, ".xls", previous, &size) == ERROR_SUCCESS;
    previousXls_ = previous;
    RegDeleteKeyA(HKEY_CLASSES_ROOT, ".xls");
    if (className.empty()) return;
    DeleteClass(className);
    SetDefault(".xls", className);
    SetDefault(className, "Mezura test workbook");
    if (!openCommand.empty()) SetDefault(className + "\\shell\\open\\command", openCommand);
}

XlsRegistration::~XlsRegistration() {
    if (!className_.empty()) DeleteClass(className_);
    RegDeleteKeyA(HKEY_CLASSES_ROOT, ".xls");
    if (hadXls_) SetDefault(".xls", previousXls_);
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::istringstream text(ReadWholeFile(path));
    for (std::string line; std::getline(text, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool WriteWholeFile(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    return bool(file);
}

std::string ScriptText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

RegistryValues ReadRegistryValues(const std::string& keyName) {
    RegistryValues values;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyName.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
    char name[256], data[1024];
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = sizeof name, dataLength = sizeof data, type = 0;
        if (RegEnumValueA(key, i, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(data), &dataLength) !=
            ERROR_SUCCESS)
            break;
        if (type == REG_SZ) values[name] = data;
    }
    RegCloseKey(key);
    return values;
}

void WriteRegistryValues(const std::string& keyName, const RegistryValues& values) {
    RegDeleteKeyA(HKEY_CURRENT_USER, keyName.c_str());
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyName.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    for (const auto& [name, data] : values)
        RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()), DWORD(data.size() + 1));
    RegCloseKey(key);
}

std::string RememberedDestination() {
    char value[256] = "";
    GetProfileStringA("CORVANE", "Install", "", value, sizeof value);
    return value;
}

void ForgetDestination() {
    WriteProfileStringA("CORVANE", "Install", nullptr);
    RegDeleteKeyA(HKEY_CURRENT_USER, kUninstallKey);
}
#endif

#ifdef _WIN32
std::map<std::string, std::string> g_registry;
std::vector<ExecCall> g_execs;
UINT g_execResult;
FakeProgramManager g_pm;

LONG WINAPI FakeRegQueryValue(HKEY root, LPCSTR key, LPSTR out, PLONG size) {
    auto found = g_registry.find(key);
    if (root != HKEY_CLASSES_ROOT || found == g_registry.end()) return ERROR_FILE_NOT_FOUND;
    if (LONG(found->second.size() + 1) > *size) return ERROR_MORE_DATA;
    lstrcpyA(out, found->second.c_str());
    *size = LONG(found->second.size() + 1);
    return ERROR_SUCCESS;
}

UINT WINAPI FakeWinExec(LPCSTR command, UINT show) {
    g_execs.push_back({command, show});
    return g_execResult;
}

namespace {

const HCONV kConversation = reinterpret_cast<HCONV>(0x5150);

HCONV WINAPI FakeDdeConnect(DWORD, HSZ, HSZ, PCONVCONTEXT) {
    ++g_pm.connections;
    return g_pm.connects ? kConversation : nullptr;
}

HDDEDATA WINAPI FakeDdeTransaction(LPBYTE data, DWORD length, HCONV conversation, HSZ item, UINT format, UINT type,
                                   DWORD timeout, LPDWORD) {
    std::string command(reinterpret_cast<const char*>(data));
    g_pm.wellFormed = g_pm.wellFormed && length == command.size() + 1 && conversation == kConversation &&
                      !item && format == CF_TEXT && type == XTYP_EXECUTE && timeout == 3000;
    g_pm.windowEnabled.push_back(g_pm.window && IsWindowEnabled(g_pm.window));
    g_pm.commands.push_back(command);
    return int(g_pm.commands.size()) - 1 == g_pm.refuseCommand ? nullptr : reinterpret_cast<HDDEDATA>(TRUE);
}

BOOL WINAPI FakeDdeDisconnect(HCONV conversation) {
    g_pm.disconnects += conversation == kConversation;
    return TRUE;
}

HSZ WINAPI FakeCreateStringHandle(DWORD, LPCSTR text, int codePage) {
    ++g_pm.handlesMade;
    return std::string(text) == "PROGMAN" && codePage == CP_WINANSI ? reinterpret_cast<HSZ>(0x9000 + g_pm.handlesMade)
                                                                   : nullptr;
}

BOOL WINAPI FakeFreeStringHandle(DWORD, HSZ) {
    ++g_pm.handlesFreed;
    return TRUE;
}

}  // namespace

void UseFakeProgramManager(SyscallSwap<SetupSyscalls>& syscalls) {
    syscalls.Use(&SetupSyscalls::DdeConnect, FakeDdeConnect)
        .Use(&SetupSyscalls::DdeClientTransaction, FakeDdeTransaction)
        .Use(&SetupSyscalls::DdeDisconnect, FakeDdeDisconnect)
        .Use(&SetupSyscalls::DdeCreateStringHandleA, FakeCreateStringHandle)
        .Use(&SetupSyscalls::DdeFreeStringHandle, FakeFreeStringHandle);
}
#endif

#ifdef _WIN32
namespace {

// Whether `text` is `format` with each "%s" filled by anything.
bool Matches(const std::string& text, const std::string& format) {
    size_t hole = format.find("%s");
    if (hole == std::string::npos) return text == format;
    if (text.compare(0, hole, format, 0, hole) != 0) return false;
    const std::string rest = format.substr(hole + 2);
    for (size_t at = hole; at <= text.size(); ++at)
        if (Matches(text.substr(at), rest)) return true;
    return false;
}

}  // namespace

UINT MessageIdOf(HINSTANCE setup, const std::string& text) {
    // A format whose holes could swallow another's longer text loses to the longer format.
    UINT best = 0;
    size_t bestLength = 0;
    for (UINT id = 1001; id <= 1063; ++id) {
        char format[512] = "";
        size_t length = size_t(LoadStringA(setup, id, format, sizeof format));
        if (length > bestLength && Matches(text, format)) {
            best = id;
            bestLength = length;
        }
    }
    return best;
}
#endif
