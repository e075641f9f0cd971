// Counted strings: placeholder preparation, string-table loads and comparison.
#include "counted_text.h"

#include <cstring>

void PreparePlaceholder(char* text) {
    // Measured behind the first byte: on a second pass an empty text's length byte is 0 and a
    // count from the first byte would wrap to 255.
    text[0] = static_cast<char>(std::strlen(text + 1));
}

WORD LoadCountedString(HINSTANCE instance, UINT id, char* buffer, WORD size) {
    std::memset(buffer, 0, size);
    int loaded = LoadStringA(instance, id, buffer + 1, size - 1);
    if (loaded < 0) loaded = 0;
    buffer[0] = static_cast<char>(loaded);
    return static_cast<WORD>(loaded);
}

static unsigned char FoldAsciiCase(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

int CompareCountedText(const char* first, const char* second) {
    const auto* a = reinterpret_cast<const unsigned char*>(first);
    const auto* b = reinterpret_cast<const unsigned char*>(second);
    if (a[0] != b[0]) return 1;
    for (unsigned i = 1; i <= a[0]; ++i) {
        if (FoldAsciiCase(a[i]) != FoldAsciiCase(b[i])) return 1;
    }
    return 0;
}
