// Tank volumes: known volumes, shape rules, height clamping and unit scaling of the six functions.
#include <cmath>
#include <limits>

#include "addin/tanks/ellip_caps.h"
#include "addin/tanks/tank_shapes.h"
#include "xlhost/emulated_excel_fixture.h"
#include "tank_functions.h"

namespace {

using TankVolumeTest = TankTest;

struct VolumeRow {
    const char* function;
    std::vector<double> args;
    double volume;
};

// Agreement to 12 significant digits; the formulas reproduce these far more closely.
constexpr double kRelativeTolerance = 5e-13;

TEST_F(TankVolumeTest, KnownVolumes) {
    const VolumeRow rows[] = {
        // Sphere: half full, clamped to the diameter, below the bottom, a quarter and three quarters up.
        {"VolSphere", {1, 1}, 2.094395102666667},
        {"VolSphere", {2, 1}, 4.1887902053333335},
        {"VolSphere", {3, 1}, 4.1887902053333335},
        {"VolSphere", {-1, 1}, 0},
        {"VolSphere", {0.5, 1}, 0.6544984695833334},
        {"VolSphere", {1.5, 1}, 3.53429173575},
        {"VolVertCyl", {2, 1, 3}, 6.283185308},
        {"VolVertCyl", {5, 1, 3}, 9.424777962},
        {"VolVertCyl", {-1, 1, 3}, 0},
        // Half full: the arc cosine's own pi. Full: the ten-decimal pi.
        {"VolHorzCyl", {1, 1, 10}, 15.70796326794897},
        {"VolHorzCyl", {2, 1, 10}, 31.41592654},
        {"VolHorzCyl", {3, 1, 10}, 31.41592654},
        {"VolHorzCyl", {0.5, 1, 10}, 6.141848493043787},
        {"VolHorzCyl", {1.5, 1, 10}, 25.27407804695621},
        {"VolHorzCylCap", {1, 1, 10, 11}, 16.75516081914556},
        {"VolHorzCylCap", {2, 1, 10, 11}, 33.51032164266667},
        {"VolHorzCylCap", {0.5, 1, 10, 11}, 6.469099507230431},
        {"VolHorzCylCap", {1.5, 1, 10, 11}, 27.04122213543624},
        {"VolHorzCylCap", {0, 1, 10, 11}, 0},
        {"VolHorzCylCap", {1, 1, 10, 12}, 17.80235837034216},  // caps exactly as deep as the radius
        {"VolVertCylSphCap", {0.5, 1, 10, 10.5}, 0.8508480104583334},
        {"VolVertCylSphCap", {3, 1, 10, 10.5}, 8.704829645458334},
        {"VolVertCylSphCap", {20, 1, 10, 10.5}, 32.26677455045834},
        {"VolVertCylSphCap", {1, 1, 10, 11}, 2.094395102666667},  // hemispherical cap
        {"VolVertCylSphCap", {5, 1, 10, 10}, 15.70796327},        // flat bottom
        {"VolTaperedCyl", {10, 1, 2, 10}, 73.30382859333334},
        {"VolTaperedCyl", {5, 1, 2, 10}, 24.87094184416667},
        {"VolTaperedCyl", {20, 1, 2, 10}, 73.30382859333334},
        {"VolTaperedCyl", {5, 2, 1, 10}, 48.43288674916667},
        {"VolTaperedCyl", {-3, 1, 2, 10}, 0},
    };
    for (const VolumeRow& row : rows) {
        const TankFunction& function = Tank(row.function);
        XLOPER result = CallTank(function, row.args);
        std::string call = Describe(function, row.args);
        ASSERT_EQ(result.xltype, xltypeNum) << call << " gave " << Describe(result);
        if (row.volume == 0) {
            EXPECT_EQ(result.val.num, 0.0) << call;
        } else {
            EXPECT_LE(std::fabs(result.val.num - row.volume), kRelativeTolerance * row.volume)
                << call << " gave " << Describe(result) << ", expected " << row.volume;
        }
    }
}

TEST_F(TankVolumeTest, CappedShapesRejectImpossibleCapsAtEveryHeight) {
    struct Row {
        const char* function;
        double radius, cylLength, maxLength;
        bool accepted;
        const char* why;
    };
    const Row rows[] = {
        {"VolHorzCylCap", 1, 10, 10, false, "no room for caps"},
        {"VolHorzCylCap", 1, 10, 9, false, "total length below the cylinder"},
        {"VolHorzCylCap", 1, 10, 12.0000001, false, "caps deeper than the radius"},
        {"VolHorzCylCap", 1, 10, 12, true, "caps exactly as deep as the radius"},
        {"VolHorzCylCap", 0, 10, 11, false, "zero radius"},
        {"VolHorzCylCap", -1, 10, 11, false, "negative radius"},
        {"VolVertCylSphCap", 1, 10, 9, false, "total height below the cylinder"},
        {"VolVertCylSphCap", 1, 10, 11.5, false, "cap taller than a hemisphere"},
        {"VolVertCylSphCap", 1, 10, 11, true, "hemispherical cap"},
        {"VolVertCylSphCap", 1, 10, 10, true, "flat bottom"},
        {"VolVertCylSphCap", -1, 10, 10, false, "negative radius"},
    };
    for (const Row& row : rows) {
        for (double height : {-1.0, 0.0, 0.5, 1.0, 10.5, 100.0}) {
            std::vector<double> args{height, row.radius, row.cylLength, row.maxLength};
            XLOPER result = CallTank(Tank(row.function), args);
            std::string context = Describe(Tank(row.function), args) + " (" + row.why + ") gave " + Describe(result);
            if (row.accepted) {
                EXPECT_EQ(result.xltype, xltypeNum) << context;
            } else {
                EXPECT_TRUE(IsValueError(result)) << context;
            }
        }
    }
}

// Tanks of each shape with their top: heights above it read as the top, below 0 as 0.
struct ShapeRow {
    const char* function;
    std::vector<double> dimensions;  // the arguments after the height
    double top;
};
const ShapeRow kShapes[] = {
    {"VolSphere", {1.5}, 3},
    {"VolVertCyl", {1.5, 4}, 4},
    {"VolVertCylSphCap", {1.5, 4, 5}, 5},
    {"VolVertCylSphCap", {1.5, 4, 4}, 4},
    {"VolHorzCyl", {1.5, 4}, 3},
    {"VolHorzCylCap", {1.5, 4, 6}, 3},
    {"VolTaperedCyl", {1, 2.5, 4}, 4},
    {"VolTaperedCyl", {2.5, 1, 4}, 4},
};

std::vector<double> WithHeight(double height, const std::vector<double>& dimensions) {
    std::vector<double> args{height};
    args.insert(args.end(), dimensions.begin(), dimensions.end());
    return args;
}

TEST_F(TankVolumeTest, HeightsOutsideTheTankAreClampedToItsTopAndBottom) {
    for (const ShapeRow& shape : kShapes) {
        const TankFunction& function = Tank(shape.function);
        XLOPER full = CallTank(function, WithHeight(shape.top, shape.dimensions));
        ASSERT_EQ(full.xltype, xltypeNum) << Describe(function, WithHeight(shape.top, shape.dimensions));
        EXPECT_GT(full.val.num, 0) << shape.function;
        for (double above : {std::nextafter(shape.top, 1e9), shape.top + 1, shape.top * 1e6, 1e300}) {
            std::vector<double> args = WithHeight(above, shape.dimensions);
            XLOPER result = CallTank(function, args);
            EXPECT_EQ(Describe(result), Describe(full)) << Describe(function, args) << " must read as the full tank";
        }
        for (double below : {0.0, -0.0, -1e-300, -1.0, -1e300}) {
            std::vector<double> args = WithHeight(below, shape.dimensions);
            XLOPER result = CallTank(function, args);
            EXPECT_EQ(Describe(result), "num:0") << Describe(function, args) << " must hold nothing";
        }
        // Volume grows with the height inside the tank.
        double previous = 0;
        for (int step = 1; step <= 40; ++step) {
            std::vector<double> args = WithHeight(shape.top * step / 40, shape.dimensions);
            XLOPER result = CallTank(function, args);
            ASSERT_EQ(result.xltype, xltypeNum) << Describe(function, args);
            EXPECT_GT(result.val.num, previous) << Describe(function, args);
            previous = result.val.num;
        }
    }
}

TEST_F(TankVolumeTest, ANegativeDimensionInAnyPositionIsRefused) {
    // No tank has a negative radius or length; the formulas would make up a volume for one
    // (a negative one, or that of the tank with the sign dropped).
    const VolumeRow rows[] = {
        {"VolHorzCyl", {1, 1, -10}, 0},      {"VolVertCyl", {5, -1, 10}, 0},
        {"VolHorzCyl", {0, -1, 10}, 0},      {"VolVertCyl", {5, 1, -3}, 0},
        {"VolTaperedCyl", {5, 1, 2, -3}, 0}, {"VolVertCylSphCap", {-5, 1, -4, -3.5}, 0},
        {"VolSphere", {0.5, -1}, 0},
    };
    for (const VolumeRow& row : rows)
        EXPECT_TRUE(IsValueError(CallTank(Tank(row.function), row.args))) << Describe(Tank(row.function), row.args);
    for (const ShapeRow& shape : kShapes) {
        const TankFunction& function = Tank(shape.function);
        for (size_t position = 0; position < shape.dimensions.size(); ++position) {
            for (double negative : {-1.0, -std::numeric_limits<double>::denorm_min()}) {
                std::vector<double> args = WithHeight(shape.top / 2, shape.dimensions);
                args[position + 1] = negative;
                EXPECT_TRUE(IsValueError(CallTank(function, args))) << Describe(function, args);
            }
        }
    }
}

TEST_F(TankVolumeTest, TwelveTimesEveryLengthGives1728TimesTheVolume) {
    for (const ShapeRow& shape : kShapes) {
        const TankFunction& function = Tank(shape.function);
        for (double fraction : {-0.5, 0.0, 0.05, 0.3, 0.5, 0.77, 1.0, 2.0}) {
            std::vector<double> args = WithHeight(shape.top * fraction, shape.dimensions);
            std::vector<double> scaled;
            for (double length : args) scaled.push_back(length * 12);
            XLOPER small = CallTank(function, args);
            XLOPER large = CallTank(function, scaled);
            ASSERT_EQ(small.xltype, xltypeNum) << Describe(function, args);
            ASSERT_EQ(large.xltype, xltypeNum) << Describe(function, scaled);
            EXPECT_LE(std::fabs(large.val.num - 1728 * small.val.num), 1e-13 * 1728 * small.val.num)
                << Describe(function, scaled) << " = " << large.val.num << " vs 1728 x " << small.val.num;
        }
    }
}

// Nearly empty tanks take the arc cosine of a ratio next to 1 and then cancel, so a runtime
// whose acos or sin is a little off changes the last digits. These are the volumes every
// target must answer, bit for bit: the formulas worked out step by step in exact rationals,
// each unstored step rounded to 64 bits and each stored value to 53, with the arctangent and
// sine correctly rounded (from mpmath at 300 bits). The row of 0x1.b97d9p-5 was once made
// with an x87 fsin one unit too high; the exact sine gives ...f3p-3.
TEST_F(TankVolumeTest, NearlyEmptyTanksGiveTheSameBitsOnEveryTarget) {
    struct Row {
        double height, radius, lengthOrCapDepth, volume;
    };
    const Row segments[] = {
        {0x1.5d167cp-19, 0x1.b7bp+6, 0x1p+0, 0x1.64287cfff30ebp-24},
        {0x1.ee625p-22, 0x1.33fp+6, 0x1p+0, 0x1.633508faeac93p-28},
        {0x1.3ff7f4p-26, 0x1.775p+6, 0x1p+0, 0x1.985bb1da3ab69p-35},
        {0x1.5798ee2308c3ap-27, 0x1p+0, 0x1.4p+3, 0x1.4bb8b057cap-36},
        {0x1.0c6f7a0b5ed8dp-20, 0x1.cp+1, 0x1.cp+2, 0x1.a83bf195d2dap-26},
        {0x1.a36e2eb1c432dp-16, 0x1.8p+3, 0x1.4p+5, 0x1.11f880159f7b8p-15},
        {0x1.b97d9p-5, 0x1.08bp+6, 0x1p+0, 0x1.88f97d0dcc2f3p-3},
        {0x1.fffffe5280d65p+0, 0x1p+0, 0x1.4p+3, 0x1.f6a7a29644705p+4},
    };
    for (const Row& row : segments) {
        double volume = VolHorzCylPart(row.height, row.radius, row.lengthOrCapDepth);
        EXPECT_EQ(volume, row.volume) << std::hexfloat << "VolHorzCylPart(" << row.height << ", " << row.radius
                                      << ", " << row.lengthOrCapDepth << ") gave " << volume;
    }
    const Row caps[] = {
        {0x1.1eb851eb851ecp-6, 0x1.cp+1, 0x1.cp+1, 0x1.b8a3231e7bacap-9},
        {0x1.0624dd2f1a9fcp-10, 0x1.999999999999ap-3, 0x1.3333333333333p-3, 0x1.f925c79197713p-22},
        {0x1.0c6f7a0b5ed8dp-20, 0x1p+0, 0x1p-1, 0x1.ba243565db22fp-40},
        {0x1.a36e2eb1c432dp-14, 0x1p+1, 0x1.3333333333333p-2, 0x1.43d42a789a0b8p-27},
        {0x1.3a7cfp-4, 0x1.d6dp+6, 0x1p-1, 0x1.2f5d6eae32021p-7},
    };
    for (const Row& row : caps) {
        double volume = VolEllipCaps(row.height, row.radius, row.lengthOrCapDepth);
        EXPECT_EQ(volume, row.volume) << std::hexfloat << "VolEllipCaps(" << row.height << ", " << row.radius
                                      << ", " << row.lengthOrCapDepth << ") gave " << volume;
    }
}

}  // namespace
