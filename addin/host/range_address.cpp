// The texts that name a referenced range to the host's automation model: "a1:b2" and "[book]sheet" split.
#include "range_address.h"

#include <cstdio>
#include <cstring>

namespace {

// Column 0 is "a", 25 "z", 26 "aa", 255 "iv": a leading letter only from the 27th column on.
int FormatCorner(char* out, size_t room, BYTE column, unsigned row, const char* format) {
    int written = 0;
    if (column >= 26) out[written++] = char(0x60 + column / 26);
    return written + std::snprintf(out + written, room - size_t(written), format, char(0x61 + column % 26), row);
}

}  // namespace

int FormatRangeAddress(const XLREF& area, char (&address)[kRangeAddressSize]) {
    int length = FormatCorner(address, sizeof address, area.colFirst, area.rwFirst + 1u, "%c%u:");
    return length + FormatCorner(address + length, sizeof address - size_t(length), area.colLast, area.rwLast + 1u,
                                 "%c%u");
}

bool SplitSheetName(const char* counted, char (&book)[kSheetPartSize], char (&sheet)[kSheetPartSize]) {
    book[0] = sheet[0] = 0;
    size_t length = static_cast<unsigned char>(counted[0]);
    const char* text = counted + 1;
    const void* found = length > 1 ? std::memchr(text + 1, ']', length - 1) : nullptr;
    if (!found) return false;
    size_t bracket = size_t(static_cast<const char*>(found) - text);
    std::memcpy(book, text + 1, bracket - 1);
    book[bracket - 1] = 0;
    std::memcpy(sheet, text + bracket + 1, length - bracket - 1);
    sheet[length - bracket - 1] = 0;
    return true;
}
