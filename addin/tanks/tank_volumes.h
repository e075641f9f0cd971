// The six tank shapes: each one's volume at a height and the height at which it is full.
#pragma once

#include <cstddef>

// A tank shape, read from the numbers of its functions' arguments: the height (or the volume)
// first, then the dimensions in the order the functions declare them.
template <size_t N>
struct TankShape {
    // The volume of material at the height numbers[0] (clamped into the tank); false when the
    // shape's own rules refuse the dimensions.
    bool (*volume)(const double (&numbers)[N], double* volume);
    // The height of the tank's top, where it is full (numbers[0] is not read).
    double (*top)(const double (&numbers)[N]);
};

extern const TankShape<2> kSphere;         // radius
extern const TankShape<3> kVertCyl;        // radius, length
extern const TankShape<4> kVertCylSphCap;  // radius, cyl_length, max_length
extern const TankShape<3> kHorzCyl;        // radius, length
extern const TankShape<4> kHorzCylCap;     // radius, cyl_length, max_length
extern const TankShape<4> kTaperedCyl;     // bottom_radius, top_radius, length
