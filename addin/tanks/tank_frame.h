// The frame every tank-volume function runs in: its answer record, number arguments, the volume.
#pragma once

#include <cstddef>

#include "host_records.h"
#include "xloper.h"

// A shape's volume from its arguments' numbers, in argument order (the material height first).
// False when the shape's own rules refuse the dimensions.
template <size_t N>
using TankShape = bool (*)(const double (&numbers)[N], double* volume);

// Coerces `count` worksheet arguments to numbers, first to last; false at the first that the
// host does not turn into a number, leaving the rest uncoerced.
bool CoerceNumbers(XLOPER* const* arguments, size_t count, double* numbers);

// Stores a volume in the answer record and returns the record. A value that is not finite
// leaves the record at #VALUE!: the host must never see NaN or infinity as a number.
XLOPER* AnswerVolume(XLOPER* answer, double volume);

// One call of a tank function: `answer` (the function's own static record) is #VALUE! until a
// volume is stored in it; the arguments become numbers first to last, and `shape` computes the
// volume from them unless an argument is no number or the shape refuses its dimensions.
// Answers `answer`.
template <size_t N>
XLOPER* TankFrame(XLOPER* answer, XLOPER* const (&arguments)[N], TankShape<N> shape) {
    StoreError(answer, xlerrValue);
    double numbers[N];
    double volume;
    if (!CoerceNumbers(arguments, N, numbers) || !shape(numbers, &volume)) return answer;
    return AnswerVolume(answer, volume);
}
