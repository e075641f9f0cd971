// The installer's process-wide state.
#include "setup/program/setup_state.h"

HINSTANCE g_instance;
char sourceDir[kSourceDirChars + 1];
char destDir[kDestDirChars + 1];
char excelCommand[kExcelCommandChars + 1];
DWORD g_ddeInstance;
HWND g_statusWindow;
