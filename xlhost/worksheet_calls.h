// The few worksheet functions and command-equivalents the add-in asks of the emulated Excel.
//  - xlfIstext(x): for a reference, TRUE/FALSE per cell (one cell: a boolean; several: a
//    host-owned array of booleans); for any other value whether it is a text.
//  - xlfOr(x): TRUE when any boolean or non-zero number of x (an array, or one value) is
//    true; texts and empty elements are skipped; the first error is the answer; nothing to
//    look at answers #VALUE!.
//  - xlcActivate: refused (xlretFailed). The emulated host calls add-in functions only
//    while calculating, and Excel refuses command-equivalents from a worksheet function.
#pragma once

#include "xloper.h"

namespace xlhost {

int IsText(XLOPER* result, int count, XLOPER** args);
int Or(XLOPER* result, int count, XLOPER** args);
int Activate(XLOPER* result, int count, XLOPER** args);

}  // namespace xlhost
