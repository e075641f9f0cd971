// LoadSetupScript: reads SETUP.INF into a global memory block and hands it to the parser.
#include "setup/program/load_setup_script.h"

#include "setup/program/exit_codes.h"
#include "setup/program/setup_ids.h"
#include "setup/program/setup_state.h"
#include "setup/program/setup_syscalls.h"
#include "setup/program/show_message.h"
#include "setup/script/setup_script.h"

namespace {

// Reads the whole script into `text` (kScriptBufferSize bytes) and parses it.
WORD ReadAndParse(LPCSTR path, char* text) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return IDS_SCRIPT_NOT_FOUND;
    DWORD read = 0;
    BOOL ok = ReadFile(file, text, kScriptBufferSize, &read, nullptr);
    CloseHandle(file);
    // A script that fills the buffer leaves no room for its NUL: it may go on past it.
    if (!ok || read >= DWORD(kScriptBufferSize)) return IDS_SCRIPT_ERROR;
    text[read] = '\0';
    return ParseSetupScript(text) == 0 ? 0 : IDS_SCRIPT_ERROR;
}

}  // namespace

WORD LoadSetupScript(LPCSTR path) {
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    WORD result = IDS_NO_MEMORY;
    HGLOBAL block = g_setupSyscalls.GlobalAlloc(GHND, kScriptBufferSize);
    if (block) {
        char* text = static_cast<char*>(GlobalLock(block));
        if (text) {
            result = ReadAndParse(path, text);
            GlobalUnlock(block);
        }
        GlobalFree(block);
    }
    SetCursor(previous);
    return result;
}

bool LoadDistributionScript() {
    char path[kSourceDirChars + sizeof "SETUP.INF"];
    wsprintfA(path, "%sSETUP.INF", sourceDir);
    WORD message = LoadSetupScript(path);
    if (message == 0) return true;
    ShowMessage(g_instance, nullptr, message, kCaption, MB_ICONINFORMATION | MB_TASKMODAL, path);
    RecordFailure(kExitScript);
    return false;
}
