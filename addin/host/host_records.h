// The add-in's words for host value records: the answers it returns to the host.
#pragma once

#include "counted_text.h"
#include "xloper.h"

// A text answer and its load buffer in one heap block, flagged for xlAutoFree.
struct OwnedTextRecord {
    XLOPER record;
    char buffer[kLoadBufferSize];
};

// Makes an OwnedTextRecord holding string `id`; nullptr when the heap cannot supply it.
XLOPER* MakeOwnedTextRecord(HINSTANCE instance, UINT id);
