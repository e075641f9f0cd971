// Sine and arctangent correctly rounded to long double, from the basic IEEE operations alone.
#pragma once

// sin(x) rounded to the nearest long double, for |x| <= 8 (the tank formulas' angles lie in
// [0, 2 pi]). NaN for a NaN, an infinity or a larger |x|.
long double RoundedSine(long double x);

// atan2(y, x), the angle of the point (x, y) from the positive x axis in [-pi, pi], rounded to
// the nearest long double. For y = 0 it is 0, or pi when x < 0. NaN when either is not finite.
long double RoundedArcTan2(long double y, long double x);

// Both need the x87 unit to round every operation to 64 bits (precision control 64, which the
// add-in sets at attach): at 53 bits their results are only about as good as a double's, and
// no longer the same as every other machine's.
