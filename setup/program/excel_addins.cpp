// AddOpenEntry and RemoveOpenEntries: the OPEN, OPEN1, ... entries naming the add-ins Excel
// opens at start. Excel stops reading them at the first missing number, so an entry takes the
// first free name and a removal moves the later ones down.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "setup/program/excel_addins.h"
#include "setup/program/setup_log.h"
#include "setup/program/setup_syscalls.h"

namespace {

// The newest major version whose settings a removal looks through.
constexpr unsigned kNewestMajor = 99;

// One OPEN entry: its number (OPEN is 0, OPENn is n), name and value as stored.
struct OpenEntry {
    int number;
    std::string name;
    DWORD type;
    std::vector<BYTE> data;
};

void OpenName(int number, char* name) {
    if (number == 0) lstrcpyA(name, "OPEN");
    else wsprintfA(name, "OPEN%d", number);
}

// The number of an OPEN entry's name ("OPEN", "OPEN1", ...), -1 for any other name.
int OpenNumber(const char* name) {
    if (std::strlen(name) < 4 || CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name, 4, "OPEN", 4) != CSTR_EQUAL)
        return -1;
    const char* digits = name + 4;
    if (!*digits) return 0;
    if (*digits == '0' || std::strlen(digits) > 6) return -1;
    int number = 0;
    for (const char* p = digits; *p; ++p) {
        if (*p < '0' || *p > '9') return -1;
        number = number * 10 + (*p - '0');
    }
    return number;
}

// The file an entry names: its switches (/R, /F) and quotes taken away.
std::string EntryFile(const OpenEntry& entry) {
    if (entry.type != REG_SZ && entry.type != REG_EXPAND_SZ) return "";
    std::string text(entry.data.begin(), entry.data.end());
    text = text.c_str();  // up to the terminator
    size_t at = 0;
    for (;;) {
        at = text.find_first_not_of(' ', at);
        if (at == std::string::npos) return "";
        if (text[at] != '/' || at + 1 >= text.size() || text[at + 1] == ' ' || text[at + 1] == '"') break;
        at = text.find(' ', at);  // a switch
        if (at == std::string::npos) return "";
    }
    if (text[at] == '"') {
        size_t closing = text.find('"', at + 1);
        return text.substr(at + 1, closing == std::string::npos ? std::string::npos : closing - at - 1);
    }
    size_t last = text.find_last_not_of(' ');
    return text.substr(at, last + 1 - at);
}

