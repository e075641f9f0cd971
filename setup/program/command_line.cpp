// ParseCommandLine: the switches of SETUP.EXE.
#include <cstring>

#include "setup/program/setup_options.h"

SetupOptions g_options;

namespace {

// Copies the next blank-separated word of `*at` into `word` (size bytes), dropping the quotes
// that let a word hold blanks, and moves `*at` past it. False at the end of the line.
bool NextWord(const char** at, char* word, int size) {
    const char* p = *at;
    while (*p == ' ' || *p == '\t') ++p;
    if (!*p) return false;
    int length = 0;
    bool quoted = false;
    for (; *p && (quoted || (*p != ' ' && *p != '\t')); ++p) {
        if (*p == '"') {
            quoted = !quoted;
        } else if (length + 1 < size) {
            word[length++] = *p;
        }
    }
    word[length] = '\0';
    *at = p;
    return true;
}

// The value of a "/X=value" word into `out`; false when there is no "=" or no value.
bool TakeValue(const char* word, char* out, int size) {
    if (word[2] != '=' || !word[3]) return false;
    lstrcpynA(out, word + 3, size);
    return true;
}

}  // namespace

bool ParseCommandLine(const char* line, SetupOptions* options, char* bad, int badSize) {
    *options = SetupOptions{};
    bad[0] = '\0';
    char word[2 * MAX_PATH];
    bool understood = true;
    for (const char* at = line ? line : ""; NextWord(&at, word, sizeof word);) {
        char letter = (word[0] == '/' || word[0] == '-') ? word[1] : 0;
        if (letter >= 'a' && letter <= 'z') letter = char(letter - 'a' + 'A');
        bool ok = false;
        if (letter == 'Q' || letter == 'U') {
            ok = word[2] == '\0';
            if (ok) (letter == 'Q' ? options->quiet : options->uninstall) = true;
        } else if (letter == 'D') {
            ok = TakeValue(word, options->dest, sizeof options->dest);
        } else if (letter == 'L') {
            ok = TakeValue(word, options->log, sizeof options->log);
        }
        if (!ok && understood) {
            lstrcpynA(bad, word, badSize);
            understood = false;
        }
    }
    // A removal goes where the installation is remembered: a destination makes no sense there.
    if (understood && options->uninstall && options->dest[0]) {
        lstrcpynA(bad, "/D", badSize);
        understood = false;
    }
    return understood;
}
