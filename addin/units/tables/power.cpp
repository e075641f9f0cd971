// Power units for CvtPower and their usual symbols, in table order; base unit "kilowatts".
#include "unit_table.h"

#define POWER_UNITS(UNIT)                                    \
    UNIT( 1, "kilowatts",              1.0)                  \
    UNIT( 2, "BTU/min",                56.86988171064604)    \
    UNIT( 3, "BTU/hour",               3412.1929026387625)   \
    UNIT( 4, "foot-pounds/min",        44253.73)             \
    UNIT( 5, "foot-pounds/sec",        737.5621)             \
    UNIT( 6, "horsepower",             1.3410222183243177)   \
    UNIT( 7, "metric horsepower",      1.3596211551613258)   \
    UNIT( 8, "boiler horsepower",      0.10194199500484225)  \
    UNIT( 9, "kilocalories/min",       14.330753797649757)   \
    UNIT(10, "kilocalories/sec",       0.23884589662749595)  \
    UNIT(11, "meter-kilograms(f)/sec", 101.97162129779284)

#define POWER_ALIASES(ALIAS)                 \
    ALIAS("kW",         "kilowatts")         \
    ALIAS("BTU/h",      "BTU/hour")          \
    ALIAS("BTU/hr",     "BTU/hour")          \
    ALIAS("ft-lbf/min", "foot-pounds/min")   \
    ALIAS("ft-lbf/s",   "foot-pounds/sec")   \
    ALIAS("HP",         "horsepower")        \
    ALIAS("PS",         "metric horsepower")

MEZURA_UNIT_TABLE(g_PowerUnits, POWER_UNITS, POWER_ALIASES)
