// Counted texts between the add-in's ANSI code page and the UTF-16 of XLOPER12 records.
//
// Every ANSI code page of Windows keeps the ASCII characters as they are, so a text of them
// alone converts without asking Windows; the add-in's own texts and its unit labels are such
// texts. The native build stands Latin-1 in for the ANSI code page: each byte is the code
// point of its character.
#include "wide_text.h"

#include "addin_syscalls.h"

void WidenCountedText(const char* counted, XCHAR* wide, int room) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(counted);
    int length = bytes[0] <= room - 2 ? bytes[0] : room - 2;  // room for the count and a terminator
#ifdef _WIN32
    bool ascii = true;
    for (int i = 1; i <= length; ++i) ascii = ascii && bytes[i] < 0x80;
    if (!ascii) {
        length = g_addinSyscalls.MultiByteToWideChar(CP_ACP, 0, counted + 1, bytes[0], wide + 1, room - 2);
        wide[0] = XCHAR(length);
        wide[length + 1] = 0;
        return;
    }
#endif
    for (int i = 1; i <= length; ++i) wide[i] = XCHAR(bytes[i]);
    wide[0] = XCHAR(length);
    wide[length + 1] = 0;
}

bool NarrowCountedText(const XCHAR* wide, char (&counted)[kCountedTextRoom]) {
    int length = wide[0];
    bool ascii = length <= 255;
    for (int i = 1; ascii && i <= length; ++i) ascii = wide[i] < 0x80;
    if (ascii) {
        for (int i = 1; i <= length; ++i) counted[i] = char(wide[i]);
    } else {
#ifdef _WIN32
        // No best fit: a character the code page lacks must not turn into one it has, which
        // a label could then match.
        BOOL defaulted = FALSE;
        length = g_addinSyscalls.WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide + 1, length, counted + 1, 255,
                                                     nullptr, &defaulted);
        if (length <= 0 || defaulted) return false;
#else
        if (length > 255) return false;
        for (int i = 1; i <= length; ++i) {
            if (wide[i] > 0xFF) return false;
            counted[i] = char(wide[i]);
        }
#endif
    }
    counted[0] = char(length);
    counted[length + 1] = 0;
    return true;
}
