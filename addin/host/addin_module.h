// Process-wide state of the loaded add-in and the work done when Windows attaches it.
#pragma once

#include "platform.h"

// The add-in's module handle, kept at attach for every string-table load.
extern HINSTANCE g_hInstance;

// Excel runs with the x87 unit at 53-bit precision; the add-in's arithmetic is defined with
// intermediates carried in 64-bit mantissas, so attach switches the precision control of the
// loading thread (and every computation makes sure of it for itself: extended_precision.h).
void SetExtendedPrecision();

// The first opening after attach settles that switch: a host taking the Excel4 path keeps it
// (the add-in has always left it so), one taking the Excel12 path gets the loading thread's own
// control word back, since its functions set the precision per call, Excel's own arithmetic on
// its main thread must not change with the add-in, and the x64 calling convention wants the
// control word as the caller left it. Only the loading thread is put back.
void SettleAttachPrecision(bool excel12);

// The add-in's own start-up at process attach.
void AttachAddin(HINSTANCE instance);
