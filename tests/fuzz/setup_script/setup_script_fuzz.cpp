// libFuzzer entry for ParseSetupScript: any text must parse or fail cleanly, and leave a sound record.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "setup/script/setup_script.h"

namespace {

// Every stored text ends within its buffer and starts with no blank the trim should have removed.
template <std::size_t N>
void CheckText(const char (&field)[N]) {
    const void* end = std::memchr(field, '\0', N);
    if (!end) std::abort();
    if (field[0] == ' ' || field[0] == '\t') std::abort();
    // CR ends a line and an LF inside one is refused, so neither can reach a field.
    if (std::strchr(field, '\r') || std::strchr(field, '\n')) std::abort();
}

// The record as plain values, to compare two parses of the same text.
std::vector<std::string> Snapshot(const SetupScript& script) {
    const ApplicationSettings& s = script.settings;
    std::vector<std::string> out = {s.AppName, s.AddIn, s.AppCode, s.DefDir, s.groupFile, s.groupName,
                                    std::to_string(s.SpaceNeeded), std::to_string(script.fileCount),
                                    std::to_string(script.programItemCount),
                                    std::to_string(script.iniEntryCount)};
    for (int i = 0; i < script.fileCount; ++i) {
        out.push_back(script.files[i].description);
        out.push_back(script.files[i].sourceName);
        out.push_back(script.files[i].destName);
    }
    for (int i = 0; i < script.programItemCount; ++i) {
        out.push_back(script.programItems[i].commandLine);
        out.push_back(script.programItems[i].itemName);
    }
    for (int i = 0; i < script.iniEntryCount; ++i) {
        out.push_back(script.iniEntries[i].key);
        out.push_back(script.iniEntries[i].value);
    }
    return out;
}

void CheckRecord(const SetupScript& script) {
    if (script.fileCount > kMaxFileEntries || script.programItemCount > kMaxProgramItems ||
        script.iniEntryCount > kMaxIniEntries)
        std::abort();
    const ApplicationSettings& s = script.settings;
    CheckText(s.AppName);
    CheckText(s.AddIn);
    CheckText(s.AppCode);
    CheckText(s.DefDir);
    CheckText(s.groupFile);
    CheckText(s.groupName);
    for (int i = 0; i < script.fileCount; ++i) {
        CheckText(script.files[i].description);
        CheckText(script.files[i].sourceName);
        CheckText(script.files[i].destName);
    }
    for (int i = 0; i < script.programItemCount; ++i) {
        CheckText(script.programItems[i].commandLine);
        CheckText(script.programItems[i].itemName);
    }
    for (int i = 0; i < script.iniEntryCount; ++i) {
        CheckText(script.iniEntries[i].key);
        CheckText(script.iniEntries[i].value);
    }
}

// Parses a private copy of exactly the input and its NUL, so any read or write past it is caught.
int ParseCopy(const uint8_t* data, std::size_t size) {
    char* text = static_cast<char*>(std::malloc(size + 1));
    if (size) std::memcpy(text, data, size);
    text[size] = '\0';
    int result = ParseSetupScript(text);
    std::free(text);
    return result;
}

bool MentionsEnd(const uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    for (char& c : text) c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return text.find("[end]") != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    // First over a record full of stale bytes, then over a clean one: the outcome must not differ.
    std::memset(&g_setupScript, 0xA5, sizeof g_setupScript);
    int result = ParseCopy(data, size);
    if (result != 0 && result != -1) std::abort();
    if (result == 0 && !MentionsEnd(data, size)) std::abort();
    CheckRecord(g_setupScript);
    std::vector<std::string> first = Snapshot(g_setupScript);

    std::memset(&g_setupScript, 0, sizeof g_setupScript);
    if (ParseCopy(data, size) != result || Snapshot(g_setupScript) != first) std::abort();
    return 0;
}
