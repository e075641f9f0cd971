// The tank functions: the volume of material at a height and the level of a volume, for each of the six shapes;
// each for a host on the Excel4 path and, as name12, for one on the Excel12 path.
#include "tank_exports.h"

#include "tank_frame.h"
#include "tank_volumes.h"

XLL_EXPORT XLOPER* XLLAPI VolSphere(XLOPER* mtl_height, XLOPER* radius) {
    static XLOPER answer;
    return TankFrame(&answer, {mtl_height, radius}, TankVolumeOf, kSphere);
}

XLL_EXPORT XLOPER* XLLAPI VolVertCyl(XLOPER* mtl_height, XLOPER* radius, XLOPER* length) {
    static XLOPER answer;
    return TankFrame(&answer, {mtl_height, radius, length}, TankVolumeOf, kVertCyl);
}

XLL_EXPORT XLOPER* XLLAPI VolVertCylSphCap(XLOPER* mtl_height, XLOPER* radius, XLOPER* cyl_length,
                                           XLOPER* max_length) {
    static XLOPER answer;
    return TankFrame(&answer, {mtl_height, radius, cyl_length, max_length}, TankVolumeOf, kVertCylSphCap);
}

XLL_EXPORT XLOPER* XLLAPI VolHorzCyl(XLOPER* mtl_height, XLOPER* radius, XLOPER* length) {
    static XLOPER answer;
    return TankFrame(&answer, {mtl_height, radius, length}, TankVolumeOf, kHorzCyl);
}

XLL_EXPORT XLOPER* XLLAPI VolHorzCylCap(XLOPER* mtl_height, XLOPER* radius, XLOPER* cyl_length,
                                        XLOPER* max_length) {
    static XLOPER answer;
    return TankFrame(&answer, {mtl_height, radius, cyl_length, max_length}, TankVolumeOf, kHorzCylCap);
}

XLL_EXPORT XLOPER* XLLAPI VolTaperedCyl(XLOPER* mtl_height, XLOPER* bottom_radius, XLOPER* top_radius,
                                        XLOPER* length) {
    static XLOPER answer;
    return TankFrame(&answer, {mtl_height, bottom_radius, top_radius, length}, TankVolumeOf, kTaperedCyl);
}

// The Excel12 path: thread-safe, so no record of their own; each answer is a block or a constant.

XLL_EXPORT XLOPER12* XLLAPI VolSphere12(XLOPER12* mtl_height, XLOPER12* radius) {
    return TankFrame({mtl_height, radius}, TankVolumeOf, kSphere);
}

XLL_EXPORT XLOPER12* XLLAPI VolVertCyl12(XLOPER12* mtl_height, XLOPER12* radius, XLOPER12* length) {
    return TankFrame({mtl_height, radius, length}, TankVolumeOf, kVertCyl);
}

XLL_EXPORT XLOPER12* XLLAPI VolVertCylSphCap12(XLOPER12* mtl_height, XLOPER12* radius, XLOPER12* cyl_length,
                                               XLOPER12* max_length) {
    return TankFrame({mtl_height, radius, cyl_length, max_length}, TankVolumeOf, kVertCylSphCap);
}

XLL_EXPORT XLOPER12* XLLAPI VolHorzCyl12(XLOPER12* mtl_height, XLOPER12* radius, XLOPER12* length) {
    return TankFrame({mtl_height, radius, length}, TankVolumeOf, kHorzCyl);
}

XLL_EXPORT XLOPER12* XLLAPI VolHorzCylCap12(XLOPER12* mtl_height, XLOPER12* radius, XLOPER12* cyl_length,
                                            XLOPER12* max_length) {
    return TankFrame({mtl_height, radius, cyl_length, max_length}, TankVolumeOf, kHorzCylCap);
}

