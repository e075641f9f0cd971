// The add-in's single coercion entry and the records it takes.
#pragma once

#include "xloper.h"

// A type record: an integer record holding the type code wanted from a coercion.
inline XLOPER MakeTypeRecord(WORD wantedType) {
    XLOPER record{};
    record.xltype = xltypeInt;
    record.val.w = static_cast<short>(wantedType);
    return record;
}

// Coerces `source` into `result` through the host. `count` is 1 (no type record: the host
// dereferences a reference) or 2 (`typeRecord` must be an integer record). Answers 0 when
// `result` holds the coerced value, which is then host-owned (a text or array goes back
// with xlFree); otherwise a non-zero code, and `result` holds the error #VALUE! so that it
// can never pass for a value of the wanted type.
int CoerceArgument(XLOPER* result, int count, XLOPER* source, XLOPER* typeRecord);

// Gives a host-owned text, array or reference back to the host; other records need nothing.
void FreeHostRecord(XLOPER* record);

// Releases a host-filled record when the function that received it returns.
class HostRecordGuard {
public:
    explicit HostRecordGuard(XLOPER* record) : record_(record) {}
    ~HostRecordGuard() { FreeHostRecord(record_); }
    HostRecordGuard(const HostRecordGuard&) = delete;
    HostRecordGuard& operator=(const HostRecordGuard&) = delete;

private:
    XLOPER* record_;
};
