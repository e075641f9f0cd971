// Number conventions of the tank formulas: the ten-decimal pi, its derived constants, stored doubles, the arc cosine.
#pragma once

#include <cfloat>
#include <cmath>

#include "rounded_trig.h"

// The formulas are defined with unstored intermediates carried in 64-bit mantissas (the
// add-in switches the x87 unit to that precision at attach; the rounded sine and arctangent
// rely on it too). Writing them as long double
// expressions gives the same bits on i686, where double arithmetic would run on the x87
// anyway, and on x86-64, where it would otherwise run in SSE doubles.
static_assert(LDBL_MANT_DIG == 64, "tank formulas need the x87 80-bit format for long double");

// Tank volumes use pi to ten decimals, not the double nearest to pi: a full horizontal
// cylinder of radius 1 and length 10 holds 31.41592654.
constexpr double kPi = 3.141592654;
// The doubles nearest to the exact quotient and products of 3.141592654. They must be double
// constants: formed at run time in extended precision, 4pi/3 would carry bits a double lacks.
constexpr double kPiOver3 = 1.0471975513333334;
constexpr double kFourPiOver3 = 4.1887902053333335;
constexpr double kFourPi = 12.566370616;
static_assert(kPiOver3 == kPi / 3 && kFourPiOver3 == kPi * 4 / 3 && kFourPi == kPi * 4,
              "derived constants must be the doubles formed from 3.141592654");

// A value the formulas keep in a variable: rounded to a double at that point.
inline double Stored(long double value) {
    return static_cast<double>(value);
}

// acos(c) for -1 <= c <= 1, as the angle whose cosine is c and whose sine is sqrt((1-c)(1+c)).
// The mingw runtimes' acosl loses up to 1e-13 of its value as c nears 1 (a nearly empty
// segment), and the segment area then cancels that error up by further orders; here 1-c is
// exact and the arctangent correctly rounded (rounded_trig.h), so every target and every
// processor gets the same angle.
inline long double ArcCos(long double c) {
    return RoundedArcTan2(std::sqrt((1 - c) * (1 + c)), c);
}
