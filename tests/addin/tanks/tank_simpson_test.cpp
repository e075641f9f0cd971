// Ellipsoidal end caps: the 50-interval Simpson integration against exact volumes and an independent rule.
#include <cmath>
#include <cstdio>

#include "addin/tanks/ellip_caps.h"
#include "xlhost/emulated_excel_fixture.h"
#include "tank_functions.h"

namespace {

const long double kTruePi = std::acos(-1.0L);

// Two half-ellipsoid caps make one ellipsoid of revolution. A horizontal plane cuts it as it
// cuts the sphere of radius r stretched by a/r along the axis, so the liquid below depth x
// is a/r times the sphere's cap: pi a x^2 (3r - x) / (3r).
long double ExactCapsVolume(long double x, long double r, long double a) {
    return kTruePi * a * x * x * (3 * r - x) / (3 * r);
}

// Area below a chord lying d below the centre of a circle of radius rho, written from the
// chord's half-width rather than from the central angle. The half-angle comes from atan2 of
// the exact half-width and d: acos(d / rho) would round the quotient first, and the mingw
// runtimes' acosl is off by up to 1e-13 near 1, which the subtraction below multiplies.
long double SegmentArea(long double rho, long double d) {
    if (!(rho > d)) return 0;
    long double halfWidth = std::sqrt((rho - d) * (rho + d));
    return rho * rho * std::atan2(halfWidth, d) - d * halfWidth;
}

// Composite Simpson's rule with `intervals` intervals over both caps, from the geometry alone.
long double SimpsonCaps(long double x, long double r, long double a, int intervals) {
    long double d = r - x;
    long double W = a * std::sqrt(1 - (d * d) / (r * r));
    long double sum = 0;
    for (int i = 0; i <= intervals; ++i) {
        long double z = W * i / intervals;
        long double rho = r * std::sqrt(std::fmax(0.0L, 1 - (z * z) / (a * a)));
        long double weight = (i == 0 || i == intervals) ? 1 : (i % 2 ? 4 : 2);
        sum += weight * SegmentArea(rho, d);
    }
    return 2 * (W / intervals / 3) * sum;
}

struct CapShape {
    double r, a;
};
const CapShape kCapShapes[] = {{1, 0.5}, {1, 1}, {2, 0.3}, {1, 0.01}, {3.5, 3.5}, {0.2, 0.15}, {40, 12}};
constexpr int kHeights = 200;

using TankSimpsonTest = TankTest;

TEST_F(TankSimpsonTest, CapsAgreeWithTheExactEllipsoidVolumeAtEveryFillHeight) {
    double largest = 0, largestAt = 0;
    for (const CapShape& shape : kCapShapes) {
        for (int k = 1; k <= kHeights; ++k) {
            double x = shape.r * k / kHeights;
            long double exact = ExactCapsVolume(x, shape.r, shape.a);
            double relative = double(std::fabs(VolEllipCaps(x, shape.r, shape.a) - exact) / exact);
            // 50 intervals leave about 2e-5 where the section's liquid thins out to nothing.
            EXPECT_LT(relative, 2.5e-5) << "VolEllipCaps(" << x << ", " << shape.r << ", " << shape.a << ")";
            if (relative > largest) {
                largest = relative;
                largestAt = x / shape.r;
            }
        }
        // Half full, every section is a half disc: a quadratic in z, which Simpson's rule integrates exactly.
        long double half = ExactCapsVolume(shape.r, shape.r, shape.a);
        EXPECT_LT(std::fabs(VolEllipCaps(shape.r, shape.r, shape.a) - half) / half, 1e-15) << "r " << shape.r << " a " << shape.a;
    }
    RecordProperty("largest_relative_difference", std::to_string(largest));
    RecordProperty("at_fill_fraction", std::to_string(largestAt));
}

TEST_F(TankSimpsonTest, CapsUseExactlyFiftySimpsonIntervals) {
    for (const CapShape& shape : kCapShapes) {
        for (int k = 1; k <= kHeights; k += 7) {
            double x = shape.r * k / kHeights;
            long double fifty = SimpsonCaps(x, shape.r, shape.a, 50);
            std::string call = "VolEllipCaps(" + std::to_string(x) + ", " + std::to_string(shape.r) + ", " +
                               std::to_string(shape.a) + ")";
            // Not closer: near the surface's edge the stored section depth loses digits to cancellation.
            EXPECT_LT(double(std::fabs(VolEllipCaps(x, shape.r, shape.a) - fifty) / fifty), 2e-11) << call;
        }
    }
    // The rule above tells 50 intervals from their neighbours, so it pins the sample count.
    for (int intervals : {48, 52}) {
        for (double x : {0.05, 0.3, 0.6, 0.9}) {
            long double fifty = SimpsonCaps(x, 1, 0.5, 50);
            long double other = SimpsonCaps(x, 1, 0.5, intervals);
            EXPECT_GT(double(std::fabs(other - fifty) / fifty), 1e-8) << intervals << " intervals at depth " << x;
        }
    }
}

TEST_F(TankSimpsonTest, CappedTankAgreesWithTheExactVolumeAcrossFillHeights) {
    // VolHorzCylCap(h, r, L, M): cylinder plus one ellipsoid of semi-axis a = (M - L)/2, both cut at h.
    const double r = 1.25, L = 6, M = 7.5, a = (M - L) / 2;
    for (int k = 0; k <= 2 * kHeights; ++k) {
        double h = 2 * r * k / (2 * kHeights);
        long double theta = 2 * std::atan2(std::sqrt(h * (2.0L * r - h)), r - (long double)h);
        long double body = r * r / 2 * (theta - std::sin(theta)) * L;
        long double caps = h <= r ? ExactCapsVolume(h, r, a)
                                  : 4 * kTruePi / 3 * a * r * r - ExactCapsVolume(2 * r - h, r, a);
        long double exact = body + caps;
        XLOPER result = CallTank(Tank("VolHorzCylCap"), {h, r, L, M});
        ASSERT_EQ(result.xltype, xltypeNum) << "height " << h;
        // The ten-decimal pi of the full-tank terms adds about 1e-10 to the integration's error.
        EXPECT_LE(std::fabs(result.val.num - exact), 2.5e-5 * caps + 1e-9 * exact) << "VolHorzCylCap at height " << h;
    }
}

}  // namespace
