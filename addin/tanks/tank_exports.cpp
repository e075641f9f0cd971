// The six exported tank-volume functions: lengths in one unit, the volume in its cube.
#include "tank_exports.h"

#include "ellip_caps.h"
#include "tank_arithmetic.h"
#include "tank_frame.h"
#include "tank_shapes.h"

XLL_EXPORT XLOPER* XLLAPI VolSphere(XLOPER* mtl_height, XLOPER* radius) {
    static XLOPER result;
    SetValueError(&result);
    double h, r;
    if (!CoerceNumber(mtl_height, &h) || !CoerceNumber(radius, &r)) return &result;

    h = ClampHeight(h, Stored(2.0L * r));
    if (h > r) {
        // The full sphere less the empty cap above the material.
        double emptyCap = VolSphCap(Stored(2.0L * r - h), r);
        return AnswerVolume(&result, Stored(((kFourPiOver3 * static_cast<long double>(r)) * r) * r - emptyCap));
    }
    return AnswerVolume(&result, VolSphCap(h, r));
}

XLL_EXPORT XLOPER* XLLAPI VolVertCyl(XLOPER* mtl_height, XLOPER* radius, XLOPER* length) {
    static XLOPER result;
    SetValueError(&result);
    double h, r, L;
    if (!CoerceNumber(mtl_height, &h) || !CoerceNumber(radius, &r) || !CoerceNumber(length, &L)) return &result;

    h = ClampHeight(h, L);
    return AnswerVolume(&result, VolCyl(h, r));
}

XLL_EXPORT XLOPER* XLLAPI VolVertCylSphCap(XLOPER* mtl_height, XLOPER* radius, XLOPER* cyl_length,
                                          XLOPER* max_length) {
    static XLOPER result;
    SetValueError(&result);
    double h, r, L, M;
    if (!CoerceNumber(mtl_height, &h) || !CoerceNumber(radius, &r) || !CoerceNumber(cyl_length, &L) ||
        !CoerceNumber(max_length, &M))
        return &result;

    // One bottom cap of height c = M - L under the cylinder; M = L is a flat bottom.
    if (M < L) return &result;
    h = ClampHeight(h, M);
    double c = Stored(static_cast<long double>(M) - L);
    if (c > r) return &result;  // deeper than a hemisphere
    // Radius of the sphere through the cap's rim circle and its lowest point.
    double R = c > 0 ? Stored((static_cast<long double>(r) * r) / (2.0L * c) + static_cast<long double>(c) / 2) : r;
    if (h <= c) return AnswerVolume(&result, VolSphCap(h, R));

    double cap = VolSphCap(c, R);
    double body = static_cast<long double>(c) + L > h ? VolCyl(Stored(static_cast<long double>(h) - c), r) : VolCyl(L, r);
    return AnswerVolume(&result, Stored(static_cast<long double>(cap) + body));
}

XLL_EXPORT XLOPER* XLLAPI VolHorzCyl(XLOPER* mtl_height, XLOPER* radius, XLOPER* length) {
    static XLOPER result;
    SetValueError(&result);
    double h, r, L;
    if (!CoerceNumber(mtl_height, &h) || !CoerceNumber(radius, &r) || !CoerceNumber(length, &L)) return &result;

    h = ClampHeight(h, Stored(2.0L * r));
    return AnswerVolume(&result, VolHorzCylPart(h, r, L));
}

XLL_EXPORT XLOPER* XLLAPI VolHorzCylCap(XLOPER* mtl_height, XLOPER* radius, XLOPER* cyl_length,
                                       XLOPER* max_length) {
    static XLOPER result;
    SetValueError(&result);
    double h, r, L, M;
    if (!CoerceNumber(mtl_height, &h) || !CoerceNumber(radius, &r) || !CoerceNumber(cyl_length, &L) ||
        !CoerceNumber(max_length, &M))
        return &result;

    // M runs from cap tip to cap tip: each cap is (M - L)/2 deep, at most as deep as the radius.
    if (!(M > L)) return &result;
    double a = Stored((static_cast<long double>(M) - L) / 2);
    if (a > r) return &result;
    h = ClampHeight(h, Stored(2.0L * r));

    double body = VolHorzCylPart(h, r, L);
    long double caps;
    if (h <= r) {
        caps = VolEllipCaps(h, r, a);
    } else {
        // Both full caps make one ellipsoid; take away the empty part above the material.
        caps = (((kFourPi * static_cast<long double>(a)) * r) * r) / 3 - VolEllipCaps(Stored(2.0L * r - h), r, a);
    }
    return AnswerVolume(&result, Stored(body + caps));
}

XLL_EXPORT XLOPER* XLLAPI VolTaperedCyl(XLOPER* mtl_height, XLOPER* bottom_radius, XLOPER* top_radius,
                                       XLOPER* length) {
    static XLOPER result;
    SetValueError(&result);
    double h, rb, rt, L;
    if (!CoerceNumber(mtl_height, &h) || !CoerceNumber(bottom_radius, &rb) || !CoerceNumber(top_radius, &rt) ||
        !CoerceNumber(length, &L))
        return &result;

    h = ClampHeight(h, L);
    // Radius at the material's surface. At height 0 the surface is the bottom, whatever the
    // length: a tank of length 0 would otherwise make this 0/0 and hold NaN instead of nothing.
    double rs = h == 0 ? rb : Stored(((static_cast<long double>(rt) - rb) * h) / L + rb);
    return AnswerVolume(&result, Stored(((kPi * static_cast<long double>(h)) / 3) *
                                        ((static_cast<long double>(rb) * rb + static_cast<long double>(rs) * rs) +
                                         static_cast<long double>(rb) * rs)));
}
