// Counted strings: placeholder preparation, string-table loads and comparison.
#pragma once

#include "platform.h"
#include "xloper.h"

// Every text loaded from the string table goes into a buffer of this size.
constexpr WORD kLoadBufferSize = 150;

// Turns a placeholder text (a blank standing in for the length byte, then the characters,
// then a zero) into a counted string in place. Preparing it twice changes nothing.
void PreparePlaceholder(char* text);

// Loads string `id` behind the length byte of `buffer` (cleared first) and stores the
// number of characters, at most size - 2, in the length byte. A missing id loads as "".
WORD LoadCountedString(HINSTANCE instance, UINT id, char* buffer, WORD size);

// 0 when both counted strings hold the same characters, folding only A-Z to a-z; 1 otherwise.
int CompareCountedText(const char* first, const char* second);
