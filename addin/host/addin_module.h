// Process-wide state of the loaded add-in and the work done when Windows attaches it.
#pragma once

#include "platform.h"

// The add-in's module handle, kept at attach for every string-table load.
extern HINSTANCE g_hInstance;

// Excel runs with the x87 unit at 53-bit precision; the add-in's arithmetic is defined with
// intermediates carried in 64-bit mantissas, so attach switches the precision control.
void SetExtendedPrecision();

// The add-in's own start-up at process attach.
void AttachAddin(HINSTANCE instance);
