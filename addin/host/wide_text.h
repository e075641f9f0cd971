// Counted texts between the add-in's ANSI code page and the UTF-16 of XLOPER12 records.
#pragma once

#include "xloper12.h"

// Room for any counted ANSI text: the length byte, 255 characters and a terminator.
constexpr int kCountedTextRoom = 257;

// Writes the counted ANSI text `counted` into `wide` as a counted UTF-16 text (element 0 the
// length), converted through the ANSI code page and terminated; `room` elements at most, so a
// longer text is cut.
void WidenCountedText(const char* counted, XCHAR* wide, int room);

// Writes the counted UTF-16 text `wide` into `counted` as a counted ANSI text, terminated.
// False when it cannot be one: longer than 255 bytes in the ANSI code page, or holding a
// character the code page lacks (which is never taken for another one).
bool NarrowCountedText(const XCHAR* wide, char (&counted)[kCountedTextRoom]);
