// The add-in's words for host value records: owned text answers and the release of host-owned records.
#include "host_records.h"

#include "addin_syscalls.h"

XLOPER* MakeOwnedTextRecord(HINSTANCE instance, UINT id) {
    // One block, so that xlAutoFree releases record and text with a single free.
    auto* owned = static_cast<OwnedTextRecord*>(g_addinSyscalls.malloc(sizeof(OwnedTextRecord)));
    if (!owned) return nullptr;
    StoreText(&owned->record, owned->buffer)->xltype |= xlbitDLLFree;
    LoadCountedString(instance, id, owned->buffer, kLoadBufferSize);
    return &owned->record;
}

void FreeHostRecord(XLOPER* record) {
    if (record->xltype == xltypeStr || record->xltype == xltypeMulti || record->xltype == xltypeRef) {
        Excel4(xlFree, nullptr, 1, record);
    }
}
