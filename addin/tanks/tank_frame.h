// The frame every tank-volume function runs in: number arguments, the volume, the answer record.
#pragma once

#include <cmath>
#include <cstddef>

#include "coerce.h"
#include "extended_precision.h"
#include "host_records.h"
#include "xloper.h"
#include "xloper12.h"

// A shape's volume from its arguments' numbers, in argument order (the material height first).
// False when the shape's own rules refuse the dimensions.
template <size_t N>
using TankShape = bool (*)(const double (&numbers)[N], double* volume);

// Never inlined: the call is what keeps the shape's arithmetic inside ExtendedPrecision.
template <size_t N>
__attribute__((noinline)) bool RunShape(TankShape<N> shape, const double (&numbers)[N], double* volume) {
    return shape(numbers, volume);
}

// The volume of one call: the arguments become numbers first to last (the rest stay uncoerced
// once one is no number), then `shape` computes at the precision the volumes are defined
// with, whatever the calling thread's. False when an argument is no number, the shape refuses
// its dimensions, or the volume is not finite: the host must never see NaN or infinity as a
// number.
template <class Record, size_t N>
bool TankVolume(Record* const (&arguments)[N], TankShape<N> shape, double* volume) {
    double numbers[N];
    for (size_t i = 0; i < N; ++i)
        if (!CoerceNumber(arguments[i], &numbers[i])) return false;
    bool computed;
    {
        ExtendedPrecision precision;
        computed = RunShape(shape, numbers, volume);
    }
    if (!computed || !std::isfinite(*volume)) return false;
    *volume += 0.0;  // a height of -0 holds +0, not -0
    return true;
}

// One call of a tank function on the Excel4 path: `answer` (the function's own static record)
// is #VALUE! until a volume is stored in it. Answers `answer`.
template <size_t N>
XLOPER* TankFrame(XLOPER* answer, XLOPER* const (&arguments)[N], TankShape<N> shape) {
    StoreError(answer, xlerrValue);
    double volume;
    if (!TankVolume(arguments, shape, &volume)) return answer;
    return StoreNumber(answer, volume);
}

// The same on the Excel12 path, where any number of threads may call at once: the volume in a
// block of its own for xlAutoFree12, #VALUE! a constant error record.
template <size_t N>
XLOPER12* TankFrame(XLOPER12* const (&arguments)[N], TankShape<N> shape) {
    double volume;
    XLOPER12* answer = TankVolume(arguments, shape, &volume) ? OwnedNumberRecord(volume) : nullptr;
    return answer ? answer : ConstantErrorRecord(xlerrValue);
}
