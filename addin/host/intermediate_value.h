// A host value made from what the host's automation model answered: a text or an array of cell values.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "xloper.h"

// Longest text a counted string holds; longer automation texts keep their first 255 characters.
constexpr int kLongestCountedText = 255;
// Element counts and row counts are 16-bit: larger ranges are refused before any allocation.
constexpr unsigned kMostIntermediateElements = 65535;

// Makes `intermediate` from a text (VT_BSTR) or an array of variants (VT_ARRAY|VT_VARIANT,
// the first index fastest) laid out row by row. Answers 0, or 32 for any other kind, a text
// that cannot be converted or a range too large, E_FAIL when the elements cannot be
// allocated, or SafeArrayAccessData's failure; nothing is left allocated on failure.
int MakeIntermediateValue(const VARIANT* value, XLOPER* intermediate);

// Releases what MakeIntermediateValue allocated; anything else is left alone.
void FreeIntermediateValue(XLOPER* intermediate);
