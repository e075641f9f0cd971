// The level of a volume: the lowest height at which a tank, as its volume function computes it, holds that volume.
#include "tank_level.h"

#include <cstring>

uint64_t HeightBits(double height) {
    uint64_t bits;
    std::memcpy(&bits, &height, sizeof bits);
    return bits;
}

double HeightOfBits(uint64_t bits) {
    double height;
    std::memcpy(&height, &bits, sizeof height);
    return height;
}
