// Acceleration units for CvtAcceleration and their usual symbols, in table order; base unit "meters/sec/sec".
#include "unit_table.h"

#define ACCELERATION_UNITS(UNIT)                       \
    UNIT(1, "meters/sec/sec",      1.0)                \
    UNIT(2, "centimeters/sec/sec", 100.0)              \
    UNIT(3, "inches/sec/sec",      39.37007874015748)  \
    UNIT(4, "feet/sec/sec",        3.280839895013123)  \
    UNIT(5, "kilometers/hour/sec", 3.6)                \
    UNIT(6, "miles/hour/sec",      2.236936292054402)

#define ACCELERATION_ALIASES(ALIAS)        \
    ALIAS("m/s2",   "meters/sec/sec")      \
    ALIAS("cm/s2",  "centimeters/sec/sec") \
    ALIAS("in/s2",  "inches/sec/sec")      \
    ALIAS("ft/s2",  "feet/sec/sec")        \
    ALIAS("km/h/s", "kilometers/hour/sec") \
    ALIAS("mph/s",  "miles/hour/sec")

MEZURA_UNIT_TABLE(g_AccelerationUnits, ACCELERATION_UNITS, ACCELERATION_ALIASES)
