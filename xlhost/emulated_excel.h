// The emulated Excel: answers the add-in's Excel4 calls from its workbook, and keeps the ledger.
#pragma once

#include <string>
#include <vector>

#include "xloper.h"
#include "ledger.h"
#include "workbook.h"

namespace xlhost {

// One Excel4 call the host does not carry out: recorded, answered with xlretFailed.
struct UnhandledCall {
    int xlfn;
    int count;
};

// Installs the emulated Excel as this process's Excel4 and starts from a fresh state:
// an empty Book1 with Sheet1 as the calling sheet, an empty ledger, no calls recorded,
// nothing registered, the standard menus, version text "5.0" (registry.h).
void StartEmulatedExcel();

// The full path the host reports for the loaded add-in (xlGetName).
void SetAddinPath(const std::string& path);

// The window xlGetHwnd names on Windows, by the low 16 bits of its handle as Excel does;
// none (0) after StartEmulatedExcel.
void SetMainWindow(void* window);

const std::vector<UnhandledCall>& UnhandledCalls();
size_t CallCount(int xlfn);  // how often the add-in asked for function `xlfn`

// The dispatcher behind Excel4; exposed so that benchmarks can measure the host alone.
int HandleExcel4(int xlfn, XLOPER* result, int count, XLOPER** args);

}  // namespace xlhost
