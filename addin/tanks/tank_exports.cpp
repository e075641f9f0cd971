// The six exported tank-volume functions: lengths in one unit, the volume in its cube.
#include "tank_exports.h"

#include "tank_frame.h"
#include "tank_volumes.h"

XLL_EXPORT XLOPER* XLLAPI VolSphere(XLOPER* mtl_height, XLOPER* radius) {
    static XLOPER answer;
    return TankFrame(&answer, {mtl_height, radius}, kSphere);
}

XLL_EXPORT XLOPER* XLLAPI VolVertCyl(XLOPER* mtl_height, XLOPER* radius, XLOPER* length) {
    static XLOPER answer;
    return TankFrame(&answer, {mtl_height, radius, length}, kVertCyl);
}

XLL_EXPORT XLOPER* XLLAPI VolVertCylSphCap(XLOPER* mtl_height, XLOPER* radius, XLOPER* cyl_length,
                                          XLOPER* max_length) {
    static XLOPER answer;
    return TankFrame(&answer, {mtl_height, radius, cyl_length, max_length}, kVertCylSphCap);
}

XLL_EXPORT XLOPER* XLLAPI VolHorzCyl(XLOPER* mtl_height, XLOPER* radius, XLOPER* length) {
    static XLOPER answer;
    return TankFrame(&answer, {mtl_height, radius, length}, kHorzCyl);
}

XLL_EXPORT XLOPER* XLLAPI VolHorzCylCap(XLOPER* mtl_height, XLOPER* radius, XLOPER* cyl_length,
                                       XLOPER* max_length) {
    static XLOPER answer;
    return TankFrame(&answer, {mtl_height, radius, cyl_length, max_length}, kHorzCylCap);
}

XLL_EXPORT XLOPER* XLLAPI VolTaperedCyl(XLOPER* mtl_height, XLOPER* bottom_radius, XLOPER* top_radius,
                                       XLOPER* length) {
    static XLOPER answer;
    return TankFrame(&answer, {mtl_height, bottom_radius, top_radius, length}, kTaperedCyl);
}
