// ParseSetupScript: reads the lines of SETUP.INF into the process-wide script record.
#include <cstring>

#include "setup/script/setup_script.h"

namespace {

enum class Section { None, Application, Files, ProgramItems, IniEntries, End };

struct Header {
    const char* text;
    Section section;
};

constexpr Header kHeaders[] = {
    {"[Application]", Section::Application},
    {"[Files]", Section::Files},
    {"[PM Info]", Section::ProgramItems},
    {"[INI Entries]", Section::IniEntries},
    {"[End]", Section::End},
};

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(const char* first, const char* second) {
    for (; *first && *second; ++first, ++second)
        if (FoldCase(*first) != FoldCase(*second)) return false;
    return *first == *second;
}

// Copies `text` into a field, cut to the field's capacity without notice.
template <std::size_t N>
void StoreText(char (&field)[N], const char* text) {
    std::size_t length = std::strlen(text);
    if (length > N - 1) length = N - 1;
    std::memcpy(field, text, length);
    field[length] = '\0';
}

// Ends `text` at its first `separator` and returns the trimmed rest, or nullptr when the
// separator is missing. The part before it is trimmed too.
char* SplitAt(char* text, char separator) {
    char* found = std::strchr(text, separator);
    if (!found) return nullptr;
    *found = '\0';
    TrimBlanks(text);
    return TrimBlanks(found + 1);
}

// The runtime's atol on a 32-bit long, seen as unsigned: out-of-range values saturate
// rather than wrap, so an absurd requirement never turns into a small one.
uint32_t ParseKilobytes(const char* text) {
    while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
    bool negative = *text == '-';
    if (*text == '+' || *text == '-') ++text;
    const long long limit = negative ? 2147483648LL : 2147483647LL;
    long long magnitude = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        magnitude = magnitude * 10 + (*text - '0');
        if (magnitude > limit) magnitude = limit;
    }
    return uint32_t(negative ? -magnitude : magnitude);
}

int StoreSetting(ApplicationSettings& settings, char* line) {
    char* value = SplitAt(line, '=');
    if (!value) return -1;
    const char* key = line;
    if (EqualIgnoringCase(key, "AppName")) {
        StoreText(settings.AppName, value);
    } else if (EqualIgnoringCase(key, "AddIn")) {
        StoreText(settings.AddIn, value);
    } else if (EqualIgnoringCase(key, "AppCode")) {
        StoreText(settings.AppCode, value);
    } else if (EqualIgnoringCase(key, "DefDir")) {
        StoreText(settings.DefDir, value);
    } else if (EqualIgnoringCase(key, "SpaceNeeded")) {
        settings.SpaceNeeded = ParseKilobytes(value);
    } else if (EqualIgnoringCase(key, "DefPMGroup")) {
        char* name = SplitAt(value, ',');
        if (!name) return -1;
        StoreText(settings.groupFile, value);
        StoreText(settings.groupName, name);
    }
    return 0;
}

int StoreFileEntry(SetupScript& script, char* line) {
    char* destination = SplitAt(line, ',');
    char* description = destination ? SplitAt(destination, ',') : nullptr;
    if (!description || script.fileCount >= kMaxFileEntries) return -1;
    FileEntry& entry = script.files[script.fileCount];
    StoreText(entry.sourceName, line);
    StoreText(entry.destName, destination);
    StoreText(entry.description, description);
    ++script.fileCount;
    return 0;
}

int StoreProgramItem(SetupScript& script, char* line) {
    char* name = SplitAt(line, ',');
    if (!name || script.programItemCount >= kMaxProgramItems) return -1;
    ProgramItem& item = script.programItems[script.programItemCount];
    StoreText(item.commandLine, line);
    StoreText(item.itemName, name);
    ++script.programItemCount;
    return 0;
}

int StoreIniEntry(SetupScript& script, char* line) {
    char* value = SplitAt(line, ',');
    if (!value || script.iniEntryCount >= kMaxIniEntries) return -1;
    IniEntry& entry = script.iniEntries[script.iniEntryCount];
    StoreText(entry.key, line);
    StoreText(entry.value, value);
    ++script.iniEntryCount;
    return 0;
}

int HandleLine(SetupScript& script, Section section, char* line) {
    switch (section) {
    case Section::Application: return StoreSetting(script.settings, line);
    case Section::Files: return StoreFileEntry(script, line);
    case Section::ProgramItems: return StoreProgramItem(script, line);
    case Section::IniEntries: return StoreIniEntry(script, line);
    case Section::None:
    case Section::End: break;
    }
    return 0;
}

}  // namespace

int ParseSetupScript(char* text) {
    SetupScript& script = g_setupScript;
    // Entries beyond the counts keep whatever an earlier parse left there.
    std::memset(&script.settings, 0, sizeof script.settings);
    script.fileCount = script.programItemCount = script.iniEntryCount = 0;

    Section section = Section::None;
    int result = 0;
    char* position = text;
    char line[kMaxLineChars + 1];
    while (section != Section::End && result == 0) {
        char* next = std::strchr(position, '\r');
        if (next) {
            *next++ = '\0';
            // The character after a CR is taken for the LF and skipped unseen, unless the
            // text ends there.
            if (*next) ++next;
        }
        std::size_t length = std::strlen(position);
        // A line with an LF in it means LF-only line ends: the rest of the file is one line.
        if (length > std::size_t(kMaxLineChars) || std::memchr(position, '\n', length)) return -1;
        std::memcpy(line, position, length + 1);
        TrimBlanks(line);

        if (line[0] == '[') {
            section = Section::None;
            result = -1;
            for (const Header& header : kHeaders) {
                if (EqualIgnoringCase(line, header.text)) {
                    section = header.section;
                    result = 0;
                    break;
                }
            }
        } else if (line[0] != '\0' && line[0] != ';') {
            result = HandleLine(script, section, line);
        }

        // The last line has been read; a script that did not end on [End] is incomplete.
        if (!next) {
            if (section != Section::End) result = -1;
            break;
        }
        position = next;
    }
    return result;
}
