// Byte buffers of the help file: texts, and the packed numbers of paragraph records.
#include "help_bytes.h"

void PutText(Bytes& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
}

void PutPackedUnsigned16(Bytes& out, unsigned value) {
    if (value < 0x80) PutByte(out, value * 2);
    else PutWord(out, value * 2 + 1);
}

void PutPackedSigned16(Bytes& out, int value) {
    if (value >= -0x40 && value < 0x40) PutByte(out, (value + 0x40) * 2);
    else PutWord(out, (value + 0x4000) * 2 + 1);
}

void PutPackedSigned32(Bytes& out, long value) {
    if (value >= -0x4000 && value < 0x4000) PutWord(out, static_cast<unsigned>((value + 0x4000) * 2));
    else PutDword(out, static_cast<uint32_t>((value + 0x40000000L) * 2 + 1));
}
