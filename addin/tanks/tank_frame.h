// The frame every tank function runs in: number arguments, the volume or the level, the answer record.
#pragma once

#include <cmath>
#include <cstddef>

#include "coerce.h"
#include "extended_precision.h"
#include "host_records.h"
#include "tank_level.h"
#include "tank_volumes.h"
#include "xloper.h"
#include "xloper12.h"

// The volume at numbers[0] (the height), or the level of the volume numbers[0], in a tank of
// the shape with the dimensions that follow. False when the shape refuses the dimensions or,
// for a level, the volume.
template <size_t N>
bool TankVolumeOf(const TankShape<N>& shape, const double (&numbers)[N], double* volume) {
    return shape.volume(numbers, volume);
}
template <size_t N>
bool TankLevelOf(const TankShape<N>& shape, const double (&numbers)[N], double* level) {
    return LevelOfVolume(shape, numbers, level);
}
template <size_t N>
using TankComputation = bool (*)(const TankShape<N>& shape, const double (&numbers)[N], double* result);

// Never inlined: the call is what keeps the shape's arithmetic inside ExtendedPrecision.
template <size_t N>
__attribute__((noinline)) bool RunShape(TankComputation<N> compute, const TankShape<N>& shape,
                                        const double (&numbers)[N], double* result) {
    return compute(shape, numbers, result);
}

// The number one call answers: the arguments become numbers first to last (the rest stay
// uncoerced once one is no number), then `compute` works at the precision the volumes are
// defined with, whatever the calling thread's. False when an argument is no number, a dimension
// (any number after the first) is negative (no tank has a negative radius or length, and the
// formulas applied to one give volumes that mean nothing; -0 is a zero dimension), the shape
// refuses its dimensions, or the result is not finite: the host must never see NaN or infinity
// as a number.
template <class Record, size_t N>
bool TankNumber(Record* const (&arguments)[N], TankComputation<N> compute, const TankShape<N>& shape,
                double* result) {
    double numbers[N];
    for (size_t i = 0; i < N; ++i)
        if (!CoerceNumber(arguments[i], &numbers[i])) return false;
    for (size_t i = 1; i < N; ++i)
        if (numbers[i] < 0) return false;
    bool computed;
    {
        ExtendedPrecision precision;
        computed = RunShape(compute, shape, numbers, result);
    }
    if (!computed || !std::isfinite(*result)) return false;
    *result += 0.0;  // a height of -0 holds +0, not -0
    return true;
}

// One call of a tank function on the Excel4 path: `answer` (the function's own static record)
// is #VALUE! until a volume (TankVolumeOf) or a level (TankLevelOf) is stored in it. Answers
// `answer`.
template <size_t N>
XLOPER* TankFrame(XLOPER* answer, XLOPER* const (&arguments)[N], TankComputation<N> compute,
                  const TankShape<N>& shape) {
    StoreError(answer, xlerrValue);
    double result;
    if (!TankNumber(arguments, compute, shape, &result)) return answer;
    return StoreNumber(answer, result);
}

// The same on the Excel12 path, where any number of threads may call at once: the number in a
// block of its own for xlAutoFree12, #VALUE! a constant error record.
template <size_t N>
XLOPER12* TankFrame(XLOPER12* const (&arguments)[N], TankComputation<N> compute, const TankShape<N>& shape) {
    double result;
    XLOPER12* answer = TankNumber(arguments, compute, shape, &result) ? OwnedNumberRecord(result) : nullptr;
    return answer ? answer : ConstantErrorRecord(xlerrValue);
}