XLL_EXPORT XLOPER12* XLLAPI VolTaperedCyl12(XLOPER12* mtl_height, XLOPER12* bottom_radius, XLOPER12* top_radius,
                                            XLOPER12* length) {
    return TankFrame({mtl_height, bottom_radius, top_radius, length}, TankVolumeOf, kTaperedCyl);
}

// The level functions answer the lowest height at which the tank of the volume function
// with the same dimensions holds the volume.

XLL_EXPORT XLOPER* XLLAPI LevelSphere(XLOPER* volume, XLOPER* radius) {
    static XLOPER answer;
    return TankFrame(&answer, {volume, radius}, TankLevelOf, kSphere);
}

XLL_EXPORT XLOPER* XLLAPI LevelVertCyl(XLOPER* volume, XLOPER* radius, XLOPER* length) {
    static XLOPER answer;
    return TankFrame(&answer, {volume, radius, length}, TankLevelOf, kVertCyl);
}

XLL_EXPORT XLOPER* XLLAPI LevelVertCylSphCap(XLOPER* volume, XLOPER* radius, XLOPER* cyl_length,
                                             XLOPER* max_length) {
    static XLOPER answer;
    return TankFrame(&answer, {volume, radius, cyl_length, max_length}, TankLevelOf, kVertCylSphCap);
}

XLL_EXPORT XLOPER* XLLAPI LevelHorzCyl(XLOPER* volume, XLOPER* radius, XLOPER* length) {
    static XLOPER answer;
    return TankFrame(&answer, {volume, radius, length}, TankLevelOf, kHorzCyl);
}

XLL_EXPORT XLOPER* XLLAPI LevelHorzCylCap(XLOPER* volume, XLOPER* radius, XLOPER* cyl_length,
                                          XLOPER* max_length) {
    static XLOPER answer;
    return TankFrame(&answer, {volume, radius, cyl_length, max_length}, TankLevelOf, kHorzCylCap);
}

XLL_EXPORT XLOPER* XLLAPI LevelTaperedCyl(XLOPER* volume, XLOPER* bottom_radius, XLOPER* top_radius,
                                          XLOPER* length) {
    static XLOPER answer;
    return TankFrame(&answer, {volume, bottom_radius, top_radius, length}, TankLevelOf, kTaperedCyl);
}

// The Excel12 path: thread-safe, so no record of their own; each answer is a block or a constant.

XLL_EXPORT XLOPER12* XLLAPI LevelSphere12(XLOPER12* volume, XLOPER12* radius) {
    return TankFrame({volume, radius}, TankLevelOf, kSphere);
}

XLL_EXPORT XLOPER12* XLLAPI LevelVertCyl12(XLOPER12* volume, XLOPER12* radius, XLOPER12* length) {
    return TankFrame({volume, radius, length}, TankLevelOf, kVertCyl);
}

XLL_EXPORT XLOPER12* XLLAPI LevelVertCylSphCap12(XLOPER12* volume, XLOPER12* radius, XLOPER12* cyl_length,
                                                 XLOPER12* max_length) {
    return TankFrame({volume, radius, cyl_length, max_length}, TankLevelOf, kVertCylSphCap);
}

XLL_EXPORT XLOPER12* XLLAPI LevelHorzCyl12(XLOPER12* volume, XLOPER12* radius, XLOPER12* length) {
    return TankFrame({volume, radius, length}, TankLevelOf, kHorzCyl);
}

XLL_EXPORT XLOPER12* XLLAPI LevelHorzCylCap12(XLOPER12* volume, XLOPER12* radius, XLOPER12* cyl_length,
                                              XLOPER12* max_length) {
    return TankFrame({volume, radius, cyl_length, max_length}, TankLevelOf, kHorzCylCap);
}

XLL_EXPORT XLOPER12* XLLAPI LevelTaperedCyl12(XLOPER12* volume, XLOPER12* bottom_radius, XLOPER12* top_radius,
                                              XLOPER12* length) {
    return TankFrame({volume, bottom_radius, top_radius, length}, TankLevelOf, kTaperedCyl);
}
