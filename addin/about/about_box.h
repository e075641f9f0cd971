// The About box: the product's name with the add-in file's version, and the way to its help file.
#pragma once

#include <windows.h>

#include "xloper.h"

// The command behind the Help menu's "Mezura..." item: opens the box owned by the host's main
// window (or by no window when the host cannot name one) and answers 0.
XLL_EXPORT short XLLAPI MezuraHelp();

// Runs the box modally, owned by `owner`; answers the dialog call's result (0 when it closes,
// -1 when it cannot be created). Exported as "_about_dlg@4", the 32-bit stdcall name.
extern "C" int __stdcall about_dlg(HWND owner);
