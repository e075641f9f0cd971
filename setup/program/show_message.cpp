// ShowMessage: every message of the installer, from its string table, through one message box call.
#include "setup/program/show_message.h"

#include <cstdio>

#include "setup/program/setup_log.h"
#include "setup/program/setup_options.h"
#include "setup/program/setup_syscalls.h"

namespace {

// What a silent run answers in place of the user: No to a question, Cancel where Cancel is
// offered (a step that waits for the user is left out), otherwise OK.
int QuietAnswer(UINT style) {
    switch (style & MB_TYPEMASK) {
    case MB_YESNO: return IDNO;
    case MB_OKCANCEL:
    case MB_RETRYCANCEL:
    case MB_YESNOCANCEL: return IDCANCEL;
    }
    return IDOK;
}

}  // namespace

char* FormatStringV(HINSTANCE instance, UINT id, char* out, int size, va_list args) {
    char text[kMessageTemplateChars + 1];
    if (LoadStringA(instance, id, text, sizeof text) <= 0) text[0] = '\0';
    // The texts use only "%s"; a path may make the result longer than the buffer, and then the
    // message is cut rather than written past its end.
    int written = std::vsnprintf(out, size_t(size), text, args);
    if (written < 0) out[0] = '\0';
    out[size - 1] = '\0';
    return out;
}

char* FormatString(HINSTANCE instance, UINT id, char* out, int size, ...) {
    va_list args;
    va_start(args, size);
    FormatStringV(instance, id, out, size, args);
    va_end(args);
    return out;
}

int ShowMessage(HINSTANCE instance, HWND owner, UINT id, LPCSTR caption, UINT style, ...) {
    char message[kMessageChars + 1];
    va_list args;
    va_start(args, style);
    FormatStringV(instance, id, message, sizeof message, args);
    va_end(args);
    LogLine("Message %u: %s", id, message);
    if (g_options.quiet) return QuietAnswer(style);
    return g_setupSyscalls.MessageBoxA(owner, message, caption, style);
}
