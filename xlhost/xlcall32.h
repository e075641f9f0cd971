// The host's callback library: the Excel4 entry the add-in imports, and the hook the emulated Excel sets.
#pragma once

#include "xloper.h"

#if defined(_WIN32)
#define XLCALL_EXPORT
#else
#define XLCALL_EXPORT __attribute__((visibility("default")))
#endif

// Most arguments one Excel4 call can carry.
constexpr int kMaxExcel4Args = 30;

typedef int (*Excel4Handler)(int xlfn, XLOPER* result, int count, XLOPER** args);

// Routes every Excel4 call of this process to `handler` (none: every call answers xlretFailed).
// This is how the emulated Excel stands behind XLCALL32, as Excel stands behind the real one:
// the host's side of the boundary, not a seam of the add-in. Tests that want the host to
// misbehave change the emulated Excel, never this routing.
extern "C" XLCALL_EXPORT void SetExcel4Handler(Excel4Handler handler);
