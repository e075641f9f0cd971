// Evaluates a parsed sheet on the emulated Excel's calling sheet and prints the computed grid.
#pragma once

#include <string>
#include <vector>

#include "addin_loader.h"
#include "sheet_file.h"

namespace xlhost {

// How a sheet was calculated: formulas on the recalculation threads and on the main thread.
struct Recalculation {
    size_t threadSafe = 0, onMainThread = 0;
    unsigned threads = 1;
};

// Puts every entry on the calling sheet in file order, calling formulas through the add-in.
// A formula whose name is not registered, or whose procedure the module does not export,
// gives #NAME?. An array result fills the target range row by row; a one-row or one-column
// result repeats along the other direction, and cells beyond the result get #N/A.
//
// With more than one thread, as Excel recalculates: formulas of functions registered
// thread-safe run on `threads` recalculation threads, which start at the 53-bit precision
// Windows gives a new thread; every other formula runs on the calling (main) thread. Each
// result is copied and handed to xlAutoFree12 on the thread that received it, before that
// thread's next call. Formulas run together only while none writes a cell another reads or
// writes, so the grid is the one file order gives. An add-in call that leaves a recalculation
// thread's x87 control word changed is a fault in the ledger.
Recalculation EvaluateSheet(const LoadedAddin& addin, const std::vector<SheetEntry>& entries, unsigned threads = 1);

// A cell as the grid shows it: numbers in the General format, TRUE/FALSE, "#VALUE!"...
std::string FormatCell(const CellValue& cell);

// The used part of a sheet as aligned text: a header of column letters, then one line per row.
std::string FormatGrid(DWORD sheet);

}  // namespace xlhost
