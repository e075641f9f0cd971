// The tank functions: the volume of material at a height, and the level of a volume, for each of the six shapes.
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

// The level functions answer the lowest height at which the tank of the volume function
// with the same dimensions holds the volume.

XLL_EXPORT XLOPER* XLLAPI LevelSphere(XLOPER* volume, XLOPER* radius) {
    static XLOPER answer;
    return LevelFrame(&answer, {volume, radius}, kSphere);
}

XLL_EXPORT XLOPER* XLLAPI LevelVertCyl(XLOPER* volume, XLOPER* radius, XLOPER* length) {
    static XLOPER answer;
    return LevelFrame(&answer, {volume, radius, length}, kVertCyl);
}

XLL_EXPORT XLOPER* XLLAPI LevelVertCylSphCap(XLOPER* volume, XLOPER* radius, XLOPER* cyl_length,
                                            XLOPER* max_length) {
    static XLOPER answer;
    return LevelFrame(&answer, {volume, radius, cyl_length, max_length}, kVertCylSphCap);
}

XLL_EXPORT XLOPER* XLLAPI LevelHorzCyl(XLOPER* volume, XLOPER* radius, XLOPER* length) {
    static XLOPER answer;
    return LevelFrame(&answer, {volume, radius, length}, kHorzCyl);
}

XLL_EXPORT XLOPER* XLLAPI LevelHorzCylCap(XLOPER* volume, XLOPER* radius, XLOPER* cyl_length,
                                         XLOPER* max_length) {
    static XLOPER answer;
    return LevelFrame(&answer, {volume, radius, cyl_length, max_length}, kHorzCylCap);
}

XLL_EXPORT XLOPER* XLLAPI LevelTaperedCyl(XLOPER* volume, XLOPER* bottom_radius, XLOPER* top_radius,
                                         XLOPER* length) {
    static XLOPER answer;
    return LevelFrame(&answer, {volume, bottom_radius, top_radius, length}, kTaperedCyl);
}
