// The frame every tank function runs in: its answer record, number arguments, the volume or the level.
#pragma once

#include <cstddef>

#include "host_records.h"
#include "tank_level.h"
#include "tank_volumes.h"
#include "xloper.h"

// Coerces `count` worksheet arguments to numbers, first to last; false at the first that the
// host does not turn into a number, leaving the rest uncoerced, and false when a dimension (any
// number after the first) is negative: no tank has a negative radius or length, and the
// formulas applied to one give volumes that mean nothing.
bool CoerceTankNumbers(XLOPER* const* arguments, size_t count, double* numbers);

// Stores a volume or a level in the answer record and returns the record. A value that is not
// finite leaves the record at #VALUE!: the host must never see NaN or infinity as a number.
XLOPER* AnswerTankNumber(XLOPER* answer, double number);

// One call of a volume function: `answer` (the function's own static record) is #VALUE! until a
// volume is stored in it; the arguments become numbers first to last, and the shape computes
// the volume from them unless an argument is no number, a dimension is negative or the shape
// refuses its dimensions. Answers `answer`.
template <size_t N>
XLOPER* TankFrame(XLOPER* answer, XLOPER* const (&arguments)[N], const TankShape<N>& shape) {
    StoreError(answer, xlerrValue);
    double numbers[N];
    double volume;
    if (!CoerceTankNumbers(arguments, N, numbers) || !shape.volume(numbers, &volume)) return answer;
    return AnswerTankNumber(answer, volume);
}

// One call of a level function: as a volume function, with the volume in place of the height,
// and the level of that volume (LevelOfVolume) as the answer.
template <size_t N>
XLOPER* LevelFrame(XLOPER* answer, XLOPER* const (&arguments)[N], const TankShape<N>& shape) {
    StoreError(answer, xlerrValue);
    double numbers[N];
    double level;
    if (!CoerceTankNumbers(arguments, N, numbers) || !LevelOfVolume(shape, numbers, &level)) return answer;
    return AnswerTankNumber(answer, level);
}
