// The six tank shapes: each one's volume at a height and the height at which it is full.
#include "tank_volumes.h"

#include "ellip_caps.h"
#include "tank_arithmetic.h"
#include "tank_shapes.h"

namespace {

// Each shape takes its arguments' numbers in the order the function declares them.

// The sphere and the lying cylinders are full at their diameter (the radius is the first
// dimension), the upright tanks at their last dimension: the length, or the whole height of a
// cylinder on its cap.
template <size_t N>
double DiameterTop(const double (&n)[N]) {
    return Stored(2.0L * n[1]);
}

template <size_t N>
double LastDimensionTop(const double (&n)[N]) {
    return n[N - 1];
}

bool Sphere(const double (&n)[2], double* volume) {
    double r = n[1];
    double h = ClampHeight(n[0], DiameterTop(n));
    if (h > r) {
        // The full sphere less the empty cap above the material.
        double emptyCap = VolSphCap(Stored(2.0L * r - h), r);
        *volume = Stored(((kFourPiOver3 * static_cast<long double>(r)) * r) * r - emptyCap);
    } else {
        *volume = VolSphCap(h, r);
    }
    return true;
}

bool VertCyl(const double (&n)[3], double* volume) {
    double r = n[1];
    double h = ClampHeight(n[0], LastDimensionTop(n));
    *volume = VolCyl(h, r);
    return true;
}

bool VertCylSphCap(const double (&n)[4], double* volume) {
    double r = n[1], L = n[2], M = n[3];
    // One bottom cap of height c = M - L under the cylinder; M = L is a flat bottom.
    if (M < L) return false;
    double h = ClampHeight(n[0], LastDimensionTop(n));
    double c = Stored(static_cast<long double>(M) - L);
    if (c > r) return false;  // deeper than a hemisphere
    // Radius of the sphere through the cap's rim circle and its lowest point.
    double R = c > 0 ? Stored((static_cast<long double>(r) * r) / (2.0L * c) + static_cast<long double>(c) / 2) : r;
    if (h <= c) {
        *volume = VolSphCap(h, R);
        return true;
    }
    double cap = VolSphCap(c, R);
    double body = static_cast<long double>(c) + L > h ? VolCyl(Stored(static_cast<long double>(h) - c), r) : VolCyl(L, r);
    *volume = Stored(static_cast<long double>(cap) + body);
    return true;
}

bool HorzCyl(const double (&n)[3], double* volume) {
    double r = n[1], L = n[2];
    double h = ClampHeight(n[0], DiameterTop(n));
    *volume = VolHorzCylPart(h, r, L);
    return true;
}

bool HorzCylCap(const double (&n)[4], double* volume) {
    double r = n[1], L = n[2], M = n[3];
    // M runs from cap tip to cap tip: each cap is (M - L)/2 deep, at most as deep as the radius.
    if (!(M > L)) return false;
    double a = Stored((static_cast<long double>(M) - L) / 2);
    if (a > r) return false;
    double h = ClampHeight(n[0], DiameterTop(n));

    double body = VolHorzCylPart(h, r, L);
    long double caps;
    if (h <= r) {
        caps = VolEllipCaps(h, r, a);
    } else {
        // Both full caps make one ellipsoid; take away the empty part above the material.
        caps = (((kFourPi * static_cast<long double>(a)) * r) * r) / 3 - VolEllipCaps(Stored(2.0L * r - h), r, a);
    }
    *volume = Stored(body + caps);
    return true;
}

bool TaperedCyl(const double (&n)[4], double* volume) {
    double rb = n[1], rt = n[2], L = n[3];
    double h = ClampHeight(n[0], LastDimensionTop(n));
    // Radius at the material's surface. At height 0 the surface is the bottom, whatever the
    // length: a tank of length 0 would otherwise make this 0/0 and hold NaN instead of nothing.
    double rs = h == 0 ? rb : Stored(((static_cast<long double>(rt) - rb) * h) / L + rb);
    *volume = Stored(((kPi * static_cast<long double>(h)) / 3) *
                     ((static_cast<long double>(rb) * rb + static_cast<long double>(rs) * rs) +
                      static_cast<long double>(rb) * rs));
    return true;
}

}  // namespace

const TankShape<2> kSphere = {Sphere, DiameterTop<2>};
const TankShape<3> kVertCyl = {VertCyl, LastDimensionTop<3>};
const TankShape<4> kVertCylSphCap = {VertCylSphCap, LastDimensionTop<4>};
const TankShape<3> kHorzCyl = {HorzCyl, DiameterTop<3>};
const TankShape<4> kHorzCylCap = {HorzCylCap, DiameterTop<4>};
const TankShape<4> kTaperedCyl = {TaperedCyl, LastDimensionTop<4>};
