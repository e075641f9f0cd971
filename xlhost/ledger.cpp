// The emulated Excel's ledger: every text, array and reference it hands out, and every release.
#include "ledger.h"

#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>

namespace xlhost {

namespace {

enum class BlockKind { Text, Array, AreaList, Text12, Array12, AreaList12 };

struct LiveBlock {
    BlockKind kind;
    std::thread::id thread;  // handed out on, or received on
};

struct Ledger {
    std::mutex lock;  // held by every entry below; recalculation threads call in at once
    std::unordered_map<const void*, LiveBlock> live;
    std::unordered_set<const void*> released;  // given back, not yet reused
    std::unordered_map<const void*, std::thread::id> addinLive;
    std::unordered_set<const void*> addinFreed;
    size_t handedOut = 0;
    size_t releasedCount = 0;
    size_t addinBlocks = 0;
    size_t addinFreedCount = 0;
    std::vector<std::string> faults;
};

Ledger& TheLedger() {
    static Ledger* ledger = new Ledger;  // never destroyed: add-ins may call in at exit
    return *ledger;
}

std::string Describe(const char* what, const void* pointer) {
    char text[96];
    std::snprintf(text, sizeof text, "%s %p", what, pointer);
    return text;
}

void Track(const void* block, BlockKind kind) {
    Ledger& ledger = TheLedger();
    std::lock_guard<std::mutex> hold(ledger.lock);
    ledger.live[block] = {kind, std::this_thread::get_id()};
    ledger.released.erase(block);
    ++ledger.handedOut;
}

// Crosses a block off; answers false (and notes the fault) when it was not live. A block the
// host made for itself (`counted` false) leaves the counts as if it had never been made.
bool Untrack(const void* block, BlockKind kind, bool counted = true) {
    Ledger& ledger = TheLedger();
    std::lock_guard<std::mutex> hold(ledger.lock);
    auto found = ledger.live.find(block);
    if (found == ledger.live.end() || found->second.kind != kind) {
        bool twice = ledger.released.count(block) != 0;
        ledger.faults.push_back(Describe(twice ? "xlFree: released twice:" : "xlFree: never handed out:", block));
        return false;
    }
    if (found->second.thread != std::this_thread::get_id())
        ledger.faults.push_back(Describe("xlFree: given back on another thread:", block));
    ledger.live.erase(found);
    if (!counted) {
        --ledger.handedOut;
        return true;
    }
    ledger.released.insert(block);
    ++ledger.releasedCount;
    return true;
}

void ReleaseArray(XLOPER* elements, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if (elements[i].xltype == xltypeStr) delete[] elements[i].val.str;
    }
    delete[] elements;
}

void ReleaseArray12(XLOPER12* elements, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if (elements[i].xltype == xltypeStr) delete[] elements[i].val.str;
    }
    delete[] elements;
}

void Release(const XLOPER* record, bool counted) {
    switch (record->xltype) {
    case xltypeStr:
        if (Untrack(record->val.str, BlockKind::Text, counted)) delete[] record->val.str;
        break;
    case xltypeMulti:
        if (Untrack(record->val.array.lparray, BlockKind::Array, counted)) {
            // Element texts belong to the array block and go with it.
            ReleaseArray(record->val.array.lparray, size_t(record->val.array.rows) * record->val.array.columns);
        }
        break;
    case xltypeRef:
        if (Untrack(record->val.mref.lpmref, BlockKind::AreaList, counted)) delete record->val.mref.lpmref;
        break;
    default:
        break;  // numbers, integers, booleans, errors, flagged add-in records: nothing of ours
    }
}

}  // namespace

char* AllocateElementText(const char* chars, size_t length) {
    if (length > 255) length = 255;
    char* text = new char[1 + length];
    text[0] = static_cast<char>(length);
    if (length) std::memcpy(text + 1, chars, length);
    return text;
}

char* AllocateText(const char* chars, size_t length) {
    char* text = AllocateElementText(chars, length);
    Track(text, BlockKind::Text);
    return text;
}

XLOPER* AllocateArray(size_t elements) {
    XLOPER* array = new XLOPER[elements ? elements : 1]();
    Track(array, BlockKind::Array);
    return array;
}

XLMREF* AllocateAreaList() {
    XLMREF* list = new XLMREF();
    Track(list, BlockKind::AreaList);
    return list;
}

void ReleaseHostRecord(const XLOPER* record) { Release(record, true); }

