// ExpandItemMacros: %A and %E in a Program Manager item's command line.
#include <cstring>

#include "setup/program/host_integration.h"
#include "setup/program/setup_state.h"

namespace {

// The longest replacement: destDir and its backslash, or excelCommand.
constexpr int kReplacementChars = kExcelCommandChars > kDestDirChars + 1 ? kExcelCommandChars : kDestDirChars + 1;

// The text a macro letter stands for, or false for a letter that is no macro.
bool Replacement(char letter, char* out) {
    if (letter == 'E') {
        std::strcpy(out, excelCommand);
        return true;
    }
    if (letter != 'A') return false;
    std::strcpy(out, destDir);
    size_t length = std::strlen(out);
    if (length == 0 || out[length - 1] != '\\') std::strcpy(out + length, "\\");
    return true;
}

}  // namespace

int ExpandItemMacros(char* text, int capacity) {
    // Each pass starts again from the end of the new text, so a replacement that holds a
    // percent sign is read as a macro in turn. A replacement that reproduces itself ("%E" as
    // Excel's command) would never end: more passes than the text has room for means that.
    for (int pass = 0;; ++pass) {
        char* percent = std::strrchr(text, '%');
        if (!percent) return 0;
        if (pass >= capacity) return -1;
        char replacement[kReplacementChars + 1];
        if (!Replacement(percent[1], replacement)) return -1;  // also the "%" at the very end
        const char* rest = percent + 2;
        size_t prefix = size_t(percent - text), middle = std::strlen(replacement), tail = std::strlen(rest);
        if (prefix + middle + tail > size_t(capacity - 1)) return -1;
        std::memmove(percent + middle, rest, tail + 1);
        std::memcpy(percent, replacement, middle);
    }
}
