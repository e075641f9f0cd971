// The add-in's single coercion entry: a checked call of the host's xlCoerce.
#include "coerce.h"

int CoerceArgument(XLOPER* result, int count, XLOPER* source, XLOPER* typeRecord) {
    // Callers judge a coercion by the result's type alone, and a failed host call may leave
    // the record unwritten: mark it as an error first so stale contents never count.
    result->xltype = xltypeErr;
    result->val.err = xlerrValue;

    XLOPER missing{};
    missing.xltype = xltypeMissing;
    XLOPER* wanted = nullptr;
    if (count == 2 && typeRecord && typeRecord->xltype == xltypeInt) {
        wanted = typeRecord;
    } else if (count == 1) {
        wanted = &missing;
    } else {
        return xlretInvCount;
    }
    return Excel4(xlCoerce, result, 2, source, wanted);
}

void FreeHostRecord(XLOPER* record) {
    if (record->xltype == xltypeStr || record->xltype == xltypeMulti || record->xltype == xltypeRef) {
        Excel4(xlFree, nullptr, 1, record);
    }
}
