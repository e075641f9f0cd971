// Installs a distribution the way a user would: runs its SETUP.EXE, accepts WELCOME as offered
// (or with the destination given), presses OK on every message, prints what it saw, and then
// tells a scripted Program Manager (progman_peer) to end.
//   setup_driver SETUP.EXE [DESTINATION]
#include <cstdio>

#include "setup_robot.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: setup_driver SETUP.EXE [DESTINATION]\n");
        return 2;
    }
    WelcomeAnswer accept;
    if (argc > 2) accept.dest = argv[2];
    const SetupRun run = DriveSetup(argv[1], "", {accept});
    for (const SetupRun::Welcome& welcome : run.welcomes)
        std::printf("WELCOME offered destination %s, source %s: OK\n", welcome.dest.c_str(), welcome.source.c_str());
    for (const SetupRun::Message& message : run.messages)
        std::printf("Message box \"%s\":\n  %s\n", message.caption.c_str(), message.text.c_str());
    // The installation is over: a scripted Program Manager serving it may end.
    if (HANDLE stop = OpenEventA(EVENT_MODIFY_STATE, FALSE, "MezuraProgmanStop")) {
        SetEvent(stop);
        CloseHandle(stop);
    }
    if (!run.finished) {
        std::printf("SETUP.EXE did not finish in time\n");
        return 1;
    }
    std::printf("SETUP.EXE exit code %lu\n", static_cast<unsigned long>(run.exitCode));
    return 0;
}
