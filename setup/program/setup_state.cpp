// The installer's process-wide state, and the outcome a silent run ends with.
#include "setup/program/setup_state.h"

#include "setup/program/exit_codes.h"

HINSTANCE g_instance;
char sourceDir[kSourceDirChars + 1];
char destDir[kDestDirChars + 1];
char excelCommand[kExcelCommandChars + 1];
DWORD g_ddeInstance;
HWND g_statusWindow;

namespace {

SetupExit g_outcome = kExitSuccess;

}  // namespace

void RecordFailure(SetupExit code) {
    if (g_outcome == kExitSuccess) g_outcome = code;
}

SetupExit RecordedOutcome() { return g_outcome; }

void ResetOutcome() { g_outcome = kExitSuccess; }
