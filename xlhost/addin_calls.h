// The emulated Excel calling into a loaded add-in: opening, closing, the add-in manager and registered functions.
//
// Every result the add-in returns is copied at once; a result flagged xlbitDLLFree is then
// noted in the ledger and handed to the add-in's xlAutoFree, as Excel does when it has
// finished with it.
#pragma once

#include <string>
#include <vector>

#include "xloper.h"
#include "addin_loader.h"
#include "workbook.h"

namespace xlhost {

// A copied result: one value (1 x 1) or an array, row by row.
struct CallResult {
    WORD rows = 1, columns = 1;
    std::vector<CellValue> cells;
};

enum class CallStatus {
    Called,         // the function ran; `result` holds its answer
    NotRegistered,  // no defined name of that text
    NoExport,       // the registration names a procedure the module does not export
    NotCallable,    // a type text the host cannot call
};

// xlAutoOpen, xlAutoClose, xlAutoAdd, xlAutoRemove: their answers, or -1 when not exported.
int OpenAddin(const LoadedAddin& addin);
int CloseAddin(const LoadedAddin& addin);
int AddinManagerAdd(const LoadedAddin& addin);
int AddinManagerRemove(const LoadedAddin& addin);
// xlAddInManagerInfo(action); false when not exported.
bool AddinManagerInfo(const LoadedAddin& addin, const XLOPER& action, CallResult* answer);
// xlAutoRegister with `procedure` as a counted string; false when not exported.
bool AutoRegister(const LoadedAddin& addin, const std::string& procedure, CallResult* answer);

// Calls the function registered under `name` with these arguments (one per argument letter
// of its type text; missing ones are passed as xltypeMissing).
CallStatus CallRegistered(const LoadedAddin& addin, const std::string& name, const std::vector<XLOPER>& arguments,
                          CallResult* result);

// Calls an export that takes `count` record pointers (at most 8) and answers one, as Excel
// calls a worksheet function of type "R...".
XLOPER* CallRecordEntry(void* entry, size_t count, XLOPER** arguments);

// Copies a result record the add-in returned and gives a flagged one back through xlAutoFree.
CallResult TakeAddinResult(const LoadedAddin& addin, XLOPER* record);

}  // namespace xlhost
