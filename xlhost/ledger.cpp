// The emulated Excel's ledger: every text, array and reference it hands out, and every release.
#include "ledger.h"

#include <cstdio>
#include <cstring>

namespace xlhost {

namespace {

enum class BlockKind { Text, Array, AreaList };

struct Ledger {
    std::unordered_map<const void*, BlockKind> live;
    std::unordered_set<const void*> released;  // given back, not yet reused
    std::unordered_set<const void*> addinLive;
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
    ledger.live[block] = kind;
    ledger.released.erase(block);
    ++ledger.handedOut;
}

// Crosses a block off; answers false (and notes the fault) when it was not live.
bool Untrack(const void* block, BlockKind kind) {
    Ledger& ledger = TheLedger();
    auto found = ledger.live.find(block);
    if (found == ledger.live.end() || found->second != kind) {
        bool twice = ledger.released.count(block) != 0;
        ledger.faults.push_back(Describe(twice ? "xlFree: released twice:" : "xlFree: never handed out:", block));
        return false;
    }
    ledger.live.erase(found);
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

void ReleaseHostRecord(const XLOPER* record) {
    switch (record->xltype) {
    case xltypeStr:
        if (Untrack(record->val.str, BlockKind::Text)) delete[] record->val.str;
        break;
    case xltypeMulti:
        if (Untrack(record->val.array.lparray, BlockKind::Array)) {
            // Element texts belong to the array block and go with it.
            ReleaseArray(record->val.array.lparray,
                         size_t(record->val.array.rows) * record->val.array.columns);
        }
        break;
    case xltypeRef:
        if (Untrack(record->val.mref.lpmref, BlockKind::AreaList)) delete record->val.mref.lpmref;
        break;
    default:
        break;  // numbers, integers, booleans, errors, flagged add-in records: nothing of ours
    }
}

void NoteAddinBlock(const XLOPER* record) {
    Ledger& ledger = TheLedger();
    ledger.addinLive.insert(record);
    ledger.addinFreed.erase(record);
    ++ledger.addinBlocks;
}

void NoteAddinBlockFreed(const XLOPER* record) {
    Ledger& ledger = TheLedger();
    if (ledger.addinLive.erase(record) == 0) {
        bool twice = ledger.addinFreed.count(record) != 0;
        ledger.faults.push_back(Describe(twice ? "xlAutoFree: block handed back twice:" : "xlAutoFree: block never received:", record));
        return;
    }
    ledger.addinFreed.insert(record);
    ++ledger.addinFreedCount;
}

void ResetLedger() {
    Ledger& ledger = TheLedger();
    // Blocks still live stay allocated (the add-in may hold them); only the books are cleared.
    ledger = Ledger{};
}

LedgerSummary ReadLedger() {
    const Ledger& ledger = TheLedger();
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
    const Ledger& ledger = TheLedger();
    std::vector<std::string> problems = ledger.faults;
    for (const auto& entry : ledger.live) problems.push_back(Describe("never given back with xlFree:", entry.first));
    for (const void* block : ledger.addinLive) problems.push_back(Describe("add-in block never passed to xlAutoFree:", block));
    return problems;
}

}  // namespace xlhost
