// Enthalpy units for CvtEnthalpy, in table order; base unit "BTU/pound".
#include "unit_table.h"

#define ENTHALPY_UNITS(UNIT)                     \
    UNIT(1, "kilojoules/kilogram",   2.325966)   \
    UNIT(2, "BTU/pound",             1.0)        \
    UNIT(3, "calories/gram",         0.5555554)  \
    UNIT(4, "kilocalories/kilogram", 0.5555554)

MEZURA_UNIT_TABLE(g_EnthalpyUnits, ENTHALPY_UNITS)
