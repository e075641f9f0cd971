// How the emulated Excel carries out xlCoerce.
//
// Rules where the add-in interface leaves them to the host (chosen to behave like Excel):
//  - References (xltypeSRef on the calling sheet, xltypeRef with one area on any sheet) are
//    read first: one cell gives its value, an empty cell xltypeNil; several cells an array.
//    A reference with several areas, or to a sheet that does not exist, cannot be coerced.
//  - Number: numbers and integers as they are, TRUE 1 and FALSE 0, an empty cell 0, a text
//    only when the whole text (blanks around it allowed) reads as a decimal number.
//  - Integer: the number as above, cut toward zero, and only within -32768..32767.
//  - Text: numbers as the General format shows them (up to 15 significant digits),
//    TRUE/FALSE, an empty cell as "", texts as they are.
//  - Boolean: numbers (non-zero is TRUE), the texts TRUE and FALSE in any case, empty FALSE.
//  - Array: a scalar becomes a 1x1 array; several cells or an array stay as they are.
//  - A scalar is never taken from several values: a multi-cell reference or an array of more
//    than one element does not coerce to a number, integer, text or boolean.
//  - Errors and missing arguments coerce to nothing but themselves.
//  - The type record may name several types (bits): the value keeps its own type when that
//    is among them, otherwise the first that works of number, integer, text, boolean, array.
//  - A type record of type xltypeMissing (the one-argument form) only reads references.
// A coercion that cannot be made answers xlretFailed and leaves the result unwritten.
// Texts, arrays and references in a result are host-owned and go back with xlFree.
#pragma once

#include <string>

#include "xloper.h"

namespace xlhost {

int CoerceValue(const XLOPER* source, const XLOPER* wanted, XLOPER* result);

// A number as the General format shows it: "12", "0.1", "1E+20".
std::string FormatGeneral(double number);

// Reads a whole text as a decimal number; false when it is not one.
bool ParseNumber(const std::string& text, double* number);

}  // namespace xlhost
