// The frame every tank-volume function runs in: its answer record, number arguments, the volume.
#include "tank_frame.h"

#include <cmath>

#include "coerce.h"

bool CoerceNumbers(XLOPER* const* arguments, size_t count, double* numbers) {
    for (size_t i = 0; i < count; ++i)
        if (!CoerceNumber(arguments[i], &numbers[i])) return false;
    return true;
}

XLOPER* AnswerVolume(XLOPER* answer, double volume) {
    if (!std::isfinite(volume)) return StoreError(answer, xlerrValue);
    return StoreNumber(answer, volume + 0.0);  // a height of -0 holds +0, not -0
}
