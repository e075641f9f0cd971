// The add-in's single coercion entry, and its two common uses: a worksheet argument read as a number or an integer.
#pragma once

#include "host_records.h"
#include "xloper.h"

// Coerces `source` into `result` through the host. `count` is 1 (no type record: the host
// dereferences a reference) or 2 (`typeRecord` must be an integer record). Answers 0 when
// `result` holds the coerced value, which is then host-owned (a text or array goes back
// with xlFree); otherwise a non-zero code, and `result` holds the error #VALUE! so that it
// can never pass for a value of the wanted type.
int CoerceArgument(XLOPER* result, int count, XLOPER* source, XLOPER* typeRecord);

// One worksheet argument as a number (an integer): true with `number` written when the host
// filled the record with one, whatever the coercion's return code. A host that answered
// something else gets back what it handed out, so a misbehaving host cannot make the add-in
// leak its texts.
inline bool CoerceNumber(XLOPER* argument, double* number) {
    if (!argument) return false;
    XLOPER wanted = MakeTypeRecord(xltypeNum);
    XLOPER coerced;
    CoerceArgument(&coerced, 2, argument, &wanted);
    HostRecordGuard release(&coerced);
    if (coerced.xltype != xltypeNum) return false;
    *number = coerced.val.num;
    return true;
}

inline bool CoerceInteger(XLOPER* argument, short* number) {
    if (!argument) return false;
    XLOPER wanted = MakeTypeRecord(xltypeInt);
    XLOPER coerced;
    CoerceArgument(&coerced, 2, argument, &wanted);
    HostRecordGuard release(&coerced);
    if (coerced.xltype != xltypeInt) return false;
    *number = coerced.val.w;
    return true;
}
