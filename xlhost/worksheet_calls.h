// The few worksheet functions and command-equivalents the add-in asks of the emulated Excel.
//  - xlfIstext(x): for a reference, TRUE/FALSE per cell (one cell: a boolean; several: a
//    host-owned array of booleans); for any other value whether it is a text.
//  - xlfOr(x): TRUE when any boolean or non-zero number of x (an array, or one value) is
//    true; texts and empty elements are skipped; the first error is the answer; nothing to
//    look at answers #VALUE!.
//  - xlcActivate: refused (xlretFailed). The emulated host calls add-in functions only
//    while calculating, and Excel refuses command-equivalents from a worksheet function.
//  - xlcEcho(flag), xlcNew(kind), xlcClose([save]): the quiet mode around the add-in's
//    search for its host. Each is recorded as the macro text Excel would show ("ECHO(FALSE)",
//    "NEW(6)", "CLOSE(FALSE)") and answers TRUE; NEW opens a window that CLOSE closes again,
//    CLOSE with no new window open answers FALSE. A missing or other argument is #VALUE!.
#pragma once

#include <string>
#include <vector>

#include "xloper.h"

namespace xlhost {

int IsText(XLOPER* result, int count, XLOPER** args);
int Or(XLOPER* result, int count, XLOPER** args);
int Activate(XLOPER* result, int count, XLOPER** args);
int Echo(XLOPER* result, int count, XLOPER** args);
int New(XLOPER* result, int count, XLOPER** args);
int Close(XLOPER* result, int count, XLOPER** args);

// The quiet-mode commands carried out, in order, and the windows NEW opened that are still open.
const std::vector<std::string>& QuietModeCommands();
int OpenNewWindows();
// Forgets both (StartEmulatedExcel).
void ResetQuietMode();

}  // namespace xlhost
