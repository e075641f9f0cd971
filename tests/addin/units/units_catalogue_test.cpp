// The unit catalogue: prepared labels, and every ordered pair of units converted by label and by index.
#include <cctype>
#include <cstring>
#include <iterator>
#include <sstream>

#include "addin/units/unit_catalogue.h"
#include "units_test_support.h"

namespace {

using namespace units_test;
using units_reference::Category;
using units_reference::kCategories;

struct CatalogueTable {
    UnitEntry* table;
    WORD count;
};

// The add-in's tables, in the order of the reference categories.
const CatalogueTable kTables[] = {
    {g_AccelerationUnits, kAccelerationUnitCount}, {g_AreaUnits, kAreaUnitCount},
    {g_DensityUnits, kDensityUnitCount},           {g_EnergyUnits, kEnergyUnitCount},
    {g_EnthalpyUnits, kEnthalpyUnitCount},         {g_EntropyUnits, kEntropyUnitCount},
    {g_LengthUnits, kLengthUnitCount},             {g_MassUnits, kMassUnitCount},
    {g_MassFlowUnits, kMassFlowUnitCount},         {g_PowerUnits, kPowerUnitCount},
    {g_PressureUnits, kPressureUnitCount},         {g_TemperatureUnits, kTemperatureUnitCount},
    {g_ThermCondUnits, kThermCondUnitCount},       {g_VelocityUnits, kVelocityUnitCount},
    {g_ViscosityUnits, kViscosityUnitCount},       {g_VolumeUnits, kVolumeUnitCount},
    {g_VolumeFlowUnits, kVolumeFlowUnitCount},
};
static_assert(sizeof(kTables) / sizeof(kTables[0]) == sizeof(kCategories) / sizeof(kCategories[0]),
              "one add-in table per reference category");

std::string Upper(std::string text) {
    for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// "mEtErS": every other letter flipped, so neither the stored case nor one fold matches by chance.
std::string Alternating(std::string text) {
    for (size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        text[i] = char(i % 2 ? std::tolower(c) : std::toupper(c));
    }
    return text;
}

// The conversion as the catalogue defines it, from the reference factors.
double ExpectedByFactor(const Category& category, int from, int to, double value) {
    long double quotient = static_cast<long double>(category.units[to - 1].factor) / category.units[from - 1].factor;
    return static_cast<double>(quotient * value);
}

// Through Fahrenheit, with the Fahrenheit value stored as a double between the two steps.
double ExpectedTemperature(int from, int to, double value) {
    if (from == to) return value;
    const long double v = value;
    const long double toF[] = {0, v * 1.8 + 32.0, v * 1.8 - 459.67, v, v - 459.67};
    volatile double t = static_cast<double>(toF[from]);
    const long double f = t;
    const long double fromF[] = {0, (f - 32.0) / 1.8, (f + 459.67) / 1.8, f, f + 459.67};
    return static_cast<double>(fromF[to]);
}

using UnitCatalogueTest = UnitsTest;

TEST_F(UnitCatalogueTest, PreparedLabelsAreTheLabelsAsCountedAndTerminatedStrings) {
    int labels = 0;
    for (size_t c = 0; c < std::size(kTables); ++c) {
        const Category& category = kCategories[c];
        ASSERT_EQ(kTables[c].count, category.count) << category.name;
        for (int i = 0; i < category.count; ++i) {
            const UnitEntry& entry = kTables[c].table[i];
            const char* label = category.units[i].label;
            EXPECT_EQ(entry.index, i + 1) << category.name << " entry " << i + 1;
            EXPECT_EQ(static_cast<unsigned char>(entry.label[0]), std::strlen(label)) << category.name << " " << label;
            EXPECT_STREQ(entry.label + 1, label) << category.name << " entry " << i + 1;
            if (category.convert != CvtTemperature) {
                EXPECT_EQ(Bits(entry.factor), Bits(category.units[i].factor)) << category.name << " " << label;
            }
            ++labels;
        }
    }
    EXPECT_EQ(labels, 243);
    EXPECT_EQ(g_AccelerationUnits[0].label[0], 14);
    EXPECT_EQ(g_ViscosityUnits[5].label[0], 29) << "the longest label";
}

TEST_F(UnitCatalogueTest, PreparingAgainChangesNoLabel) {
    std::string before;
    for (const auto& t : kTables)
        for (int i = 0; i < t.count; ++i) before.append(t.table[i].label, std::strlen(t.table[i].label) + 1);
    PrepareUnitLabels();
    std::string after;
    for (const auto& t : kTables)
        for (int i = 0; i < t.count; ++i) after.append(t.table[i].label, std::strlen(t.table[i].label) + 1);
    EXPECT_EQ(before, after);
}

// Every ordered pair, three ways: by index, by label in capitals, by label in alternating case.
// The number must match the reference arithmetic bit for bit, and the label must be the
// catalogue's own stored text of the unit wanted.
TEST_F(UnitCatalogueTest, EveryOrderedPairConvertsByIndexAndByLabelInAnyCase) {
    const double kValues[] = {12.0, -0.3};
    int calls = 0, failures = 0;
    std::ostringstream report;
    for (size_t c = 0; c < std::size(kTables); ++c) {
        const Category& category = kCategories[c];
        for (int from = 1; from <= category.count; ++from) {
            for (int to = 1; to <= category.count; ++to) {
                for (double value : kValues) {
                    double expected = category.convert == CvtTemperature ? ExpectedTemperature(from, to, value)
                                                                         : ExpectedByFactor(category, from, to, value);
                    CountedText upperFrom(Upper(category.units[from - 1].label));
                    CountedText mixedTo(Alternating(category.units[to - 1].label));
                    struct Way { const char* how; XLOPER units, newUnits; };
                    const Way ways[] = {{"by index", Int(short(from)), Int(short(to))},
                                        {"by label", upperFrom.Record(), mixedTo.Record()}};
                    for (const Way& way : ways) {
                        Answer answer = CallAsExcel(category.convert, Num(value), way.units, way.newUnits);
                        ++calls;
                        bool ok = answer.shapeProblem.empty() && !answer.isError && Bits(answer.number) == Bits(expected) &&
                                  answer.labelPointer == kTables[c].table[to - 1].label;
                        if (!ok && ++failures <= 10) {
                            report << "\n  " << category.name << " " << value << " from " << from << " to " << to << " "
                                   << way.how << ": got " << (answer.isError ? "error " + std::to_string(answer.err) : "")
                                   << answer.shapeProblem << std::hexfloat << answer.number << " \"" << answer.label
                                   << "\", expected " << expected << std::defaultfloat;
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(failures, 0) << failures << " of " << calls << " conversions wrong:" << report.str();
    EXPECT_EQ(calls, 2 * 2 * 4583);
}

}  // namespace
