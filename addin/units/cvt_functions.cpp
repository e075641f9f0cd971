// The sixteen factor-based conversion functions: each hands its own table to ConvertByFactor.
#include "conversion.h"

XLL_EXPORT XLOPER* XLLAPI CvtAcceleration(XLOPER* value, XLOPER* units, XLOPER* newUnits) {
    return ConvertByFactor(value, units, newUnits, g_AccelerationUnits, kAccelerationUnitCount);
}

XLL_EXPORT XLOPER* XLLAPI CvtArea(XLOPER* value, XLOPER* units, XLOPER* newUnits) {
    return ConvertByFactor(value, units, newUnits, g_AreaUnits, kAreaUnitCount);
}

XLL_EXPORT XLOPER* XLLAPI CvtDensity(XLOPER* value, XLOPER* units, XLOPER* newUnits) {
    return ConvertByFactor(value, units, newUnits, g_DensityUnits, kDensityUnitCount);
}

XLL_EXPORT XLOPER* XLLAPI CvtEnergy(XLOPER* value, XLOPER* units, XLOPER* newUnits) {
    return ConvertByFactor(value, units, newUnits, g_EnergyUnits, kEnergyUnitCount);
}

XLL_EXPORT XLOPER* XLLAPI CvtEnthalpy(XLOPER* value, XLOPER* units, XLOPER* newUnits) {
    return ConvertByFactor(value, units, newUnits, g_EnthalpyUnits, kEnthalpyUnitCount);
}

XLL_EXPORT XLOPER* XLLAPI CvtEntropy(XLOPER* value, XLOPER* units, XLOPER* newUnits) {
    return ConvertByFactor(value, units, newUnits, g_EntropyUnits, kEntropyUnitCount);
}

XLL_EXPORT XLOPER* XLLAPI CvtLength(XLOPER* value, XLOPER* units, XLOPER* newUnits) {
    return ConvertByFactor(value, units, newUnits, g_LengthUnits, kLengthUnitCount);
}

XLL_EXPORT XLOPER* XLLAPI CvtMass(XLOPER* value, XLOPER* units, XLOPER* newUnits) {
    return ConvertByFactor(value, units, newUnits, g_MassUnits, kMassUnitCount);
}

XLL_EXPORT XLOPER* XLLAPI CvtMassFlow(XLOPER* value, XLOPER* units, XLOPER* newUnits) {
    return ConvertByFactor(value, units, newUnits, g_MassFlowUnits, kMassFlowUnitCount);
}

XLL_EXPORT XLOPER* XLLAPI CvtPower(XLOPER* value, XLOPER* units, XLOPER* newUnits) {
    return ConvertByFactor(value, units, newUnits, g_PowerUnits, kPowerUnitCount);
}

XLL_EXPORT XLOPER* XLLAPI CvtPressure(XLOPER* value, XLOPER* units, XLOPER* newUnits) {
    return ConvertByFactor(value, units, newUnits, g_PressureUnits, kPressureUnitCount);
}

XLL_EXPORT XLOPER* XLLAPI CvtThermCond(XLOPER* value, XLOPER* units, XLOPER* newUnits) {
    return ConvertByFactor(value, units, newUnits, g_ThermCondUnits, kThermCondUnitCount);
}

XLL_EXPORT XLOPER* XLLAPI CvtVelocity(XLOPER* value, XLOPER* units, XLOPER* newUnits) {
    return ConvertByFactor(value, units, newUnits, g_VelocityUnits, kVelocityUnitCount);
}

XLL_EXPORT XLOPER* XLLAPI CvtViscosity(XLOPER* value, XLOPER* units, XLOPER* newUnits) {
    return ConvertByFactor(value, units, newUnits, g_ViscosityUnits, kViscosityUnitCount);
}

XLL_EXPORT XLOPER* XLLAPI CvtVolume(XLOPER* value, XLOPER* units, XLOPER* newUnits) {
    return ConvertByFactor(value, units, newUnits, g_VolumeUnits, kVolumeUnitCount);
}

XLL_EXPORT XLOPER* XLLAPI CvtVolumeFlow(XLOPER* value, XLOPER* units, XLOPER* newUnits) {
    return ConvertByFactor(value, units, newUnits, g_VolumeFlowUnits, kVolumeFlowUnitCount);
}
