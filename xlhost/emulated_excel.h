// The emulated Excel: answers the add-in's Excel4 and Excel12 calls from its workbook, and keeps the ledger.
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
// (Excel12 comes from the host program itself: see MdCallBack12 in emulated_excel.cpp.)

void SetAddinPath(const std::string& path);

// The window xlGetHwnd names on Windows, by the low 16 bits of its handle as Excel does;
// none (0) after StartEmulatedExcel.
void SetMainWindow(void* window);

const std::vector<UnhandledCall>& UnhandledCalls();
size_t CallCount(int xlfn);  // how often the add-in asked for function `xlfn`

// The dispatcher behind Excel4; exposed so that benchmarks can measure the host alone. On a
// recalculation thread it answers xlretNotThreadSafe and notes a fault: a thread-safe function
// reaches the host through Excel12 only.
int HandleExcel4(int xlfn, XLOPER* result, int count, XLOPER** args);

// The calls both entries carry out, counted by function number (any thread may count).
int DispatchCall(int xlfn, XLOPER* result, int count, XLOPER** args);
void NoteCall(int xlfn);

// Marks the calling thread as one of the host's recalculation threads (or, with false, no
// longer), where only the services Excel documents as thread-safe may be asked for (xlCoerce,
// xlFree, xlSheetNm); any other call is answered xlretNotThreadSafe and noted as a fault in
// the ledger.
void MarkRecalculationThread(bool recalculating = true);
bool OnRecalculationThread();

}  // namespace xlhost
