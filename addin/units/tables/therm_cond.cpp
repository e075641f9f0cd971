// Therm cond units for CvtThermCond and their usual symbols, in table order; base unit "watt/meter-K".
#include "unit_table.h"

#define THERM_COND_UNITS(UNIT)                                     \
    UNIT(1, "kilowatt/meter-K",             0.001)                 \
    UNIT(2, "watt/meter-K",                 1.0)                   \
    UNIT(3, "BTU/foot-hour-degF",           0.5777892051642799)    \
    UNIT(4, "calories/centimeter-sec-degC", 0.002390057361376673)  \
    UNIT(5, "kilocalories/meter-sec-degC",  0.0002390057361376673) \
    UNIT(6, "kilocalories/meter-hr-degC",   0.86042065)

#define THERM_COND_ALIASES(ALIAS)              \
    ALIAS("kW/m-K",      "kilowatt/meter-K")   \
    ALIAS("W/m-K",       "watt/meter-K")       \
    ALIAS("W/mK",        "watt/meter-K")       \
    ALIAS("BTU/hr-ft-F", "BTU/foot-hour-degF")

MEZURA_UNIT_TABLE(g_ThermCondUnits, THERM_COND_UNITS, THERM_COND_ALIASES)
