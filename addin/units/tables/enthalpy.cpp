// Enthalpy units for CvtEnthalpy and their usual symbols, in table order; base unit "BTU/pound".
#include "unit_table.h"

#define ENTHALPY_UNITS(UNIT)                     \
    UNIT(1, "kilojoules/kilogram",   2.325966)   \
    UNIT(2, "BTU/pound",             1.0)        \
    UNIT(3, "calories/gram",         0.5555554)  \
    UNIT(4, "kilocalories/kilogram", 0.5555554)

#define ENTHALPY_ALIASES(ALIAS)            \
    ALIAS("kJ/kg",  "kilojoules/kilogram") \
    ALIAS("BTU/lb", "BTU/pound")

MEZURA_UNIT_TABLE(g_EnthalpyUnits, ENTHALPY_UNITS, ENTHALPY_ALIASES)
