// A scripted Program Manager for the installer's tests: serves DDE "PROGMAN", appends every
// command it is sent to a log file, one a line, and acknowledges or refuses it by scenario.
//   progman_peer LOG [refuse-additem | refuse-all]
// Once it serves it signals the event "MezuraProgmanReady" and prints a line; it ends when
// "MezuraProgmanStop" is set (or after ten minutes).
#include <windows.h>
#include <ddeml.h>

#include <cstdio>
#include <cstring>

namespace {

DWORD g_instance;
HSZ g_progman;
const char* g_log;
bool g_refuseAddItem, g_refuseAll;

void Record(const char* command) {
    FILE* log = std::fopen(g_log, "ab");
    if (!log) return;
    std::fprintf(log, "%s\n", command);
    std::fclose(log);
}

HDDEDATA OnExecute(HDDEDATA data) {
    char command[512] = "";
    DWORD length = DdeGetData(data, reinterpret_cast<LPBYTE>(command), sizeof command - 1, 0);
    command[length < sizeof command ? length : sizeof command - 1] = '\0';
    Record(command);
    bool refused = g_refuseAll || (g_refuseAddItem && std::strncmp(command, "[AddItem(", 9) == 0);
    return reinterpret_cast<HDDEDATA>(refused ? DDE_FNOTPROCESSED : DDE_FACK);
}

HDDEDATA CALLBACK Callback(UINT type, UINT, HCONV, HSZ topic, HSZ, HDDEDATA data, ULONG_PTR, ULONG_PTR) {
    switch (type) {
    case XTYP_CONNECT: return reinterpret_cast<HDDEDATA>(DdeCmpStringHandles(topic, g_progman) == 0);
    case XTYP_EXECUTE: return OnExecute(data);
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: progman_peer LOG [refuse-additem | refuse-all]\n");
        return 2;
    }
    g_log = argv[1];
    g_refuseAddItem = argc > 2 && std::strcmp(argv[2], "refuse-additem") == 0;
    g_refuseAll = argc > 2 && std::strcmp(argv[2], "refuse-all") == 0;
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, "MezuraProgmanReady");
    HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, "MezuraProgmanStop");
    if (DdeInitializeA(&g_instance, Callback, APPCLASS_STANDARD | CBF_FAIL_ADVISES | CBF_FAIL_POKES |
                                                  CBF_FAIL_REQUESTS | CBF_SKIP_ALLNOTIFICATIONS, 0) != DMLERR_NO_ERROR)
        return 1;
    g_progman = DdeCreateStringHandleA(g_instance, "PROGMAN", CP_WINANSI);
    if (!DdeNameService(g_instance, g_progman, nullptr, DNS_REGISTER)) return 1;
    SetEvent(ready);
    std::printf("PROGMAN stand-in serving\n");
    std::fflush(stdout);
    const DWORD deadline = GetTickCount() + 600000;
    while (GetTickCount() < deadline) {
        if (MsgWaitForMultipleObjects(1, &stop, FALSE, 1000, QS_ALLINPUT) == WAIT_OBJECT_0) break;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    DdeNameService(g_instance, g_progman, nullptr, DNS_UNREGISTER);
    DdeFreeStringHandle(g_instance, g_progman);
    DdeUninitialize(g_instance);
    ResetEvent(ready);
    return 0;
}
