// The tank functions: the volume of material at a height and the level of a volume, for each of the six shapes;
// each for a host on the Excel4 path and, as name12, for one on the Excel12 path.
#pragma once

#include "xloper.h"
#include "xloper12.h"

XLL_EXPORT XLOPER* XLLAPI VolSphere(XLOPER* mtl_height, XLOPER* radius);
XLL_EXPORT XLOPER* XLLAPI VolVertCyl(XLOPER* mtl_height, XLOPER* radius, XLOPER* length);
XLL_EXPORT XLOPER* XLLAPI VolVertCylSphCap(XLOPER* mtl_height, XLOPER* radius, XLOPER* cyl_length,
                                           XLOPER* max_length);
XLL_EXPORT XLOPER* XLLAPI VolHorzCyl(XLOPER* mtl_height, XLOPER* radius, XLOPER* length);
XLL_EXPORT XLOPER* XLLAPI VolHorzCylCap(XLOPER* mtl_height, XLOPER* radius, XLOPER* cyl_length,
                                        XLOPER* max_length);
XLL_EXPORT XLOPER* XLLAPI VolTaperedCyl(XLOPER* mtl_height, XLOPER* bottom_radius, XLOPER* top_radius,
                                        XLOPER* length);

XLL_EXPORT XLOPER12* XLLAPI VolSphere12(XLOPER12* mtl_height, XLOPER12* radius);
XLL_EXPORT XLOPER12* XLLAPI VolVertCyl12(XLOPER12* mtl_height, XLOPER12* radius, XLOPER12* length);
XLL_EXPORT XLOPER12* XLLAPI VolVertCylSphCap12(XLOPER12* mtl_height, XLOPER12* radius, XLOPER12* cyl_length,
                                               XLOPER12* max_length);
XLL_EXPORT XLOPER12* XLLAPI VolHorzCyl12(XLOPER12* mtl_height, XLOPER12* radius, XLOPER12* length);
XLL_EXPORT XLOPER12* XLLAPI VolHorzCylCap12(XLOPER12* mtl_height, XLOPER12* radius, XLOPER12* cyl_length,
                                            XLOPER12* max_length);
XLL_EXPORT XLOPER12* XLLAPI VolTaperedCyl12(XLOPER12* mtl_height, XLOPER12* bottom_radius, XLOPER12* top_radius,
                                            XLOPER12* length);

XLL_EXPORT XLOPER* XLLAPI LevelSphere(XLOPER* volume, XLOPER* radius);
XLL_EXPORT XLOPER* XLLAPI LevelVertCyl(XLOPER* volume, XLOPER* radius, XLOPER* length);
XLL_EXPORT XLOPER* XLLAPI LevelVertCylSphCap(XLOPER* volume, XLOPER* radius, XLOPER* cyl_length,
                                             XLOPER* max_length);
XLL_EXPORT XLOPER* XLLAPI LevelHorzCyl(XLOPER* volume, XLOPER* radius, XLOPER* length);
XLL_EXPORT XLOPER* XLLAPI LevelHorzCylCap(XLOPER* volume, XLOPER* radius, XLOPER* cyl_length,
                                          XLOPER* max_length);
XLL_EXPORT XLOPER* XLLAPI LevelTaperedCyl(XLOPER* volume, XLOPER* bottom_radius, XLOPER* top_radius,
                                          XLOPER* length);

XLL_EXPORT XLOPER12* XLLAPI LevelSphere12(XLOPER12* volume, XLOPER12* radius);
XLL_EXPORT XLOPER12* XLLAPI LevelVertCyl12(XLOPER12* volume, XLOPER12* radius, XLOPER12* length);
XLL_EXPORT XLOPER12* XLLAPI LevelVertCylSphCap12(XLOPER12* volume, XLOPER12* radius, XLOPER12* cyl_length,
                                                 XLOPER12* max_length);
XLL_EXPORT XLOPER12* XLLAPI LevelHorzCyl12(XLOPER12* volume, XLOPER12* radius, XLOPER12* length);
XLL_EXPORT XLOPER12* XLLAPI LevelHorzCylCap12(XLOPER12* volume, XLOPER12* radius, XLOPER12* cyl_length,
                                              XLOPER12* max_length);
XLL_EXPORT XLOPER12* XLLAPI LevelTaperedCyl12(XLOPER12* volume, XLOPER12* bottom_radius, XLOPER12* top_radius,
                                              XLOPER12* length);
