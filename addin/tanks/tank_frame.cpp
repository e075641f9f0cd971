// The frame every tank-volume function runs in: its result record, number arguments, the answer.
#include "tank_frame.h"

#include <cmath>

#include "coerce.h"

void SetValueError(XLOPER* result) {
    result->xltype = xltypeErr;
    result->val.err = xlerrValue;
}

bool CoerceNumber(XLOPER* argument, double* number) {
    if (!argument) return false;
    XLOPER wanted = MakeTypeRecord(xltypeNum);
    XLOPER coerced;
    CoerceArgument(&coerced, 2, argument, &wanted);
    // Only the record decides. A host that answered something other than a number gets back
    // what it handed out, so a misbehaving host cannot make the add-in leak its texts.
    HostRecordGuard release(&coerced);
    if (coerced.xltype != xltypeNum) return false;
    *number = coerced.val.num;
    return true;
}

XLOPER* AnswerVolume(XLOPER* result, double volume) {
    if (std::isfinite(volume)) {
        result->xltype = xltypeNum;
        result->val.num = volume + 0.0;  // a height of -0 holds +0, not -0
    } else {
        SetValueError(result);
    }
    return result;
}
