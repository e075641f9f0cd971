// The log of a run: a plain text file of CR LF lines, written as they come.
#include "setup/program/setup_log.h"

#include <cstdarg>
#include <cstdio>

namespace {

HANDLE g_log = INVALID_HANDLE_VALUE;

}  // namespace

bool OpenSetupLog(LPCSTR path) {
    CloseSetupLog();
    g_log = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return g_log != INVALID_HANDLE_VALUE;
}

void LogLine(LPCSTR format, ...) {
    if (g_log == INVALID_HANDLE_VALUE) return;
    char line[1024];
    va_list args;
    va_start(args, format);
    int length = std::vsnprintf(line, sizeof line - 2, format, args);
    va_end(args);
    if (length < 0) return;
    if (length > int(sizeof line) - 3) length = int(sizeof line) - 3;  // a longer line is cut
    // Messages are written as they are shown, over several lines: the log keeps one a line.
    for (int i = 0; i < length; ++i)
        if (line[i] == '\n' || line[i] == '\r') line[i] = ' ';
    line[length++] = '\r';
    line[length++] = '\n';
    DWORD written = 0;
    WriteFile(g_log, line, DWORD(length), &written, nullptr);
}

void CloseSetupLog() {
    if (g_log != INVALID_HANDLE_VALUE) CloseHandle(g_log);
    g_log = INVALID_HANDLE_VALUE;
}
