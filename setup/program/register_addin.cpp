// RegisterAddInWithExcel: the add-in for the Excel found, among the add-ins it opens at start.
#include "setup/program/copy_files.h"
#include "setup/program/dialogs.h"
#include "setup/program/excel_addins.h"
#include "setup/program/exit_codes.h"
#include "setup/program/host_integration.h"
#include "setup/program/setup_ids.h"
#include "setup/program/setup_log.h"
#include "setup/program/setup_state.h"

namespace {

// Leaves the add-in to the workbook install.xls, as without this step.
bool NotAdded(SetupExit outcome) {
    RecordFailure(outcome);
    return false;
}

}  // namespace

bool RegisterAddInWithExcel(HWND status, AddedAddIn* added) {
    SetStatusTexts(status, "Adding the add-in to Excel...", "");
    ExcelProgram excel;
    IdentifyExcel(&excel);
    LogLine("Excel: %s, version %u.%u, %s", excel.path[0] ? excel.path : excelCommand, excel.major, excel.minor,
            excel.bits == 64 ? "64-bit" : excel.bits == 32 ? "32-bit" : "no 32-bit or 64-bit Windows program");
    char key[64];
    if (excel.bits == 0 || !AddInsKeyFor(excel.major, key, sizeof key)) {
        LogLine("No add-in can be chosen for this Excel: install.xls shows how to add one");
        return NotAdded(kExitExcelUnknown);
    }
    const char* addIn = excel.bits == 64 ? kAddIn64 : kAddIn32;
    char file[kDestDirChars + 2 + sizeof kAddIn32];
    JoinPath(file, sizeof file, destDir, addIn);
    if (GetFileAttributesA(file) == INVALID_FILE_ATTRIBUTES) {
        LogLine("%s, the add-in for this Excel, was not installed", file);
        return NotAdded(kExitExcelUnknown);
    }
    if (!WaitForExcelToClose(IDS_EXCEL_RUNNING, addIn)) return NotAdded(kExitExcelRunning);
    char name[16];
    LONG result = AddOpenEntry(key, file, name);
    if (result != ERROR_SUCCESS) {
        LogLine("HKEY_CURRENT_USER\\%s could not be written (error %ld)", key, result);
        return NotAdded(kExitAddInNotAdded);
    }
    LogLine("Added HKEY_CURRENT_USER\\%s %s = /R \"%s\"", key, name, file);
    lstrcpynA(added->addIn, addIn, sizeof added->addIn);
    wsprintfA(added->excel, "Excel %u.%u (%d-bit)", excel.major, excel.minor, excel.bits);
    return true;
}
