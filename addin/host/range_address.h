// The texts that name a referenced range to the host's automation model: "a1:b2" and "[book]sheet" split.
#pragma once

#include "xloper.h"

// Room for the longest address, "iv65536:iv65536", and its zero.
constexpr int kRangeAddressSize = 16;
// Room for a book or sheet name taken from a counted sheet name, and its zero.
constexpr int kSheetPartSize = 256;

// Writes the rectangle as lower-case column letters and rows counted from 1, always as a
// range ("a1:a1" for one cell); answers the number of characters.
int FormatRangeAddress(const XLREF& area, char (&address)[kRangeAddressSize]);

// Splits a counted "[book]sheet" at its first "]" searched from the second character: the
// book is what lies between the first character and that bracket, the sheet all after it.
// False, with both names empty, when there is no such bracket.
bool SplitSheetName(const char* counted, char (&book)[kSheetPartSize], char (&sheet)[kSheetPartSize]);
