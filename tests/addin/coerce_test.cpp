// CoerceArgument: the count and type-record rules, and what a failed coercion leaves behind.
#include <cstring>

#include "addin/host/coerce.h"
#include "xlhost/emulated_excel_fixture.h"

namespace {

using CoerceArgumentTest = HostTest;

TEST_F(CoerceArgumentTest, RefusesCountsAndTypeRecordsItDoesNotAcceptWithoutCallingTheHost) {
    XLOPER source = Num(5);
    XLOPER intType = MakeTypeRecord(xltypeNum);
    XLOPER numType = Num(1);  // a type record must be an integer record
    struct Row { int count; XLOPER* type; };
    const Row rows[] = {{3, &intType}, {0, &intType}, {-1, &intType}, {2, &numType}, {2, nullptr}, {30, &intType}};
    for (const Row& row : rows) {
        XLOPER result = Num(42);
        EXPECT_EQ(CoerceArgument(&result, row.count, &source, row.type), xlretInvCount) << "count " << row.count;
        EXPECT_NE(result.xltype, xltypeNum) << "count " << row.count << ": stale number left readable";
    }
    EXPECT_EQ(xlhost::CallCount(xlCoerce), 0u);
}

TEST_F(CoerceArgumentTest, FailedCoercionNeverLeavesAValueOfTheWantedType) {
    CountedText word("inches");
    XLOPER text = word.Record();
    XLOPER error = Err(xlerrValue);
    XLOPER missing = Missing();
    XLOPER area = AreaRef(0, 1, 0, 0);
    struct Row { XLOPER* source; WORD wanted; const char* what; };
    const Row rows[] = {
        {&text, xltypeNum, "text to number"},
        {&text, xltypeInt, "text to integer"},
        {&error, xltypeNum, "error to number"},
        {&error, xltypeStr, "error to text"},
        {&missing, xltypeStr, "missing to text"},
        {&area, xltypeNum, "two cells to number"},
    };
    for (const Row& row : rows) {
        // A result record that already holds a value of the wanted type, as a stale stack slot would.
        XLOPER result{};
        result.xltype = row.wanted;
        result.val.num = 42;
        XLOPER type = MakeTypeRecord(row.wanted);
        EXPECT_NE(CoerceArgument(&result, 2, row.source, &type), xlretSuccess) << row.what;
        EXPECT_EQ(result.xltype, xltypeErr) << row.what;
    }
}

TEST_F(CoerceArgumentTest, PassesTheTypeRecordOnAndHandsBackAHostOwnedResult) {
    xlhost::SetCell(xlhost::CallingSheet(), 2, 1, xlhost::CellValue::Number(12));
    XLOPER cell = CellRef(2, 1);
    XLOPER result;
    XLOPER wantInt = MakeTypeRecord(xltypeInt);
    ASSERT_EQ(CoerceArgument(&result, 2, &cell, &wantInt), xlretSuccess);
    EXPECT_EQ(result.xltype, xltypeInt);
    EXPECT_EQ(result.val.w, 12);

    XLOPER wantText = MakeTypeRecord(xltypeStr);
    ASSERT_EQ(CoerceArgument(&result, 2, &cell, &wantText), xlretSuccess);
    ASSERT_EQ(result.xltype, xltypeStr);
    EXPECT_EQ(TextOf(result.val.str), "12");
    FreeHostRecord(&result);
}

TEST_F(CoerceArgumentTest, CountOneReadsAReferenceAsItsOwnValue) {
    xlhost::SetCell(xlhost::CallingSheet(), 0, 0, xlhost::CellValue::Text("feet"));
    xlhost::SetCell(xlhost::CallingSheet(), 1, 0, xlhost::CellValue::Number(3.5));
    struct Row { XLOPER source; WORD type; };
    const Row rows[] = {{CellRef(0, 0), xltypeStr}, {CellRef(1, 0), xltypeNum}, {CellRef(5, 5), xltypeNil},
                        {AreaRef(0, 1, 0, 0), xltypeMulti}, {Num(7), xltypeNum}};
    for (Row row : rows) {
        XLOPER result;
        ASSERT_EQ(CoerceArgument(&result, 1, &row.source, nullptr), xlretSuccess);
        EXPECT_EQ(result.xltype, row.type);
        HostRecordGuard release(&result);
    }
}

}  // namespace
