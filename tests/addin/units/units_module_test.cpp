// The conversion functions of the built module, loaded the way Excel loads it.
#include <cstdint>

#include "addin_loader.h"
#include "units_test_support.h"

namespace {

using namespace units_test;

// The module's attach must also prepare the labels before the first conversion.
class UnitsModuleTest : public LoadedAddinTest {
protected:
    void SetUp() override {
        LoadedAddinTest::SetUp();
        autoFree_ = reinterpret_cast<AutoFreeFunction>(xlhost::FindExport(addin_, "xlAutoFree"));
        ASSERT_NE(autoFree_, nullptr);
    }
    CvtFunction Export(const char* name) {
        return reinterpret_cast<CvtFunction>(xlhost::FindExport(addin_, name));
    }
    AutoFreeFunction autoFree_ = nullptr;
};

TEST_F(UnitsModuleTest, ExportsEveryConversionUnderItsPlainName) {
    for (const Conversion& conversion : kConversions) {
        EXPECT_NE(Export(conversion.name), nullptr) << conversion.name;
        EXPECT_EQ(Export((std::string(conversion.name) + "@12").c_str()), nullptr) << conversion.name << ": decorated";
    }
}

// Result blocks go back through the module's own xlAutoFree (under ASan a free of anything but
// the block's start, or of the catalogue's label, aborts).
TEST_F(UnitsModuleTest, ConvertsWithExtendedPrecisionAndFreesResultsThroughAutoFree) {
    CountedText inches("INCHES"), feet("Feet"), kelvin("kelvin"), degC("DEG. c");
    struct Row {
        const char* function;
        XLOPER value, units, newUnits;
        double expected;
        const char* label;
    };
    const Row rows[] = {
        {"CvtLength", Num(12), inches.Record(), feet.Record(), 0.9999999999999999, "feet"},
        {"CvtLength", Num(1), Int(8), Int(10), 12.000000000000002, "inches"},
        {"CvtTemperature", Num(273.15), kelvin.Record(), degC.Record(), -2.565848768022584e-14, "deg. C"},
        {"CvtTemperature", Num(0), Int(1), Int(2), 273.15, "Kelvin"},
    };
    for (const Row& row : rows) {
        CvtFunction convert = Export(row.function);
        ASSERT_NE(convert, nullptr) << row.function;
        Answer answer = CallAsExcel(convert, row.value, row.units, row.newUnits, autoFree_);
        ASSERT_TRUE(answer.shapeProblem.empty() && !answer.isError) << row.function << ": " << answer.shapeProblem;
        EXPECT_EQ(Bits(answer.number), Bits(row.expected)) << row.function << " to " << row.label << ": got "
                                                           << std::hexfloat << answer.number;
        EXPECT_EQ(answer.label, row.label) << row.function;
    }
    EXPECT_EQ(xlhost::ReadLedger().addinFreed, std::size(rows));
}

}  // namespace
