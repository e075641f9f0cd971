// The frame every tank function runs in: its answer record, number arguments, the volume or the level.
#include "tank_frame.h"

#include <cmath>

#include "coerce.h"

bool CoerceTankNumbers(XLOPER* const* arguments, size_t count, double* numbers) {
    for (size_t i = 0; i < count; ++i)
        if (!CoerceNumber(arguments[i], &numbers[i])) return false;
    for (size_t i = 1; i < count; ++i)
        if (numbers[i] < 0) return false;  // -0 is a zero dimension, and allowed
    return true;
}

XLOPER* AnswerTankNumber(XLOPER* answer, double number) {
    if (!std::isfinite(number)) return StoreError(answer, xlerrValue);
    return StoreNumber(answer, number + 0.0);  // a height of -0 holds +0, not -0
}
