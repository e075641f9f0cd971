// The add-in's words for host value records: owned text answers and the release of host-owned records.
#include "host_records.h"

#include "addin_syscalls.h"
#include "host_interface.h"

XLOPER* MakeOwnedTextRecord(HINSTANCE instance, UINT id) {
    // One block, so that xlAutoFree releases record and text with a single free.
    auto* owned = static_cast<OwnedTextRecord*>(g_addinSyscalls.malloc(sizeof(OwnedTextRecord)));
    if (!owned) return nullptr;
    StoreText(&owned->record, owned->buffer)->xltype |= xlbitDLLFree;
    LoadCountedString(instance, id, owned->buffer, kLoadBufferSize);
    return &owned->record;
}

XLOPER12* OwnedNumberRecord(double number) {
    auto* record = static_cast<XLOPER12*>(g_addinSyscalls.malloc(sizeof(XLOPER12)));
    if (!record) return nullptr;
    StoreNumber(record, number)->xltype |= xlbitDLLFree;
    return record;
}

namespace {

XLOPER12 g_constantErrors[2];  // #VALUE!, #NAME?

}  // namespace

void PrepareConstantErrorRecords() {
    StoreError(&g_constantErrors[0], xlerrValue);
    StoreError(&g_constantErrors[1], xlerrName);
}

XLOPER12* ConstantErrorRecord(int code) {
    return &g_constantErrors[code == xlerrName ? 1 : 0];
}

template <class Record>
static bool HoldsHostMemory(const Record* record) {
    return record->xltype == xltypeStr || record->xltype == xltypeMulti || record->xltype == xltypeRef;
}

void FreeHostRecord(XLOPER* record) {
    if (HoldsHostMemory(record)) Excel4(xlFree, nullptr, 1, record);
}

void FreeHostRecord(XLOPER12* record) {
    if (HoldsHostMemory(record)) Excel12(xlFree, nullptr, 1, record);
}
