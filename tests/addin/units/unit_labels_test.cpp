// UnitLabels: one quantity's labels as a column in index order, in one block; #NAME? for no quantity.
#include "addin/units/conversion.h"
#include "units_test_support.h"

namespace {

using namespace units_test;

using UnitLabelsTest = UnitsTest;

TEST_F(UnitLabelsTest, AQuantityByNameOrNumberGivesItsLabelsInIndexOrder) {
    CountedText temperature("Temperature"), thermCond("THERMCOND"), cvtLength("CvtLength"), plural("Lengths");
    struct Row {
        XLOPER quantity;
        const UnitEntry* table;  // null: #NAME?
        WORD count;
    };
    const Row rows[] = {
        {temperature.Record(), g_TemperatureUnits, 4},
        {thermCond.Record(), g_ThermCondUnits, 6},
        {Int(1), g_AccelerationUnits, 6},
        {Num(17), g_VolumeFlowUnits, 28},
        {cvtLength.Record(), nullptr, 0},
        {plural.Record(), nullptr, 0},
        {Int(0), nullptr, 0},
        {Int(18), nullptr, 0},
        {Err(xlerrValue), nullptr, 0},
    };
    for (const Row& row : rows) {
        XLOPER quantity = row.quantity;
        XLOPER* result = UnitLabels(&quantity);
        ASSERT_NE(result, nullptr);
        if (!row.table) {
            EXPECT_TRUE(result->xltype == xltypeErr && result->val.err == xlerrName) << "type " << result->xltype;
            continue;
        }
        ASSERT_EQ(result->xltype, xltypeMulti | xlbitDLLFree);
        xlhost::NoteAddinBlock(result);
        const auto& array = result->val.array;
        ASSERT_EQ(array.rows, row.count);
        ASSERT_EQ(array.columns, 1);
        const char* block = reinterpret_cast<const char*>(result);
        for (WORD i = 0; i < row.count; ++i) {
            const XLOPER& element = array.lparray[i];
            ASSERT_EQ(element.xltype, xltypeStr) << "row " << i + 1;
            EXPECT_EQ(TextOf(element.val.str), TextOf(row.table[i].label)) << "row " << i + 1;
            // The texts are copies inside the one block that xlAutoFree releases.
            EXPECT_TRUE(element.val.str > block && element.val.str < block + 4096) << "row " << i + 1;
        }
        xlhost::NoteAddinBlockFreed(result);
        FreeWithCrt(result);  // as the add-in's xlAutoFree does
    }
}

}  // namespace
