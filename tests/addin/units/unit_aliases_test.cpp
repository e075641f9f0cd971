// Units by their usual symbols: each alias names its unit in either argument, the answer carries the stored label.
#include "addin/units/conversion.h"
#include "units_test_support.h"

namespace {

using namespace units_test;

using UnitAliasTest = UnitsTest;

TEST_F(UnitAliasTest, AnAliasNamesItsUnitAndTheAnswerCarriesTheLabel) {
    struct Row {
        CvtFunction convert;
        const char* typed;
        const char* label;  // null: no unit of the quantity
    };
    const Row rows[] = {
        {CvtAcceleration, "FT/S2", "feet/sec/sec"},
        {CvtArea, "m2", "square meters"},
        {CvtDensity, "kg/m3", "kilograms/cubic meter"},
        {CvtEnergy, "kWh", "kilowatt-hours"},
        {CvtEnthalpy, "kJ/kg", "kilojoules/kilogram"},
        {CvtEntropy, "kJ/kg-K", "kiloJoules/kilogram-K"},
        {CvtLength, "ft", "feet"},
        {CvtLength, "MM", "millimeters"},
        {CvtMass, "kg", "kilograms"},
        {CvtMass, "lb", "pounds"},
        {CvtMassFlow, "lb/hr", "pounds/hour"},
        {CvtPower, "hp", "horsepower"},
        {CvtPressure, "psi", "pounds/square inch"},
        {CvtPressure, "bar", "bars"},
        {CvtTemperature, "degC", "deg. C"},
        {CvtTemperature, "k", "Kelvin"},
        {CvtThermCond, "W/m-K", "watt/meter-K"},
        {CvtVelocity, "m/s", "meters/sec"},
        {CvtViscosity, "cP", "centipoises"},
        {CvtVolume, "m3", "cubic meters"},
        {CvtVolumeFlow, "gpm", "gallons/min"},
        // A label is found as a label, letter case aside, before any alias is looked at.
        {CvtEnergy, "btu", "BTU"},
        // Symbols read two ways name nothing, and an alias belongs to its quantity only.
        {CvtVolume, "gal", nullptr},
        {CvtMass, "ton", nullptr},
        {CvtMass, "oz", nullptr},
        {CvtEnergy, "cal", nullptr},
        {CvtVolume, "ft", nullptr},
    };
    for (const Row& row : rows) {
        CountedText typed(row.typed), label(row.label ? row.label : "meters");
        Answer from = CallAsExcel(row.convert, Num(3), typed.Record(), label.Record());
        Answer to = CallAsExcel(row.convert, Num(3), label.Record(), typed.Record());
        ASSERT_TRUE(from.shapeProblem.empty() && to.shapeProblem.empty()) << row.typed;
        if (!row.label) {
            EXPECT_TRUE(from.isError && from.err == xlerrName) << row.typed << " must name no unit";
            continue;
        }
        ASSERT_FALSE(from.isError || to.isError) << row.typed;
        EXPECT_EQ(from.number, 3) << row.typed << " and " << row.label << " must be one unit";
        EXPECT_EQ(from.label, row.label) << row.typed;
        EXPECT_EQ(to.number, 3) << row.typed;
        EXPECT_EQ(to.label, row.label) << row.typed << ": the answer carries the stored label";
    }
}

}  // namespace
