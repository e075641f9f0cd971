// The tank functions: the volume of material at a height, and the level of a volume, for each of the six shapes.
#pragma once

#include "xloper.h"

XLL_EXPORT XLOPER* XLLAPI VolSphere(XLOPER* mtl_height, XLOPER* radius);
XLL_EXPORT XLOPER* XLLAPI VolVertCyl(XLOPER* mtl_height, XLOPER* radius, XLOPER* length);
XLL_EXPORT XLOPER* XLLAPI VolVertCylSphCap(XLOPER* mtl_height, XLOPER* radius, XLOPER* cyl_length,
                                          XLOPER* max_length);
XLL_EXPORT XLOPER* XLLAPI VolHorzCyl(XLOPER* mtl_height, XLOPER* radius, XLOPER* length);
XLL_EXPORT XLOPER* XLLAPI VolHorzCylCap(XLOPER* mtl_height, XLOPER* radius, XLOPER* cyl_length,
                                       XLOPER* max_length);
XLL_EXPORT XLOPER* XLLAPI VolTaperedCyl(XLOPER* mtl_height, XLOPER* bottom_radius, XLOPER* top_radius,
                                       XLOPER* length);

XLL_EXPORT XLOPER* XLLAPI LevelSphere(XLOPER* volume, XLOPER* radius);
XLL_EXPORT XLOPER* XLLAPI LevelVertCyl(XLOPER* volume, XLOPER* radius, XLOPER* length);
XLL_EXPORT XLOPER* XLLAPI LevelVertCylSphCap(XLOPER* volume, XLOPER* radius, XLOPER* cyl_length,
                                            XLOPER* max_length);
XLL_EXPORT XLOPER* XLLAPI LevelHorzCyl(XLOPER* volume, XLOPER* radius, XLOPER* length);
XLL_EXPORT XLOPER* XLLAPI LevelHorzCylCap(XLOPER* volume, XLOPER* radius, XLOPER* cyl_length,
                                         XLOPER* max_length);
XLL_EXPORT XLOPER* XLLAPI LevelTaperedCyl(XLOPER* volume, XLOPER* bottom_radius, XLOPER* top_radius,
                                         XLOPER* length);
