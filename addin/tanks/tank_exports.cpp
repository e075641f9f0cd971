// The six exported tank-volume functions: lengths in one unit, the volume in its cube; each for a host on the Excel4 path and, as name12, for one on the Excel12 path.
#include "tank_exports.h"

#include "ellip_caps.h"
#include "tank_arithmetic.h"
#include "tank_frame.h"
#include "tank_shapes.h"

namespace {

// Each shape takes its arguments' numbers in the order the function declares them.

bool Sphere(const double (&n)[2], double* volume) {
    double r = n[1];
    double h = ClampHeight(n[0], Stored(2.0L * r));
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
    double r = n[1], L = n[2];
    double h = ClampHeight(n[0], L);
    *volume = VolCyl(h, r);
    return true;
}

bool VertCylSphCap(const double (&n)[4], double* volume) {
    double r = n[1], L = n[2], M = n[3];
    // One bottom cap of height c = M - L under the cylinder; M = L is a flat bottom.
    if (M < L) return false;
    double h = ClampHeight(n[0], M);
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
    double h = ClampHeight(n[0], Stored(2.0L * r));
    *volume = VolHorzCylPart(h, r, L);
    return true;
}

bool HorzCylCap(const double (&n)[4], double* volume) {
    double r = n[1], L = n[2], M = n[3];
    // M runs from cap tip to cap tip: each cap is (M - L)/2 deep, at most as deep as the radius.
    if (!(M > L)) return false;
    double a = Stored((static_cast<long double>(M) - L) / 2);
    if (a > r) return false;
    double h = ClampHeight(n[0], Stored(2.0L * r));

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
    double h = ClampHeight(n[0], L);
    // Radius at the material's surface. At height 0 the surface is the bottom, whatever the
    // length: a tank of length 0 would otherwise make this 0/0 and hold NaN instead of nothing.
    double rs = h == 0 ? rb : Stored(((static_cast<long double>(rt) - rb) * h) / L + rb);
    *volume = Stored(((kPi * static_cast<long double>(h)) / 3) *
                     ((static_cast<long double>(rb) * rb + static_cast<long double>(rs) * rs) +
                      static_cast<long double>(rb) * rs));
    return true;
}

}  // namespace

XLL_EXPORT XLOPER* XLLAPI VolSphere(XLOPER* mtl_height, XLOPER* radius) {
    static XLOPER answer;
    return TankFrame(&answer, {mtl_height, radius}, Sphere);
}

XLL_EXPORT XLOPER* XLLAPI VolVertCyl(XLOPER* mtl_height, XLOPER* radius, XLOPER* length) {
    static XLOPER answer;
    return TankFrame(&answer, {mtl_height, radius, length}, VertCyl);
}

XLL_EXPORT XLOPER* XLLAPI VolVertCylSphCap(XLOPER* mtl_height, XLOPER* radius, XLOPER* cyl_length,
                                          XLOPER* max_length) {
    static XLOPER answer;
    return TankFrame(&answer, {mtl_height, radius, cyl_length, max_length}, VertCylSphCap);
}

XLL_EXPORT XLOPER* XLLAPI VolHorzCyl(XLOPER* mtl_height, XLOPER* radius, XLOPER* length) {
    static XLOPER answer;
    return TankFrame(&answer, {mtl_height, radius, length}, HorzCyl);
}

XLL_EXPORT XLOPER* XLLAPI VolHorzCylCap(XLOPER* mtl_height, XLOPER* radius, XLOPER* cyl_length,
                                       XLOPER* max_length) {
    static XLOPER answer;
    return TankFrame(&answer, {mtl_height, radius, cyl_length, max_length}, HorzCylCap);
}

XLL_EXPORT XLOPER* XLLAPI VolTaperedCyl(XLOPER* mtl_height, XLOPER* bottom_radius, XLOPER* top_radius,
                                       XLOPER* length) {
    static XLOPER answer;
    return TankFrame(&answer, {mtl_height, bottom_radius, top_radius, length}, TaperedCyl);
}

// The Excel12 path: thread-safe, so no record of their own; each answer is a block or a constant.

XLL_EXPORT XLOPER12* XLLAPI VolSphere12(XLOPER12* mtl_height, XLOPER12* radius) {
    return TankFrame({mtl_height, radius}, Sphere);
}

XLL_EXPORT XLOPER12* XLLAPI VolVertCyl12(XLOPER12* mtl_height, XLOPER12* radius, XLOPER12* length) {
    return TankFrame({mtl_height, radius, length}, VertCyl);
}

XLL_EXPORT XLOPER12* XLLAPI VolVertCylSphCap12(XLOPER12* mtl_height, XLOPER12* radius, XLOPER12* cyl_length,
                                              XLOPER12* max_length) {
    return TankFrame({mtl_height, radius, cyl_length, max_length}, VertCylSphCap);
}

XLL_EXPORT XLOPER12* XLLAPI VolHorzCyl12(XLOPER12* mtl_height, XLOPER12* radius, XLOPER12* length) {
    return TankFrame({mtl_height, radius, length}, HorzCyl);
}

XLL_EXPORT XLOPER12* XLLAPI VolHorzCylCap12(XLOPER12* mtl_height, XLOPER12* radius, XLOPER12* cyl_length,
                                           XLOPER12* max_length) {
    return TankFrame({mtl_height, radius, cyl_length, max_length}, HorzCylCap);
}

XLL_EXPORT XLOPER12* XLLAPI VolTaperedCyl12(XLOPER12* mtl_height, XLOPER12* bottom_radius, XLOPER12* top_radius,
                                           XLOPER12* length) {
    return TankFrame({mtl_height, bottom_radius, top_radius, length}, TaperedCyl);
}
