// Temperature units for CvtTemperature, in table order; converted by formulas, so the factors are never read.
#include "unit_table.h"

#define TEMPERATURE_UNITS(UNIT)   \
    UNIT(1, "deg. C",       1.0)  \
    UNIT(2, "Kelvin",       1.0)  \
    UNIT(3, "deg. F",       1.0)  \
    UNIT(4, "deg. Rankine", 1.0)

MEZURA_UNIT_TABLE(g_TemperatureUnits, TEMPERATURE_UNITS)
