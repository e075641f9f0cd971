// Closed-form pieces of the tank volumes: height clamping, spherical cap, upright and horizontal cylinder.
#include "tank_shapes.h"

#include <cmath>

#include "tank_arithmetic.h"

double ClampHeight(double height, double top) {
    if (height > top) height = top;
    if (height < 0) height = 0;
    return height;
}

double VolSphCap(double x, double R) {
    return Stored(((kPiOver3 * static_cast<long double>(x)) * x) * (static_cast<long double>(R) * 3 - x));
}

double VolCyl(double h, double r) {
    return Stored(((kPi * static_cast<long double>(r)) * r) * h);
}

double VolHorzCylPart(double h, double r, double L) {
    // A cylinder without a cross-section holds nothing; the segment angle below would be 0/0.
    if (r == 0) return 0;
    double base = 0;
    int sign = 1;
    if (h > r) {
        // Above the centre line: the full cylinder less the empty segment on top.
        base = Stored(((kPi * static_cast<long double>(r)) * r) * L);
        h = Stored(2.0L * r - h);
        sign = -1;
    }
    double theta = Stored(2 * ArcCos((static_cast<long double>(r) - h) / r));
    double k = Stored(((static_cast<long double>(r) * r) * L) / 2);
    return Stored((static_cast<long double>(theta) - RoundedSine(static_cast<long double>(theta))) * k * sign + base);
}