void DiscardHostRecord(const XLOPER* record) { Release(record, false); }

XCHAR* AllocateElementText12(const XCHAR* chars, size_t length) {
    if (length > kMaxXl12TextLength) length = kMaxXl12TextLength;
    XCHAR* text = new XCHAR[1 + length];
    text[0] = static_cast<XCHAR>(length);
    if (length) std::memcpy(text + 1, chars, length * sizeof(XCHAR));
    return text;
}

XCHAR* AllocateText12(const XCHAR* chars, size_t length) {
    XCHAR* text = AllocateElementText12(chars, length);
    Track(text, BlockKind::Text12);
    return text;
}

XLOPER12* AllocateArray12(size_t elements) {
    XLOPER12* array = new XLOPER12[elements ? elements : 1]();
    Track(array, BlockKind::Array12);
    return array;
}

XLMREF12* AllocateAreaList12() {
    XLMREF12* list = new XLMREF12();
    Track(list, BlockKind::AreaList12);
    return list;
}

void ReleaseHostRecord(const XLOPER12* record) {
    switch (record->xltype) {
    case xltypeStr:
        if (Untrack(record->val.str, BlockKind::Text12)) delete[] record->val.str;
        break;
    case xltypeMulti:
        if (Untrack(record->val.array.lparray, BlockKind::Array12))
            ReleaseArray12(record->val.array.lparray, size_t(record->val.array.rows) * record->val.array.columns);
        break;
    case xltypeRef:
        if (Untrack(record->val.mref.lpmref, BlockKind::AreaList12)) delete record->val.mref.lpmref;
        break;
    default:
        break;
    }
}

void NoteAddinBlock(const void* record) {
    Ledger& ledger = TheLedger();
    std::lock_guard<std::mutex> hold(ledger.lock);
    ledger.addinLive[record] = std::this_thread::get_id();
    ledger.addinFreed.erase(record);
    ++ledger.addinBlocks;
}

void NoteAddinBlockFreed(const void* record) {
    Ledger& ledger = TheLedger();
    std::lock_guard<std::mutex> hold(ledger.lock);
    auto found = ledger.addinLive.find(record);
    if (found == ledger.addinLive.end()) {
        bool twice = ledger.addinFreed.count(record) != 0;
        ledger.faults.push_back(Describe(twice ? "xlAutoFree: block handed back twice:" : "xlAutoFree: block never received:", record));
        return;
    }
    if (found->second != std::this_thread::get_id())
        ledger.faults.push_back(Describe("xlAutoFree: block handed back on another thread:", record));
    ledger.addinLive.erase(found);
    ledger.addinFreed.insert(record);
    ++ledger.addinFreedCount;
}

void NoteFault(const std::string& fault) {
    Ledger& ledger = TheLedger();
    std::lock_guard<std::mutex> hold(ledger.lock);
    ledger.faults.push_back(fault);
}

void ResetLedger() {
    Ledger& ledger = TheLedger();
    std::lock_guard<std::mutex> hold(ledger.lock);
    // Blocks still live stay allocated (the add-in may hold them); only the books are cleared.
    ledger.live.clear();
    ledger.released.clear();
    ledger.addinLive.clear();
    ledger.addinFreed.clear();
    ledger.handedOut = ledger.releasedCount = ledger.addinBlocks = ledger.addinFreedCount = 0;
    ledger.faults.clear();
}

LedgerSummary ReadLedger() {
    Ledger& ledger = TheLedger();
    std::lock_guard<std::mutex> hold(ledger.lock);
    LedgerSummary summary;
    summary.handedOut = ledger.handedOut;
    summary.released = ledger.releasedCount;
    summary.outstanding = ledger.live.size();
    summary.addinBlocks = ledger.addinBlocks;
    summary.addinFreed = ledger.addinFreedCount;
    summary.faults = ledger.faults;
    return summary;
}

std::vector<std::string> LedgerProblems() {
    Ledger& ledger = TheLedger();
    std::lock_guard<std::mutex> hold(ledger.lock);
    std::vector<std::string> problems = ledger.faults;
    for (const auto& entry : ledger.live) problems.push_back(Describe("never given back with xlFree:", entry.first));
    for (const auto& block : ledger.addinLive) problems.push_back(Describe("add-in block never passed to xlAutoFree:", block.first));
    return problems;
}

}  // namespace xlhost
