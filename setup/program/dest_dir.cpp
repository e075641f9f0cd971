// CreateDestDir: the destination directory exists before anything is copied into it.
#include "setup/program/dialogs.h"
#include "setup/program/directories.h"
#include "setup/program/setup_ids.h"
#include "setup/program/setup_state.h"
#include "setup/program/setup_syscalls.h"
#include "setup/program/show_message.h"

int CreateDestDir(HWND status) {
    SetStatusTexts(status, "Creating destination directory...", destDir);
    if (SetCurrentDirectoryA(destDir)) return 0;
    if (g_setupSyscalls.CreateDirectoryA(destDir, nullptr)) return 0;
    ShowMessage(g_instance, status, IDS_CANNOT_CREATE_DIR, kCaption, MB_ICONINFORMATION, destDir);
    return -1;
}
