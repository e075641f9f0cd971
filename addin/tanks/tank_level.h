// The level of a volume: the lowest height at which a tank, as its volume function computes it, holds that volume.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "tank_volumes.h"

// Heights as integers: the bit patterns of the doubles from +0 upward count up with their
// values, one for each double, so that halving the distance between two patterns halves the
// number of doubles between two heights, whatever their size.
uint64_t HeightBits(double height);
double HeightOfBits(uint64_t bits);

// The first guess's regula falsi steps; how many doubles either side of the guess its two probes
// lie; how many doubles the answer is checked against below and above (see below).
constexpr int kLevelGuessSteps = 12;
constexpr uint64_t kLevelProbeDistance = 4;
constexpr int kLevelLookAround = 8;

// The lowest double h with volumeAt(h) >= target, for volumeAt(0) = 0 < target <= full =
// volumeAt(top). volumeAt is the tank's volume as computed, rounding and all. The search relies
// on nothing but the bracket volumeAt(low) < target <= volumeAt(high), which every step keeps,
// so it stays sound where the volume is flat (whole runs of heights with one volume, near empty
// and full) and where it jumps (the seam of the Simpson caps):
//   1. A first guess by regula falsi in the Illinois variant, at most kLevelGuessSteps steps,
//      ending when the interpolated height is no longer inside the bracket.
//   2. Two probes, kLevelProbeDistance doubles below and above the guess: a good guess is then
//      bracketed by a few doubles.
//   3. Bisection of the bracket in the heights' bit patterns: at most 63 halvings from [0, top],
//      two or three after a good guess, ending with two adjacent doubles.
// Where the volume rises with the height, that is the answer. Where its rounding steps back a
// unit in the last place now and then (the Simpson caps, a tank that narrows upward), a few
// doubles below the bracket may hold the target as well, and the lowest height holding it may
// hold a unit more than the target while one a little higher holds the target exactly:
//   4. The kLevelLookAround doubles below the answer (counted from the lowest that holds the
//      target, 8 * kLevelLookAround in all at most) are looked at, and the lowest that holds the
//      target is kept.
//   5. If it holds more than the target, the first of the kLevelLookAround doubles above it that
//      holds exactly the target is the answer, so that volume, level, volume gives the volume back.
// Typically 20 to 40 volumes in all, at most 2 + kLevelGuessSteps + 63 + 9 * kLevelLookAround + 1.
template <class VolumeAt>
double LowestHeightHolding(double target, double top, double full, VolumeAt volumeAt) {
    double low = 0, high = top;
    // Each end's volume less the target, the Illinois step halving the one kept twice running.
    long double lowExcess = -static_cast<long double>(target), highExcess = static_cast<long double>(full) - target;
    auto keep = [&](double height, double volume) {
        if (volume >= target) {
            high = height;
            highExcess = static_cast<long double>(volume) - target;
            return true;
        }
        low = height;
        lowExcess = static_cast<long double>(volume) - target;
        return false;
    };

    double guess = 0;
    int lastMoved = 0;  // +1 when the last step moved the high end, -1 the low end
    for (int step = 0; step < kLevelGuessSteps; ++step) {
        double height = static_cast<double>(low + (high - static_cast<long double>(low)) * (-lowExcess / (highExcess - lowExcess)));
        if (!(height > low && height < high)) break;
        guess = height;
        int moved = keep(height, volumeAt(height)) ? 1 : -1;
        if (moved == lastMoved) {
            if (moved > 0) lowExcess /= 2;
            else highExcess /= 2;
        }
        lastMoved = moved;
    }

    if (guess > 0) {
        uint64_t center = HeightBits(guess);
        for (uint64_t probe : {center - kLevelProbeDistance, center + kLevelProbeDistance}) {
            // A probe outside the bracket (or wrapped below 0) would tell nothing new.
            if (probe > HeightBits(low) && probe < HeightBits(high)) {
                double height = HeightOfBits(probe);
                keep(height, volumeAt(height));
            }
        }
    }

    while (HeightBits(high) - HeightBits(low) > 1) {
        double height = HeightOfBits(HeightBits(low) + (HeightBits(high) - HeightBits(low)) / 2);
        keep(height, volumeAt(height));
    }

    // Where the volume only wobbles about the target over a long run of heights (the flat top of
    // a cone), every few doubles below may hold it again: the walk stops after a few times
    // kLevelLookAround doubles in all, so that no call runs long.
    uint64_t below = HeightBits(high);
    for (int misses = 0, steps = 0; misses < kLevelLookAround && steps < 8 * kLevelLookAround && below > 0; ++steps) {
        double height = HeightOfBits(--below);
        if (volumeAt(height) >= target) {
            high = height;
            misses = 0;
        } else {
            ++misses;
        }
    }
    if (volumeAt(high) > target) {
        uint64_t above = HeightBits(high);
        for (int i = 0; i < kLevelLookAround && above < HeightBits(top); ++i) {
            double height = HeightOfBits(++above);
            if (volumeAt(height) == target) return height;
        }
    }
    return high;
}

// The level of the volume numbers[0] in the tank whose dimensions follow it: the smallest double
// height at which the shape's volume reaches it (LowestHeightHolding), 0 for an empty tank and
// the top for a full one. False when the shape refuses the dimensions, the full tank's volume is
// no finite number, or the volume is below 0, above the full tank or not a number.
template <size_t N>
bool LevelOfVolume(const TankShape<N>& shape, const double (&numbers)[N], double* level) {
    double tank[N];
    for (size_t i = 0; i < N; ++i) tank[i] = numbers[i];
    double volume = numbers[0];
    double top = shape.top(numbers);
    tank[0] = top;
    double full;
    if (!shape.volume(tank, &full) || !std::isfinite(full) || !(volume >= 0 && volume <= full)) return false;
    // An empty tank is empty from the bottom up; a tank that holds nothing at all (a zero
    // radius) is at 0 as well, not at its top.
    if (volume == 0) {
        *level = 0;
    } else if (volume == full) {
        *level = top;
    } else {
        *level = LowestHeightHolding(volume, top, full, [&tank, &shape](double height) {
            tank[0] = height;
            double held;
            shape.volume(tank, &held);
            return held;
        });
    }
    return true;
}
