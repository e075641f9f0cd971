// Byte buffers of the help file: texts, and the packed numbers of paragraph records.
#pragma once

#include <cstdint>
#include <string>

#include "../little_endian.h"

// The text and its terminating zero.
void PutText(Bytes& out, const std::string& text);

// Packed numbers of paragraph records: a short value takes half the room. The lowest bit of
// the first byte says which form follows; the value is stored doubled (and biased when signed).
void PutPackedUnsigned16(Bytes& out, unsigned value);  // 1 byte below 128, else 2
void PutPackedSigned16(Bytes& out, int value);         // 1 byte from -64 to 63, else 2
void PutPackedSigned32(Bytes& out, long value);        // 2 bytes from -16384 to 16383, else 4
