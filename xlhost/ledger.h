// The emulated Excel's ledger: every text, array and reference it hands out, and every release, on every thread.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "xloper.h"
#include "xloper12.h"

namespace xlhost {

struct LedgerSummary {
    size_t handedOut = 0;      // host-owned blocks given to the add-in
    size_t released = 0;       // blocks given back with xlFree
    size_t outstanding = 0;    // handed out and not yet given back
    size_t addinBlocks = 0;    // add-in results flagged for xlAutoFree that the host received
    size_t addinFreed = 0;     // of those, handed back through xlAutoFree
    std::vector<std::string> faults;  // double frees, unknown pointers, leaks found by Check
};

// Host-owned allocations. Texts are counted strings of exactly 1 + length bytes (no zero
// after them), so an add-in that reads past the count reads past the block.
char* AllocateText(const char* chars, size_t length);
// The texts of array elements belong to their array: given back with it, not on their own.
char* AllocateElementText(const char* chars, size_t length);
XLOPER* AllocateArray(size_t elements);
XLMREF* AllocateAreaList();
// The same for XLOPER12 records: UTF-16 texts of 1 + length elements, arrays, area lists.
XCHAR* AllocateText12(const XCHAR* chars, size_t length);
XCHAR* AllocateElementText12(const XCHAR* chars, size_t length);
XLOPER12* AllocateArray12(size_t elements);
XLMREF12* AllocateAreaList12();

// Gives back what an xlFree names; reports double frees and pointers the host never handed out.
void ReleaseHostRecord(const XLOPER* record);
void ReleaseHostRecord(const XLOPER12* record);
// Gives back a host-owned record the host itself made and used on its own, off the books: an
// answer the Excel12 entry read before handing the add-in its XLOPER12 form.
void DiscardHostRecord(const XLOPER* record);

// Results of the add-in that carry xlbitDLLFree: noted when received, crossed off when the
// host hands them to xlAutoFree or xlAutoFree12. Handing one back twice, or one never
// received, is a fault.
void NoteAddinBlock(const void* record);
void NoteAddinBlockFreed(const void* record);

// Every block belongs to the thread it was handed out on (a host block) or received on (an
// add-in block): given back on another thread, it is a fault, as is anything NoteFault says.
// Any thread may call the ledger.
void NoteFault(const std::string& fault);

void ResetLedger();
LedgerSummary ReadLedger();

// Empty when every block went back exactly once; otherwise one line per fault or leak.
std::vector<std::string> LedgerProblems();

}  // namespace xlhost
