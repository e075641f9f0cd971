// UpdateAddInManager: Excel started on the distribution's workbook "install.xls".
#include "setup/program/host_integration.h"
#include "setup/program/setup_state.h"
#include "setup/program/setup_syscalls.h"

int UpdateAddInManager(HWND) {
    // No quotes are added: WinExec finds a program path with blanks by trying its prefixes.
    char command[kExcelCommandChars + 1 + kSourceDirChars + sizeof "install.xls"];
    wsprintfA(command, "%s %sinstall.xls", excelCommand, sourceDir);
    return g_setupSyscalls.WinExec(command, SW_SHOW) < 32 ? -1 : 0;
}