bool SameText(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

// Whether `file` is one of our add-ins: named so, and in `folder` unless `folder` is null.
bool IsOurs(const std::string& file, LPCSTR folder) {
    size_t slash = file.find_last_of('\\');
    std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
    if (!SameText(name, kAddIn32) && !SameText(name, kAddIn64)) return false;
    if (!folder) return true;
    std::string directory = slash == std::string::npos ? "" : file.substr(0, slash);
    std::string wanted = folder;
    if (!wanted.empty() && wanted.back() == '\\') wanted.pop_back();
    return SameText(directory, wanted);
}

// Every OPEN entry of `key`, by number.
std::vector<OpenEntry> ReadEntries(HKEY key) {
    std::vector<OpenEntry> entries;
    DWORD count = 0, longestName = 0, longestData = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longestName, &longestData,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return entries;
    std::vector<char> name(longestName + 1);
    for (DWORD i = 0; i < count; ++i) {
        OpenEntry entry{-1, "", 0, std::vector<BYTE>(longestData + 1)};
        DWORD nameLength = DWORD(name.size()), dataLength = DWORD(entry.data.size());
        if (RegEnumValueA(key, i, name.data(), &nameLength, nullptr, &entry.type, entry.data.data(), &dataLength) !=
            ERROR_SUCCESS)
            continue;
        entry.number = OpenNumber(name.data());
        if (entry.number < 0) continue;
        entry.name = name.data();
        entry.data.resize(dataLength);
        entries.push_back(entry);
    }
    std::sort(entries.begin(), entries.end(),
              [](const OpenEntry& a, const OpenEntry& b) { return a.number < b.number; });
    return entries;
}

// Removes the entries naming our add-ins (in `folder`, or anywhere when it is null) except the
// one numbered `keep`, and moves the entries that follow one of them down, as far as the numbers
// run without a gap: no gap of our making is left, and one that was there stays where it was
// (Excel did not read past it, and does not now). `keyName` is for the log.
LONG RemoveOurs(HKEY key, LPCSTR folder, int keep, LPCSTR keyName) {
    int removed = 0, previous = -1;
    for (const OpenEntry& entry : ReadEntries(key)) {
        if (entry.number != previous + 1) removed = 0;  // past a gap that was there
        previous = entry.number;
        if (entry.number != keep && IsOurs(EntryFile(entry), folder)) {
            LogLine("Removed HKEY_CURRENT_USER\\%s %s (%s)", keyName, entry.name.c_str(), EntryFile(entry).c_str());
            RegDeleteValueA(key, entry.name.c_str());
            ++removed;
        } else if (removed > 0) {
            char name[16];
            OpenName(entry.number - removed, name);
            LONG moved = g_setupSyscalls.RegSetValueExA(key, name, 0, entry.type, entry.data.data(),
                                                        DWORD(entry.data.size()));
            if (moved != ERROR_SUCCESS) return moved;
            RegDeleteValueA(key, entry.name.c_str());
        }
    }
    return ERROR_SUCCESS;
}

// The add-in manager lists add-ins the user turned off under their paths: ours in `folder` go.
void RemoveFromAddInManager(unsigned major, LPCSTR folder) {
    char keyName[64];
    wsprintfA(keyName, "Software\\Microsoft\\Office\\%u.0\\Excel\\Add-in Manager", major);
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyName, 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS) return;
    for (const char* addIn : {kAddIn32, kAddIn64}) {
        std::string path = std::string(folder) + "\\" + addIn;
        if (RegDeleteValueA(key, path.c_str()) == ERROR_SUCCESS)
            LogLine("Removed HKEY_CURRENT_USER\\%s %s", keyName, path.c_str());
    }
    RegCloseKey(key);
}

}  // namespace

bool AddInsKeyFor(unsigned major, char* key, int size) {
    char text[64];
    if (major >= 9) {
        wsprintfA(text, "Software\\Microsoft\\Office\\%u.0\\Excel\\Options", major);
    } else if (major == 8) {
        // Excel 97 keeps each section of the former settings file as a key of its own; the
        // OPEN entries were in "[Microsoft Excel]".
        lstrcpyA(text, "Software\\Microsoft\\Office\\8.0\\Excel\\Microsoft Excel");
    } else if (major >= 5) {
        wsprintfA(text, "Software\\Microsoft\\Excel\\%u.0\\Microsoft Excel", major);
    } else {
        return false;
    }
    lstrcpynA(key, text, size);
    return true;
}

LONG AddOpenEntry(LPCSTR keyName, LPCSTR file, char* name) {
    HKEY key;
    LONG result = RegCreateKeyExA(HKEY_CURRENT_USER, keyName, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                                  nullptr);
    if (result != ERROR_SUCCESS) return result;
    int number = -1;
    for (const OpenEntry& entry : ReadEntries(key)) {
        if (IsOurs(EntryFile(entry), nullptr)) {
            number = entry.number;
            break;
        }
    }
    // Without an entry of ours, the first name that is not taken.
    for (int n = 0; number < 0; ++n) {
        OpenName(n, name);
        if (RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) number = n;
    }
    OpenName(number, name);
    std::string data = std::string("/R \"") + file + "\"";
    result = g_setupSyscalls.RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                            DWORD(data.size() + 1));
    if (result == ERROR_SUCCESS) result = RemoveOurs(key, nullptr, number, keyName);
    RegCloseKey(key);
    return result;
}

void RemoveOpenEntries(LPCSTR folder) {
    for (unsigned major = 5; major <= kNewestMajor; ++major) {
        char keyName[64];
        HKEY key;
        if (AddInsKeyFor(major, keyName, sizeof keyName) &&
            RegOpenKeyExA(HKEY_CURRENT_USER, keyName, 0, KEY_READ | KEY_WRITE, &key) == ERROR_SUCCESS) {
            RemoveOurs(key, folder, -1, keyName);
            RegCloseKey(key);
        }
        if (major >= 8) RemoveFromAddInManager(major, folder);
    }
}
