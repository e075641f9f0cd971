// TrimBlanks: strips spaces and tabs from both ends of a text in place.
#include <cstring>

#include "setup/script/setup_script.h"

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

char* TrimBlanks(char* text) {
    const char* first = text;
    while (IsBlank(*first)) ++first;
    std::size_t length = std::strlen(first);
    while (length > 0 && IsBlank(first[length - 1])) --length;
    std::memmove(text, first, length);
    text[length] = '\0';
    return text;
}
