// Turns fuzz input into argument records of every kind and into the cells of the emulated Excel's grid.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "xlapi/xloper.h"

namespace export_fuzz {

// The grid the decoded references mostly point into, on the calling sheet and on a second one.
constexpr int kGridRows = 16;
constexpr int kGridColumns = 8;

// Hands out the input's bytes as the decoder's building blocks. Past the end it reads zeros,
// so every record is complete however short the input.
class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool Exhausted() const { return position_ >= size_; }
    uint8_t Byte();
    uint16_t Word();
    uint32_t Dword();
    // Numbers worth trying (NaN, infinities, denormals, -0, the edges of the 16-bit range and
    // of the double range, small whole numbers that are unit indexes) or any 64 bits.
    double Number();
    // A text a worksheet might hold: a label or name the add-in knows, in any letter case, or
    // 0 to 255 bytes of anything.
    std::string Text();

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};

// The blocks the decoded records point to, each allocated at its exact size so that a read
// past one is caught; all freed together when the arena goes.
class RecordArena {
public:
    RecordArena() = default;
    RecordArena(const RecordArena&) = delete;
    RecordArena& operator=(const RecordArena&) = delete;
    ~RecordArena();

    XLOPER* Records(size_t count);
    char* CountedText(const std::string& text);  // length byte and characters, no zero after them
    XLMREF* AreaList(WORD count);                // the count word and exactly `count` areas

private:
    void* Allocate(size_t bytes);
    std::vector<void*> blocks_;
};

// One argument record as Excel hands it to a worksheet function, or as hostile as the add-in
// must still survive (see the decoder for what is left out and why).
XLOPER DecodeArgument(ByteReader& in, RecordArena& arena);

// Fills cells of the grid on the calling sheet and on a second sheet it adds.
void FillGrid(ByteReader& in);

}  // namespace export_fuzz
