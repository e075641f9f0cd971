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

// The same through Excel12, for the thread-safe functions: always the host's own xlCoerce
// (the automation path serves Excel 8.0 alone), and nothing else, so safe on any thread.
int CoerceArgument(XLOPER12* result, int count, XLOPER12* source, XLOPER12* typeRecord);

// One worksheet argument coerced to a number or an integer (`type`): true when the host
// filled `coerced` with one, whatever the coercion's return code. A host that answered
// something else gets back what it handed out, so a misbehaving host cannot make the add-in
// leak its texts; a number or an integer needs no release.
template <class Record>
bool CoerceToScalar(Record* argument, WORD type, Record* coerced) {
    if (!argument) return false;
    Record wanted = MakeTypeRecord<Record>(type);
    CoerceArgument(coerced, 2, argument, &wanted);
    if (coerced->xltype == type) return true;
    HostRecordGuard<Record> release(coerced);
    return false;
}

template <class Record>
bool CoerceNumber(Record* argument, double* number) {
    Record coerced;
    if (!CoerceToScalar(argument, xltypeNum, &coerced)) return false;
    *number = coerced.val.num;
    return true;
}

// An XLOPER12 integer is 32-bit, an XLOPER one 16-bit. The add-in takes only what fits 16 bits
// as an integer through either record, so that both interfaces read an argument alike.
template <class Record>
bool CoerceInteger(Record* argument, short* number) {
    Record coerced;
    if (!CoerceToScalar(argument, xltypeInt, &coerced)) return false;
    if constexpr (sizeof(coerced.val.w) > sizeof(short)) {
        if (coerced.val.w < -32768 || coerced.val.w > 32767) return false;
    }
    *number = static_cast<short>(coerced.val.w);
    return true;
}
