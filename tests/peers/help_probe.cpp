// help_probe: asks the Windows help engine for topics of a help file as programs do, and prints
// the first line of what it shows for each.
//
//     help_probe [--hold READY CLOSE] FILE.HLP contents|NUMBER...
//
// "contents" asks for the contents (HELP_CONTENTS), a number for that context (HELP_CONTEXT).
// Each answer is one line: "REQUEST<tab>FIRST LINE", or "REQUEST<tab>(nothing shown)".
// --hold keeps the last topic on screen: it creates the file READY and waits for CLOSE.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "help_viewer.h"

int main(int argc, char** argv) {
    const char* ready = nullptr;
    const char* close = nullptr;
    int first = 1;
    if (argc > 3 && std::strcmp(argv[1], "--hold") == 0) {
        ready = argv[2];
        close = argv[3];
        first = 4;
    }
    if (argc - first < 2) {
        std::fprintf(stderr, "usage: help_probe [--hold READY CLOSE] FILE.HLP contents|NUMBER...\n");
        return 2;
    }
    const char* file = argv[first];
    // Programs ask on behalf of one of their windows; the engine answers to it.
    HWND owner = CreateWindowExA(0, "STATIC", "help_probe", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    std::string shown;
    for (int i = first + 1; i < argc; ++i) {
        bool contents = std::strcmp(argv[i], "contents") == 0;
        if (!WinHelpA(owner, file, contents ? HELP_CONTENTS : HELP_CONTEXT, contents ? 0 : std::strtoul(argv[i], nullptr, 10))) {
            std::printf("%s\t(the help engine refused the request)\n", argv[i]);
            continue;
        }
        std::string now = WaitForHelpTextOtherThan(shown, 15000);
        std::printf("%s\t%s\n", argv[i], now == shown ? "(nothing shown)" : FirstLine(now).c_str());
        std::fflush(stdout);
        shown = now;
    }
    if (ready) {
        FILE* signal = std::fopen(ready, "w");
        if (signal) std::fclose(signal);
        for (int tick = 0; tick < 600 && GetFileAttributesA(close) == INVALID_FILE_ATTRIBUTES; ++tick) Sleep(100);
    }
    WinHelpA(owner, file, HELP_QUIT, 0);
    DestroyWindow(owner);
    return 0;
}
