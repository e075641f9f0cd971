// Temperature units for CvtTemperature and their usual symbols, in table order; converted by formulas, so the factors are never read.
#include "unit_table.h"

#define TEMPERATURE_UNITS(UNIT)   \
    UNIT(1, "deg. C",       1.0)  \
    UNIT(2, "Kelvin",       1.0)  \
    UNIT(3, "deg. F",       1.0)  \
    UNIT(4, "deg. Rankine", 1.0)

#define TEMPERATURE_ALIASES(ALIAS) \
    ALIAS("C",    "deg. C")        \
    ALIAS("degC", "deg. C")        \
    ALIAS("cel",  "deg. C")        \
    ALIAS("K",    "Kelvin")        \
    ALIAS("kel",  "Kelvin")        \
    ALIAS("F",    "deg. F")        \
    ALIAS("degF", "deg. F")        \
    ALIAS("fah",  "deg. F")        \
    ALIAS("Rank", "deg. Rankine")  \
    ALIAS("degR", "deg. Rankine")

MEZURA_UNIT_TABLE(g_TemperatureUnits, TEMPERATURE_UNITS, TEMPERATURE_ALIASES)
