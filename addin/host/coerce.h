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

// One worksheet argument coerced to a number or an integer (`type`): true when the host
// filled `coerced` with one, whatever the coercion's return code. A host that answered
// something else gets back what it handed out, so a misbehaving host cannot make the add-in
// leak its texts; a number or an integer needs no release.
inline bool CoerceToScalar(XLOPER* argument, WORD type, XLOPER* coerced) {
    if (!argument) return false;
    XLOPER wanted = MakeTypeRecord(type);
    CoerceArgument(coerced, 2, argument, &wanted);
    if (coerced->xltype == type) return true;
    HostRecordGuard release(coerced);
    return false;
}

inline bool CoerceNumber(XLOPER* argument, double* number) {
    XLOPER coerced;
    if (!CoerceToScalar(argument, xltypeNum, &coerced)) return false;
    *number = coerced.val.num;
    return true;
}

inline bool CoerceInteger(XLOPER* argument, short* number) {
    XLOPER coerced;
    if (!CoerceToScalar(argument, xltypeInt, &coerced)) return false;
    *number = coerced.val.w;
    return true;
}
