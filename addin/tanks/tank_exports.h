// The six exported tank-volume functions: lengths in one unit, the volume in its cube.
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
