// The installer's script record, filled from SETUP.INF, and the portable parser that fills it.
#pragma once

#include <cstdint>

// Capacities in characters; every text buffer has one more byte for its terminating NUL.
constexpr int kAppNameChars = 39;
constexpr int kAddInChars = 44;
constexpr int kAppCodeChars = 4;
constexpr int kDefDirChars = 99;
constexpr int kGroupFileChars = 44;
constexpr int kGroupNameChars = 29;
constexpr int kDescriptionChars = 49;
constexpr int kFileNameChars = 44;
constexpr int kCommandLineChars = 79;
constexpr int kItemNameChars = 29;
constexpr int kIniKeyChars = 19;
constexpr int kIniValueChars = 147;

constexpr int kMaxFileEntries = 30;
constexpr int kMaxProgramItems = 40;
constexpr int kMaxIniEntries = 30;

// The script is read into a buffer of this size; the text and its NUL must fit in it.
constexpr int kScriptBufferSize = 10240;
// The longest line, before trimming, that the parser accepts.
constexpr int kMaxLineChars = 263;

struct ApplicationSettings {
    char AppName[kAppNameChars + 1];
    char AddIn[kAddInChars + 1];
    char AppCode[kAppCodeChars + 1];
    char DefDir[kDefDirChars + 1];
    uint32_t SpaceNeeded;  // kilobytes, compared unsigned
    char groupFile[kGroupFileChars + 1];
    char groupName[kGroupNameChars + 1];
};

struct FileEntry {
    char description[kDescriptionChars + 1];
    char sourceName[kFileNameChars + 1];
    char destName[kFileNameChars + 1];
};

struct ProgramItem {
    char commandLine[kCommandLineChars + 1];  // may hold the macros %A and %E
    char itemName[kItemNameChars + 1];
};

struct IniEntry {
    char key[kIniKeyChars + 1];
    char value[kIniValueChars + 1];
};

struct SetupScript {
    ApplicationSettings settings;
    FileEntry files[kMaxFileEntries];
    ProgramItem programItems[kMaxProgramItems];
    IniEntry iniEntries[kMaxIniEntries];
    uint16_t fileCount;
    uint16_t programItemCount;
    uint16_t iniEntryCount;
};

// The one script of the process: zero until ParseSetupScript fills it.
extern SetupScript g_setupScript;

// Removes spaces and tabs (nothing else) from both ends of `text` in place, moving what
// remains to the start. Returns `text`.
char* TrimBlanks(char* text);

// Parses the NUL-terminated script `text` in place (NULs are written into it) into
// g_setupScript. Returns 0 when the [End] line was reached, -1 at the first script error.
int ParseSetupScript(char* text);
