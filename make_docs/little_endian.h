// Little-endian fields as the help files, the compound file and the BIFF records store them: appended to a byte buffer, or written in place.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

using Bytes = std::vector<uint8_t>;

// In place, at `at`.
inline void PutWordAt(uint8_t* at, uint16_t value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

inline void PutDwordAt(uint8_t* at, uint32_t value) {
    PutWordAt(at, static_cast<uint16_t>(value));
    PutWordAt(at + 2, static_cast<uint16_t>(value >> 16));
}

// Appended to `out`: bytes; 8, 16, 32 and 64 bits (a wider value keeps its low bits); a double.
inline void PutByte(Bytes& out, unsigned value) { out.push_back(static_cast<uint8_t>(value)); }

inline void PutBytes(Bytes& out, const Bytes& bytes) { out.insert(out.end(), bytes.begin(), bytes.end()); }

inline void PutWord(Bytes& out, unsigned value) {
    out.resize(out.size() + 2);
    PutWordAt(&out[out.size() - 2], static_cast<uint16_t>(value));
}

inline void PutDword(Bytes& out, uint32_t value) {
    out.resize(out.size() + 4);
    PutDwordAt(&out[out.size() - 4], value);
}

inline void PutQword(Bytes& out, uint64_t value) {
    PutDword(out, static_cast<uint32_t>(value));
    PutDword(out, static_cast<uint32_t>(value >> 32));
}

inline void PutDouble(Bytes& out, double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    PutQword(out, bits);
}
