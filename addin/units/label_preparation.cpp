// PrepareUnitLabels: turns every unit label from placeholder text into a counted string at load.
#include "counted_text.h"
#include "unit_catalogue.h"

void PrepareLabelTable(UnitEntry* table, WORD count) {
    for (WORD i = 0; i < count; ++i) PreparePlaceholder(table[i].label);
}

void PrepareUnitLabels() {
    PrepareLabelTable(g_AccelerationUnits, kAccelerationUnitCount);
    PrepareLabelTable(g_AreaUnits, kAreaUnitCount);
    PrepareLabelTable(g_DensityUnits, kDensityUnitCount);
    PrepareLabelTable(g_EnergyUnits, kEnergyUnitCount);
    PrepareLabelTable(g_EnthalpyUnits, kEnthalpyUnitCount);
    PrepareLabelTable(g_EntropyUnits, kEntropyUnitCount);
    PrepareLabelTable(g_LengthUnits, kLengthUnitCount);
    PrepareLabelTable(g_MassUnits, kMassUnitCount);
    PrepareLabelTable(g_MassFlowUnits, kMassFlowUnitCount);
    PrepareLabelTable(g_PowerUnits, kPowerUnitCount);
    PrepareLabelTable(g_PressureUnits, kPressureUnitCount);
    PrepareLabelTable(g_TemperatureUnits, kTemperatureUnitCount);
    PrepareLabelTable(g_ThermCondUnits, kThermCondUnitCount);
    PrepareLabelTable(g_VelocityUnits, kVelocityUnitCount);
    PrepareLabelTable(g_ViscosityUnits, kViscosityUnitCount);
    PrepareLabelTable(g_VolumeUnits, kVolumeUnitCount);
    PrepareLabelTable(g_VolumeFlowUnits, kVolumeFlowUnitCount);
}
