// The add-in's words for host value records: the answers it returns to the host.
#include "host_records.h"

#include "addin_syscalls.h"

XLOPER* MakeOwnedTextRecord(HINSTANCE instance, UINT id) {
    // One block, so that xlAutoFree releases record and text with a single free.
    auto* owned = static_cast<OwnedTextRecord*>(g_addinSyscalls.malloc(sizeof(OwnedTextRecord)));
    if (!owned) return nullptr;
    owned->record.xltype = xltypeStr | xlbitDLLFree;
    owned->record.val.str = owned->buffer;
    LoadCountedString(instance, id, owned->buffer, kLoadBufferSize);
    return &owned->record;
}
