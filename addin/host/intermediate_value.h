// A host value made from what the host's automation model answered: a text or an array of cell values.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "automation_status.h"
#include "xloper.h"

// Longest text a counted string holds; longer automation texts keep their first 255 characters.
constexpr int kLongestCountedText = 255;
// Element counts and row counts are 16-bit: larger ranges are refused before any allocation.
constexpr unsigned kMostIntermediateElements = 65535;

// Makes `intermediate` from a text (VT_BSTR) or an array of variants (VT_ARRAY|VT_VARIANT,
// the first index fastest) laid out row by row. Answers success; the add-in's own failure for
// any other kind, a text that cannot be converted or a range too large; or OLE's E_FAIL when
// the elements cannot be allocated, or SafeArrayAccessData's failure. Nothing is left
// allocated on failure.
AutomationStatus MakeIntermediateValue(const VARIANT* value, XLOPER* intermediate);

// Releases what MakeIntermediateValue allocated; anything else is left alone.
void FreeIntermediateValue(XLOPER* intermediate);
