// The unit catalogue: one table of units per quantity, and the preparation of their labels at load.
#pragma once

#include "xloper.h"

// One unit of a table. The label is stored as a placeholder text (a blank, the characters, a
// zero) until PrepareUnitLabels turns the blank into the length byte; from then on it is a
// counted string that is still zero-terminated, and results point straight at it.
struct UnitEntry {
    short index;    // position in the table, counted from 1
    char* label;
    double factor;  // how many of this unit make one base unit of the table
};

constexpr WORD kAccelerationUnitCount = 6;
constexpr WORD kAreaUnitCount = 14;
constexpr WORD kDensityUnitCount = 12;
constexpr WORD kEnergyUnitCount = 29;
constexpr WORD kEnthalpyUnitCount = 4;
constexpr WORD kEntropyUnitCount = 5;
constexpr WORD kLengthUnitCount = 17;
constexpr WORD kMassUnitCount = 20;
constexpr WORD kMassFlowUnitCount = 23;
constexpr WORD kPowerUnitCount = 11;
constexpr WORD kPressureUnitCount = 21;
constexpr WORD kTemperatureUnitCount = 4;
constexpr WORD kThermCondUnitCount = 6;
constexpr WORD kVelocityUnitCount = 12;
constexpr WORD kViscosityUnitCount = 9;
constexpr WORD kVolumeUnitCount = 22;
constexpr WORD kVolumeFlowUnitCount = 28;

extern UnitEntry g_AccelerationUnits[kAccelerationUnitCount];
extern UnitEntry g_AreaUnits[kAreaUnitCount];
extern UnitEntry g_DensityUnits[kDensityUnitCount];
extern UnitEntry g_EnergyUnits[kEnergyUnitCount];
extern UnitEntry g_EnthalpyUnits[kEnthalpyUnitCount];
extern UnitEntry g_EntropyUnits[kEntropyUnitCount];
extern UnitEntry g_LengthUnits[kLengthUnitCount];
extern UnitEntry g_MassUnits[kMassUnitCount];
extern UnitEntry g_MassFlowUnits[kMassFlowUnitCount];
extern UnitEntry g_PowerUnits[kPowerUnitCount];
extern UnitEntry g_PressureUnits[kPressureUnitCount];
extern UnitEntry g_TemperatureUnits[kTemperatureUnitCount];
extern UnitEntry g_ThermCondUnits[kThermCondUnitCount];
extern UnitEntry g_VelocityUnits[kVelocityUnitCount];
extern UnitEntry g_ViscosityUnits[kViscosityUnitCount];
extern UnitEntry g_VolumeUnits[kVolumeUnitCount];
extern UnitEntry g_VolumeFlowUnits[kVolumeFlowUnitCount];

// Turns the labels of the first `count` entries into counted strings in place.
// Running it again leaves them unchanged.
void PrepareLabelTable(UnitEntry* table, WORD count);

// Prepares the labels of all seventeen tables; the DLL attach calls it once.
void PrepareUnitLabels();
