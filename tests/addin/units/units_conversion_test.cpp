// The conversion functions: known figures, the order in which argument errors win, hostile arguments.
#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

#include "addin/host/addin_syscalls.h"
#include "addin/units/conversion.h"
#include "syscall_swap.h"
#include "units_test_support.h"

namespace {

using namespace units_test;

using ConversionTest = UnitsTest;

// Figures worked out by hand from the factor and temperature tables: they pin down the
// order of the operations (quotient first, 80-bit) and the stored Fahrenheit value.
TEST_F(ConversionTest, KnownFiguresComeOutBitForBit) {
    CountedText inches("INCHES"), feetMixed("Feet"), meters("meters"), feet("feet"), inchesLower("inches");
    CountedText rods("square rods"), poles("square poles"), degC("deg. C"), degF("deg. F"), kelvin("Kelvin");
    struct Row {
        const char* what;
        CvtFunction convert;
        XLOPER value, units, newUnits;
        double expected;
        const char* label;
    };
    const Row rows[] = {
        {"12 INCHES to Feet", CvtLength, Num(12), inches.Record(), feetMixed.Record(), 0.9999999999999999, "feet"},
        {"1 meters to feet", CvtLength, Num(1), meters.Record(), feet.Record(), 3.280839895013123, "feet"},
        {"1 by index 1 to 8", CvtLength, Num(1), Int(1), Int(8), 3.280839895013123, "feet"},
        {"1 feet to inches", CvtLength, Num(1), feet.Record(), inchesLower.Record(), 12.000000000000002, "inches"},
        {"5 square rods to square poles", CvtArea, Num(5), rods.Record(), poles.Record(), 5.0, "square poles"},
        {"100 deg. C to deg. F", CvtTemperature, Num(100), degC.Record(), degF.Record(), 212.0, "deg. F"},
        {"0 by index 1 to 2", CvtTemperature, Num(0), Int(1), Int(2), 273.15, "Kelvin"},
        {"273.15 Kelvin to deg. C", CvtTemperature, Num(273.15), kelvin.Record(), degC.Record(), -2.565848768022584e-14, "deg. C"},
        {"40 by index 3 to 3", CvtTemperature, Num(40), Int(3), Int(3), 40.0, "deg. F"},
    };
    for (const Row& row : rows) {
        Answer answer = CallAsExcel(row.convert, row.value, row.units, row.newUnits);
        ASSERT_TRUE(answer.shapeProblem.empty()) << row.what << ": " << answer.shapeProblem;
        ASSERT_FALSE(answer.isError) << row.what << ": error " << answer.err;
        EXPECT_EQ(Bits(answer.number), Bits(row.expected)) << row.what << ": got " << std::hexfloat << answer.number
                                                           << ", expected " << row.expected;
        EXPECT_EQ(answer.label, row.label) << row.what;
    }
}

// The first failing argument decides, and "at once" means the arguments after it are not

// Thermal conductivity against physics worked out separately: 1 W/(m K) is 0.001 kW/(m K),
// 1/4.184 cal/(s cm K) / 100, 1/4184 kcal/(s m K) and 3600/4184 kcal/(h m K).
TEST_F(ConversionTest, ThermalConductivityAgreesWithPhysicalConstants) {
    struct Row {
        const char* what;
        double value;
        short from, to;
        double expected, tolerance;  // tolerance 0: bit for bit
    };
    const Row rows[] = {
        {"1 W/m-K in kW/m-K", 1, 2, 1, 0.001, 0},
        {"1 W/m-K in cal/cm-s-C", 1, 2, 4, 0.002390057361376673, 0},
        {"1 W/m-K in kcal/m-s-C", 1, 2, 5, 0.0002390057361376673, 0},
        {"1 W/m-K in kcal/m-h-C", 1, 2, 6, 0.86042065, 0},
        {"1 kW/m-K in W/m-K", 1, 1, 2, 1000, 0},
        {"1 kcal/m-s-C in W/m-K", 1, 5, 2, 4184, 1e-15},
        {"1 kcal/m-s-C in kcal/m-h-C", 1, 5, 6, 3600, 1e-9},
        {"1 cal/cm-s-C in kcal/m-s-C", 1, 4, 5, 0.1, 1e-15},
        {"1 kcal/m-h-C in W/m-K", 1, 6, 2, 4184.0 / 3600, 1e-9},
        {"1 W/m-K in BTU/ft-h-F", 1, 2, 3, 0.5777892051642799, 0},
    };
    for (const Row& row : rows) {
        Answer answer = CallAsExcel(CvtThermCond, Num(row.value), Int(row.from), Int(row.to));
        ASSERT_TRUE(answer.shapeProblem.empty() && !answer.isError) << row.what;
        if (row.tolerance == 0) {
            EXPECT_EQ(Bits(answer.number), Bits(row.expected)) << row.what << ": got " << answer.number;
        } else {
            EXPECT_NEAR(answer.number / row.expected, 1, row.tolerance) << row.what << ": got " << answer.number;
        }
    }
}
// even coerced: the host's call counts show how far each call got.
TEST_F(ConversionTest, ErrorPrecedenceFollowsTheArgumentOrder) {
    CountedText abc("abc"), furlong("furlong"), feet("feet"), meter("meter"), blankMeters(" meters"), inch("inch");
    struct Row {
        const char* what;
        XLOPER value, units, newUnits;
        WORD expected;
        size_t coercions, frees;
    };
    const Row rows[] = {
        {"text value", abc.Record(), Int(99), Int(99), xlerrValue, 1, 0},
        {"error value", Err(xlhost::xlerrDiv0), feet.Record(), feet.Record(), xlerrValue, 1, 0},
        {"missing value", Missing(), feet.Record(), feet.Record(), xlerrValue, 1, 0},
        {"units index 0", Num(1), Int(0), Int(1), xlerrValue, 2, 0},
        {"units index 18 of 17", Num(1), Int(18), Int(1), xlerrValue, 2, 0},
        {"units index -1", Num(1), Int(-1), feet.Record(), xlerrValue, 2, 0},
        {"units neither integer nor text", Num(1), Err(xlhost::xlerrNA), Int(99), xlerrName, 3, 0},
        {"unknown label, then index 99", Num(1), furlong.Record(), Int(99), xlerrValue, 4, 1},
        {"unknown label, then index 1", Num(1), furlong.Record(), Int(1), xlerrName, 4, 1},
        {"unknown label, then unknown label", Num(1), furlong.Record(), inch.Record(), xlerrName, 5, 2},
        {"unknown label, then error", Num(1), furlong.Record(), Err(xlerrValue), xlerrName, 5, 1},
        {"resolved, then index 0", Num(1), feet.Record(), Int(0), xlerrValue, 4, 1},
        {"resolved, then error", Num(1), feet.Record(), Err(xlerrName), xlerrName, 5, 1},
        {"resolved, then unknown label", Num(1), feet.Record(), meter.Record(), xlerrName, 5, 2},
        {"leading blank is no label", Num(1), blankMeters.Record(), feet.Record(), xlerrName, 5, 2},
    };
    for (const Row& row : rows) {
        xlhost::StartEmulatedExcel();
        Answer answer = CallAsExcel(CvtLength, row.value, row.units, row.newUnits);
        EXPECT_TRUE(answer.isError) << row.what;
        EXPECT_EQ(answer.err, row.expected) << row.what;
        EXPECT_EQ(xlhost::CallCount(xlCoerce), row.coercions) << row.what;
        EXPECT_EQ(xlhost::CallCount(xlFree), row.frees) << row.what;
        EXPECT_TRUE(xlhost::LedgerProblems().empty()) << row.what << ": a coerced text was not given back once";
    }
}

// Errors answer in static records without the free bit: one shared by the sixteen factor
// categories, one of CvtTemperature's own.
TEST_F(ConversionTest, ErrorsAnswerInTwoStaticRecords) {
    XLOPER value = Num(1), bad = Int(0), one = Int(1);
    XLOPER* length = CvtLength(&value, &bad, &one);
    XLOPER* mass = CvtMass(&value, &bad, &one);
    XLOPER* volumeFlow = CvtVolumeFlow(&value, &bad, &one);
    XLOPER* temperature = CvtTemperature(&value, &bad, &one);
    EXPECT_EQ(length, mass);
    EXPECT_EQ(length, volumeFlow);
    EXPECT_NE(length, temperature);
    for (XLOPER* record : {length, temperature}) {
        EXPECT_EQ(record->xltype, xltypeErr) << "no xlbitDLLFree on a static record";
        EXPECT_EQ(record->val.err, xlerrValue);
    }
    CountedText nothing("nothing");
    XLOPER text = nothing.Record();
    EXPECT_EQ(CvtTemperature(&value, &text, &one)->val.err, xlerrName) << "a later failure overwrites the record";
}

// Arguments Excel can pass that are not a plain number or label. Which step they take is the
// host's coercion (an empty cell reads as 0, TRUE as 1, a text of digits as a number); the
// add-in must answer #VALUE! or #NAME? and never crash, leak or read past a text.
TEST_F(ConversionTest, HostileArgumentsAnswerErrorsWithoutFaults) {
    CountedText longText(std::string(255, 'm')), empty(""), digits("8"), spaced("feet "), feet("feet");
    CountedText longestPlus("pounds(force)-sec/square foot!");
    xlhost::SetCell(xlhost::CallingSheet(), 0, 0, xlhost::CellValue::Text("feet"));
    xlhost::SetCell(xlhost::CallingSheet(), 1, 0, xlhost::CellValue::Text("inches"));
    XLOPER elements[2] = {feet.Record(), Num(1)};
    XLOPER array{};
    array.xltype = xltypeMulti;
    array.val.array = {elements, 1, 2};
    struct Row {
        const char* what;
        XLOPER value, units;
        WORD expected;      // 0: converts
        const char* label;  // of the unit `units` names, when it converts
    };
    const Row rows[] = {
        {"missing unit", Num(1), Missing(), xlerrName, nullptr},
        {"empty cell as unit is index 0", Num(1), Nil(), xlerrValue, nullptr},
        {"FALSE as unit is index 0", Num(1), Bool(false), xlerrValue, nullptr},
        {"TRUE as unit is index 1", Num(1), Bool(true), 0, "meters"},
        {"255-character text", Num(1), longText.Record(), xlerrName, nullptr},
        {"longest label and one more", Num(1), longestPlus.Record(), xlerrName, nullptr},
        {"empty text", Num(1), empty.Record(), xlerrName, nullptr},
        {"trailing blank", Num(1), spaced.Record(), xlerrName, nullptr},
        {"text of digits is an index", Num(1), digits.Record(), 0, "feet"},
        {"two-cell reference", Num(1), AreaRef(0, 1, 0, 0), xlerrName, nullptr},
        {"two-element array", Num(1), array, xlerrName, nullptr},
        {"reference to a label", Num(1), CellRef(0, 0), 0, "feet"},
        {"huge index", Num(1), Num(1e10), xlerrName, nullptr},
        {"two-cell reference as value", AreaRef(0, 1, 0, 0), Int(8), xlerrValue, nullptr},
        {"array as value", array, Int(8), xlerrValue, nullptr},
        {"empty cell as value is 0", Nil(), Int(8), 0, "feet"},
        {"TRUE as value is 1", Bool(true), Int(8), 0, "feet"},
        {"label as value", CellRef(1, 0), Int(8), xlerrValue, nullptr},
    };
    for (const Row& row : rows) {
        // The unit under test goes first, then as the second unit after a valid first one.
        XLOPER placements[][2] = {{row.units, Int(8)}, {Int(8), row.units}};
        for (int second = 0; second < 2; ++second) {
            XLOPER* units = placements[second];
            Answer answer = CallAsExcel(CvtLength, row.value, units[0], units[1]);
            ASSERT_TRUE(answer.shapeProblem.empty()) << row.what << ": " << answer.shapeProblem;
            if (row.expected) {
                EXPECT_TRUE(answer.isError && answer.err == row.expected)
                    << row.what << ": expected error " << row.expected << ", got " << answer.err << " " << answer.label;
            } else {
                EXPECT_FALSE(answer.isError) << row.what << ": error " << answer.err;
                EXPECT_EQ(answer.label, second ? row.label : "feet") << row.what;
            }
        }
        EXPECT_TRUE(xlhost::LedgerProblems().empty()) << row.what;
    }
}

// A number no cell can show (an overflow to infinity, or a NaN or infinite argument carried
// through) answers #VALUE! in the static record, as the tank functions do for a volume; every
// finite result keeps its bits, at the very edge of the double range and below its normal range.
TEST_F(ConversionTest, ResultsNoCellCanShowAnswerValueErrorAndFiniteOnesKeepTheirBits) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    CountedText miles("miles"), inches("inches"), feet("feet"), meters("meters");
    CountedText degC("deg. C"), degF("deg. F"), kelvin("Kelvin"), rankine("deg. Rankine");
    struct Row {
        const char* what;
        CvtFunction convert;
        XLOPER value, units, newUnits;
        bool finite;
        double expected;  // when finite: exactly this, or within 1e-12 relative when `approximate`
        bool approximate;
    };
    const Row rows[] = {
        {"1e308 miles in inches", CvtLength, Num(1e308), miles.Record(), inches.Record(), false, 0, false},
        {"-1e308 miles in inches", CvtLength, Num(-1e308), miles.Record(), inches.Record(), false, 0, false},
        {"largest double in feet to inches", CvtLength, Num(DBL_MAX), feet.Record(), inches.Record(), false, 0, false},
        {"NaN meters", CvtLength, Num(nan), meters.Record(), feet.Record(), false, 0, false},
        {"infinite meters", CvtLength, Num(inf), meters.Record(), feet.Record(), false, 0, false},
        {"-infinite meters to meters", CvtLength, Num(-inf), Int(1), Int(1), false, 0, false},
        {"huge deg. C in deg. F", CvtTemperature, Num(1e308), degC.Record(), degF.Record(), false, 0, false},
        {"huge negative Kelvin in deg. C", CvtTemperature, Num(-1e308), kelvin.Record(), degC.Record(), false, 0, false},
        {"NaN deg. C to deg. C", CvtTemperature, Num(nan), degC.Record(), degC.Record(), false, 0, false},
        {"infinite deg. F in Kelvin", CvtTemperature, Num(inf), degF.Record(), kelvin.Record(), false, 0, false},
        {"largest double feet to feet", CvtLength, Num(DBL_MAX), feet.Record(), feet.Record(), true, DBL_MAX, false},
        {"largest double in inches to feet", CvtLength, Num(DBL_MAX), inches.Record(), feet.Record(), true,
         DBL_MAX / 12, true},
        {"1e300 miles in inches", CvtLength, Num(1e300), miles.Record(), inches.Record(), true, 6.336e304, true},
        // The sum passes the largest double by less than half a unit of its last place.
        {"largest double deg. F in deg. Rankine", CvtTemperature, Num(DBL_MAX), degF.Record(), rankine.Record(), true,
         DBL_MAX, false},
        {"lowest double deg. Rankine in deg. F", CvtTemperature, Num(-DBL_MAX), rankine.Record(), degF.Record(), true,
         -DBL_MAX, false},
        {"1e308 deg. F in deg. C", CvtTemperature, Num(1e308), degF.Record(), degC.Record(), true, 1e308 / 1.8, true},
        {"1e-310 inches in miles", CvtLength, Num(1e-310), inches.Record(), miles.Record(), true, 1.5782828282828e-315,
         true},
        {"smallest denormal meters to meters", CvtLength, Num(DBL_TRUE_MIN), Int(1), Int(1), true, DBL_TRUE_MIN, false},
        {"-0 meters in feet stays -0", CvtLength, Num(-0.0), meters.Record(), feet.Record(), true, -0.0, false},
        {"-0 deg. C to deg. C stays -0", CvtTemperature, Num(-0.0), Int(1), Int(1), true, -0.0, false},
    };
    for (const Row& row : rows) {
        xlhost::StartEmulatedExcel();
        Answer answer = CallAsExcel(row.convert, row.value, row.units, row.newUnits);
        ASSERT_TRUE(answer.shapeProblem.empty()) << row.what << ": " << answer.shapeProblem;
        if (!row.finite) {
            EXPECT_TRUE(answer.isError && answer.err == xlerrValue)
                << row.what << ": expected #VALUE!, got " << (answer.isError ? "error " : "") << answer.number;
            EXPECT_EQ(xlhost::ReadLedger().addinBlocks, 0u) << row.what << ": an error must allocate nothing";
        } else if (row.approximate) {
            ASSERT_FALSE(answer.isError) << row.what << ": error " << answer.err;
            EXPECT_NEAR(answer.number / row.expected, 1.0, 1e-12) << row.what << ": got " << answer.number;
        } else {
            ASSERT_FALSE(answer.isError) << row.what << ": error " << answer.err;
            EXPECT_EQ(Bits(answer.number), Bits(row.expected)) << row.what << ": got " << std::hexfloat << answer.number
                                                               << ", expected " << row.expected;
        }
        EXPECT_TRUE(xlhost::LedgerProblems().empty()) << row.what;
    }
}

void* NoHeap(size_t) { return nullptr; }

// With no heap for the result block there is no result to show: #VALUE!, and the texts the
// host lent are still given back.
TEST_F(ConversionTest, AnEmptyHeapAnswersValueErrorAndStillReleasesTheTexts) {
    SyscallSwap<AddinSyscalls> noHeap(g_addinSyscalls);
    noHeap.Use(&AddinSyscalls::malloc, NoHeap);
    CountedText meters("meters"), feet("feet"), degC("deg. C"), kelvin("Kelvin");
    Answer length = CallAsExcel(CvtLength, Num(1), meters.Record(), feet.Record());
    Answer temperature = CallAsExcel(CvtTemperature, Num(1), degC.Record(), kelvin.Record());
    EXPECT_TRUE(length.isError && length.err == xlerrValue) << "factor converter: " << length.shapeProblem;
    EXPECT_TRUE(temperature.isError && temperature.err == xlerrValue) << "temperature: " << temperature.shapeProblem;
    EXPECT_EQ(xlhost::CallCount(xlFree), 4u);
}

}  // namespace
