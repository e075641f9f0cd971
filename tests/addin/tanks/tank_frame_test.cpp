// Tank volumes as worksheet functions: argument coercion, the static result record, hostile input.
#include <cfloat>
#include <cmath>
#include <limits>

#include "xlhost/emulated_excel_fixture.h"
#include "tank_functions.h"

namespace {

using xlhost::CellValue;
using TankFrameTest = TankTest;

// The volume and the level functions: one frame, the same rules for their arguments.
const std::vector<TankFunction> kFrameFunctions = [] {
    std::vector<TankFunction> functions(kTankFunctions);
    functions.insert(functions.end(), kLevelFunctions.begin(), kLevelFunctions.end());
    return functions;
}();

// Arguments every function accepts: a height (or a volume) and the first dimensions of a tank that exists.
const std::vector<double> kValidArgs = {1.5, 1, 10, 11};

std::vector<double> ValidArgs(const TankFunction& function) {
    return std::vector<double>(kValidArgs.begin(), kValidArgs.begin() + function.arity);
}

// The valid arguments as records, with the one at `position` replaced.
std::vector<XLOPER> ArgsWith(const TankFunction& function, int position, const XLOPER& replacement) {
    std::vector<XLOPER> args;
    for (double value : ValidArgs(function)) args.push_back(Num(value));
    if (position >= 0) args[position] = replacement;
    return args;
}

// Calls the function itself (not a copy of its record); a null record stands at `nullPosition`.
XLOPER* CallDirect(const TankFunction& function, std::vector<XLOPER>& args, int nullPosition = -1) {
    std::vector<XLOPER*> pointers;
    for (XLOPER& record : args) pointers.push_back(&record);
    if (nullPosition >= 0) pointers[nullPosition] = nullptr;
    pointers.resize(4, nullptr);
    return function.call(pointers.data());
}

TEST_F(TankFrameTest, StopsAtTheFirstArgumentThatIsNotANumber) {
    CountedText word("deep");
    struct Bad {
        XLOPER record;
        const char* what;
    };
    const Bad bads[] = {
        {word.Record(), "text"},
        {Err(xlhost::xlerrDiv0), "#DIV/0!"},
        {Err(xlerrName), "#NAME?"},
        {Missing(), "missing argument"},
        {AreaRef(0, 1, 0, 0), "two cells"},
    };
    for (const TankFunction& function : kFrameFunctions) {
        for (const Bad& bad : bads) {
            for (int position = 0; position < function.arity; ++position) {
                std::vector<XLOPER> args = ArgsWith(function, position, bad.record);
                size_t before = xlhost::CallCount(xlCoerce);
                XLOPER result = CallTank(function, args);
                std::string context = std::string(function.name) + " with " + bad.what + " as argument " +
                                      std::to_string(position + 1);
                EXPECT_TRUE(IsValueError(result)) << context << " gave " << Describe(result);
                EXPECT_EQ(xlhost::CallCount(xlCoerce) - before, size_t(position + 1))
                    << context << ": arguments after the first failure must not be coerced";
            }
        }
        size_t before = xlhost::CallCount(xlCoerce);
        XLOPER result = CallTank(function, ValidArgs(function));
        EXPECT_EQ(result.xltype, xltypeNum) << function.name;
        EXPECT_EQ(xlhost::CallCount(xlCoerce) - before, size_t(function.arity)) << function.name;
    }
}

TEST_F(TankFrameTest, ReferencesToNumericCellsBehaveLikeTheNumbers) {
    DWORD sheet = xlhost::CallingSheet();
    const std::vector<double> tanks[] = {{1.5, 1, 10, 11}, {0.3, 2, 7.5, 8.5}, {12, 2, 7.5, 9}};
    for (const TankFunction& function : kFrameFunctions) {
        for (const std::vector<double>& tank : tanks) {
            std::vector<double> numbers(tank.begin(), tank.begin() + function.arity);
            std::vector<XLOPER> references;
            for (int i = 0; i < function.arity; ++i) {
                xlhost::SetCell(sheet, 4, i, CellValue::Number(numbers[i]));
                references.push_back(CellRef(4, i));
            }
            XLOPER direct = CallTank(function, numbers);
            XLOPER viaCells = CallTank(function, references);
            ASSERT_EQ(direct.xltype, xltypeNum) << Describe(function, numbers);
            EXPECT_EQ(Describe(viaCells), Describe(direct)) << Describe(function, numbers) << " through cell references";
        }
    }
}

TEST_F(TankFrameTest, ReferencesToCellsWithoutANumberGiveValueError) {
    DWORD sheet = xlhost::CallingSheet();
    xlhost::SetCell(sheet, 0, 0, CellValue::Text("ten feet"));
    xlhost::SetCell(sheet, 0, 1, CellValue::Error(xlhost::xlerrNA));
    for (const TankFunction& function : kFrameFunctions) {
        for (int column : {0, 1}) {
            for (int position = 0; position < function.arity; ++position) {
                XLOPER result = CallTank(function, ArgsWith(function, position, CellRef(0, column)));
                EXPECT_TRUE(IsValueError(result)) << function.name << " argument " << position + 1 << " -> cell column "
                                                  << column << " gave " << Describe(result);
            }
        }
    }
}

TEST_F(TankFrameTest, OneStaticRecordPerFunctionRewrittenAtEveryCall) {
    CountedText word("deep");
    for (const TankFunction& function : kFrameFunctions) {
        std::vector<XLOPER> good = ArgsWith(function, -1, Nil());
        std::vector<XLOPER> bad = ArgsWith(function, function.arity - 1, word.Record());

        XLOPER* first = CallDirect(function, good);
        ASSERT_EQ(first->xltype, xltypeNum) << function.name << ": the type word carries no free bit";
        XLOPER* second = CallDirect(function, bad);
        EXPECT_EQ(second, first) << function.name << " must answer in its one static record";
        EXPECT_TRUE(IsValueError(*second)) << function.name << ": a failed call must not leave the last volume";
        XLOPER* third = CallDirect(function, good);
        EXPECT_EQ(third, first) << function.name;
        EXPECT_EQ(third->xltype, xltypeNum) << function.name;
        for (const TankFunction& other : kFrameFunctions) {
            if (&other == &function) continue;
            EXPECT_NE(CallDirect(other, good), first) << function.name << " shares a record with " << other.name;
        }
    }
}

TEST_F(TankFrameTest, ZeroRadiusHorizontalCylinderAndZeroLengthTaperedTankHoldNothing) {
    // Both would divide 0 by 0; an empty tank holds 0 at every height.
    const double negZero = -0.0;
    for (double height : {-1.0, 0.0, 0.5, 3.0, 1e300}) {
        for (double length : {10.0, 0.0}) {
            for (double radius : {0.0, negZero}) {
                std::vector<double> args{height, radius, length};
                XLOPER result = CallTank(Tank("VolHorzCyl"), args);
                EXPECT_EQ(Describe(result), "num:0") << Describe(Tank("VolHorzCyl"), args);
            }
        }
        for (double bottom : {0.0, 1.0, 2.0}) {
            for (double top : {0.0, 1.0, 3.0}) {
                for (double length : {0.0, negZero}) {
                    std::vector<double> args{height, bottom, top, length};
                    XLOPER result = CallTank(Tank("VolTaperedCyl"), args);
                    EXPECT_EQ(Describe(result), "num:0") << Describe(Tank("VolTaperedCyl"), args);
                }
            }
        }
    }
    // Caps whose depth (M - L)/2 rounds to 0 let a zero radius through the cap rule.
    std::vector<double> args{1, 0, 0, std::numeric_limits<double>::denorm_min()};
    EXPECT_EQ(Describe(CallTank(Tank("VolHorzCylCap"), args)), "num:0") << Describe(Tank("VolHorzCylCap"), args);
}

TEST_F(TankFrameTest, HostileNumbersGiveAFiniteVolumeOrValueErrorNeverNaNOrInfinity) {
    const double inf = std::numeric_limits<double>::infinity();
    const double values[] = {std::numeric_limits<double>::quiet_NaN(), inf, -inf, DBL_MAX, -DBL_MAX,
                             std::numeric_limits<double>::denorm_min(), DBL_MIN, -0.0, 0.0, 1e-300,
                             1e300, 1.0, -1.0, 2.0};
    const int count = sizeof values / sizeof values[0];
    for (const TankFunction& function : kFrameFunctions) {
        int combinations = 1;
        for (int i = 0; i < function.arity; ++i) combinations *= count;
        int numbers = 0;
        for (int n = 0; n < combinations; ++n) {
            std::vector<double> args;
            for (int i = 0, rest = n; i < function.arity; ++i, rest /= count) args.push_back(values[rest % count]);
            XLOPER result = CallTank(function, args);
            bool finiteNumber = result.xltype == xltypeNum && std::isfinite(result.val.num);
            ASSERT_TRUE(finiteNumber || IsValueError(result)) << Describe(function, args) << " gave " << Describe(result);
            numbers += finiteNumber;
        }
        EXPECT_GT(numbers, 0) << function.name;
    }
}

TEST_F(TankFrameTest, HostileRecordsAreRefusedWithoutACrash) {
    XLOPER flagged = Num(1);
    flagged.xltype = xltypeNum | xlbitDLLFree;
    XLOPER unknown = Num(1);
    unknown.xltype = 0x7fff;
    XLOPER element = Num(1);
    XLOPER emptyArray{};
    emptyArray.xltype = xltypeMulti;
    emptyArray.val.array = {&element, 0, 0};
    XLOPER farCell = CellRef(65535, 255);  // empty: the host reads it as 0
    for (const TankFunction& function : kFrameFunctions) {
        for (XLOPER hostile : {flagged, unknown, emptyArray, farCell}) {
            for (int position = 0; position < function.arity; ++position) {
                XLOPER result = CallTank(function, ArgsWith(function, position, hostile));
                EXPECT_TRUE(result.xltype == xltypeNum || IsValueError(result))
                    << function.name << " argument " << position + 1 << " type " << hostile.xltype << " gave "
                    << Describe(result);
            }
        }
        // A caller that passes no record at all.
        for (int position = 0; position < function.arity; ++position) {
            std::vector<XLOPER> args = ArgsWith(function, -1, Nil());
            EXPECT_TRUE(IsValueError(*CallDirect(function, args, position))) << function.name << " null argument " << position + 1;
        }
    }
}

}  // namespace
