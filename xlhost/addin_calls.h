// The emulated Excel calling into a loaded add-in: opening, closing, the add-in manager and registered functions.
//
// Every result the add-in returns is copied at once; a result flagged xlbitDLLFree is then
// noted in the ledger and handed to the add-in's xlAutoFree (xlAutoFree12 for an XLOPER12), as
// Excel does when it has finished with it, on the thread that received it.
#pragma once

#include <string>
#include <vector>

#include "xloper.h"
#include "xloper12.h"
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
// of its type text; missing ones are passed as xltypeMissing). A function registered through
// Excel12 (type letters U or Q) gets them as XLOPER12 records. Any thread may call a
// registered function while no registration changes.
CallStatus CallRegistered(const LoadedAddin& addin, const std::string& name, const std::vector<XLOPER>& arguments,
                          CallResult* result);

// True when `name` is registered with the thread-safe mark $ in its type text.
bool IsThreadSafe(const std::string& name);

// Calls an export that takes `count` record pointers (at most 8) and answers one, as Excel
// calls a worksheet function of type "R..." (XLOPER) or "U..." (XLOPER12).
template <class Record>
Record* CallRecordEntry(void* entry, size_t count, Record** a) {
    typedef Record* R;
    switch (count) {
    case 0: return reinterpret_cast<R(XLLAPI*)()>(entry)();
    case 1: return reinterpret_cast<R(XLLAPI*)(R)>(entry)(a[0]);
    case 2: return reinterpret_cast<R(XLLAPI*)(R, R)>(entry)(a[0], a[1]);
    case 3: return reinterpret_cast<R(XLLAPI*)(R, R, R)>(entry)(a[0], a[1], a[2]);
    case 4: return reinterpret_cast<R(XLLAPI*)(R, R, R, R)>(entry)(a[0], a[1], a[2], a[3]);
    case 5: return reinterpret_cast<R(XLLAPI*)(R, R, R, R, R)>(entry)(a[0], a[1], a[2], a[3], a[4]);
    case 6: return reinterpret_cast<R(XLLAPI*)(R, R, R, R, R, R)>(entry)(a[0], a[1], a[2], a[3], a[4], a[5]);
    case 7: return reinterpret_cast<R(XLLAPI*)(R, R, R, R, R, R, R)>(entry)(a[0], a[1], a[2], a[3], a[4], a[5], a[6]);
    default:
        return reinterpret_cast<R(XLLAPI*)(R, R, R, R, R, R, R, R)>(entry)(a[0], a[1], a[2], a[3], a[4], a[5], a[6],
                                                                            a[7]);
    }
}

// Copies a result record the add-in returned and gives a flagged one back through xlAutoFree
// (xlAutoFree12).
CallResult TakeAddinResult(const LoadedAddin& addin, XLOPER* record);
CallResult TakeAddinResult(const LoadedAddin& addin, XLOPER12* record);

}  // namespace xlhost
