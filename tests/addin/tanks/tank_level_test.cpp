// Tank levels: each level function inverts its volume function exactly, at the flat ends and the seams too.
#include <cmath>
#include <limits>

#include "xlhost/emulated_excel_fixture.h"
#include "tank_functions.h"

namespace {

using TankLevelTest = TankTest;

struct LevelTank {
    const char* level;
    std::vector<double> dimensions;  // the arguments after the volume
    double top;
    std::vector<double> seams;  // heights where the volume's formula changes
};

// Every shape, with the tanks whose curves are flattest at an end: cones pointing down or up.
const LevelTank kTanks[] = {
    {"LevelSphere", {1.5}, 3, {1.5}},
    {"LevelVertCyl", {1.5, 4}, 4, {}},
    {"LevelVertCylSphCap", {1.5, 4, 5}, 5, {1}},
    {"LevelVertCylSphCap", {1, 10, 11}, 11, {1}},
    {"LevelVertCylSphCap", {1.5, 4, 4}, 4, {}},
    {"LevelHorzCyl", {1.5, 4}, 3, {1.5}},
    {"LevelHorzCyl", {48, 360}, 96, {48}},
    {"LevelHorzCylCap", {1.5, 4, 6}, 3, {1.5}},
    {"LevelHorzCylCap", {1, 10, 12}, 2, {1}},
    {"LevelTaperedCyl", {1, 2.5, 4}, 4, {}},
    {"LevelTaperedCyl", {2.5, 1, 4}, 4, {}},
    {"LevelTaperedCyl", {0, 2, 3}, 3, {}},
    {"LevelTaperedCyl", {2, 0, 3}, 3, {}},
};

std::vector<double> With(double first, const std::vector<double>& dimensions) {
    std::vector<double> args{first};
    args.insert(args.end(), dimensions.begin(), dimensions.end());
    return args;
}

double Number(const TankFunction& function, const std::vector<double>& args) {
    XLOPER result = CallTank(function, args);
    EXPECT_EQ(result.xltype, xltypeNum) << Describe(function, args) << " gave " << Describe(result);
    return result.val.num;
}

// Heights across the tank: a grid, a few doubles either side of each seam, and the flat ends.
std::vector<double> Heights(const LevelTank& tank) {
    std::vector<double> heights;
    for (int k = 1; k < 1000; ++k) heights.push_back(tank.top * k / 1000);
    for (double seam : tank.seams) {
        double below = seam, above = seam;
        for (int i = 0; i < 3; ++i) below = std::nextafter(below, 0), above = std::nextafter(above, tank.top);
        heights.insert(heights.end(), {below, seam, above});
    }
    for (double fraction : {1e-300, 1e-12, 1e-6, 1 - 1e-6, 1 - 1e-12})
        heights.push_back(tank.top * fraction);
    heights.push_back(std::nextafter(tank.top, 0));
    return heights;
}

// Volume, level, volume: the same volume again, and the level is the lowest height holding it.
TEST_F(TankLevelTest, TheLevelOfAVolumeIsTheLowestHeightHoldingIt) {
    for (const LevelTank& tank : kTanks) {
        const TankFunction& level = Tank(tank.level);
        const TankFunction& volume = Tank(level.volumeFunction);
        double full = Number(volume, With(tank.top, tank.dimensions));
        for (double height : Heights(tank)) {
            double held = Number(volume, With(height, tank.dimensions));
            if (held == full) continue;  // the top, whatever lower heights hold as much (below)
            double found = Number(level, With(held, tank.dimensions));
            std::string context = Describe(level, With(held, tank.dimensions)) + " = " + Describe(Num(found)) +
                                  ", the volume of height " + Describe(Num(height));
            EXPECT_EQ(Number(volume, With(found, tank.dimensions)), held) << context;
            EXPECT_LE(found, height) << context;
            if (found > 0) {
                EXPECT_LT(Number(volume, With(std::nextafter(found, 0), tank.dimensions)), held) << context;
            }
        }
    }
}

TEST_F(TankLevelTest, EmptyIsZeroFullIsTheTopAndBeyondEitherIsRefused) {
    for (const LevelTank& tank : kTanks) {
        const TankFunction& level = Tank(tank.level);
        double full = Number(Tank(level.volumeFunction), With(tank.top, tank.dimensions));
        EXPECT_EQ(Describe(CallTank(level, With(0, tank.dimensions))), "num:0") << tank.level;
        EXPECT_EQ(Describe(CallTank(level, With(-0.0, tank.dimensions))), "num:0") << tank.level;
        EXPECT_EQ(Number(level, With(full, tank.dimensions)), tank.top) << tank.level;
        for (double outside : {-std::numeric_limits<double>::denorm_min(), -1.0, std::nextafter(full, 2 * full)})
            EXPECT_TRUE(IsValueError(CallTank(level, With(outside, tank.dimensions))))
                << Describe(level, With(outside, tank.dimensions));
    }
}

TEST_F(TankLevelTest, ImpossibleTanksAreRefused) {
    for (const LevelTank& tank : kTanks) {
        const TankFunction& level = Tank(tank.level);
        for (size_t position = 0; position < tank.dimensions.size(); ++position) {
            std::vector<double> args = With(0, tank.dimensions);
            args[position + 1] = -1;
            EXPECT_TRUE(IsValueError(CallTank(level, args))) << Describe(level, args);
        }
    }
    // The shapes' own rules: caps with no room, or deeper than the radius.
    for (const std::vector<double>& args : {std::vector<double>{1, 1, 10, 10}, {1, 1, 10, 12.5}})
        EXPECT_TRUE(IsValueError(CallTank(Tank("LevelHorzCylCap"), args))) << Describe(Tank("LevelHorzCylCap"), args);
    for (const std::vector<double>& args : {std::vector<double>{1, 1, 10, 9}, {1, 1, 10, 11.5}})
        EXPECT_TRUE(IsValueError(CallTank(Tank("LevelVertCylSphCap"), args))) << Describe(Tank("LevelVertCylSphCap"), args);
    // A tank with no room holds nothing above 0.
    EXPECT_TRUE(IsValueError(CallTank(Tank("LevelHorzCyl"), std::vector<double>{1e-300, 0, 10})));
}

}  // namespace
