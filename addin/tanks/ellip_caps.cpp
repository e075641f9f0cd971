// Material in the two ellipsoidal end caps of a horizontal tank, by Simpson's rule.
#include "ellip_caps.h"

#include <array>
#include <cmath>

#include "tank_arithmetic.h"

namespace {

constexpr int kIntervals = kEllipCapSamples - 1;
static_assert(kIntervals % 2 == 0, "Simpson's rule needs an even number of intervals");

// Cross-section i of a cap, at axial distance z from its base plane: a circle of radius rho
// whose liquid surface lies d below its centre.
double CapSectionArea(int i, double W, double a, double r, double d) {
    double z = Stored((static_cast<long double>(i) * W) / kIntervals);
    // Near the cap's tip 1 - z^2/a^2 can round below 0: the square root is then NaN, which
    // fails the test below like an empty section.
    double rho = Stored(std::sqrt(1 - (static_cast<long double>(z) * z) / (static_cast<long double>(a) * a)) * r);
    if (!(rho > 0)) return 0;
    double t = Stored(static_cast<long double>(rho) - d);
    if (t < 0) t = 0;
    double phi = Stored(2 * ArcCos((static_cast<long double>(rho) - t) / rho));
    return Stored((static_cast<long double>(phi) - RoundedSine(static_cast<long double>(phi))) *
                  ((static_cast<long double>(rho) * rho) / 2));
}

}  // namespace

double VolEllipCaps(double x, double r, double a) {
    if (!(x > 0)) return 0;
    double d = Stored(static_cast<long double>(r) - x);
    // Axial distance from a cap's base plane to where the liquid surface leaves the cap.
    double W = Stored(std::sqrt(1 - (static_cast<long double>(d) * d) / (static_cast<long double>(r) * r)) * a);
    // Area of liquid in each cross-section, on the caller's stack: any number of threads may
    // integrate at once.
    std::array<double, kEllipCapSamples> areas;
    for (int i = 0; i < kEllipCapSamples; ++i) areas[i] = CapSectionArea(i, W, a, r, d);

    double S = areas[0];
    for (int i = 1; i < kIntervals; ++i) S = Stored(S + areas[i] * static_cast<long double>(i % 2 ? 4 : 2));
    S = Stored(S + static_cast<long double>(areas[kIntervals]));
    // Simpson's weight is a third of the step W/50; the factor 2 counts both caps.
    return Stored(2 * (static_cast<long double>(W) / (3 * kIntervals)) * S);
}
