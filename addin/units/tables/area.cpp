// Area units for CvtArea and their usual symbols, in table order; base unit "square meters".
#include "unit_table.h"

#define AREA_UNITS(UNIT)                               \
    UNIT( 1, "square meters",      1.0)                \
    UNIT( 2, "acres",              0.000247105381467)  \
    UNIT( 3, "ares",               0.01)               \
    UNIT( 4, "circular mils",      1973525241.39)      \
    UNIT( 5, "hectares",           0.0001)             \
    UNIT( 6, "square centimeters", 10000.0)            \
    UNIT( 7, "square chains",      0.00247105381467)   \
    UNIT( 8, "square feet",        10.7639104167)      \
    UNIT( 9, "square inches",      1550.00310001)      \
    UNIT(10, "square miles",       3.86102158542e-07)  \
    UNIT(11, "square perches",     0.0395368610347)    \
    UNIT(12, "square poles",       0.0395368610347)    \
    UNIT(13, "square rods",        0.0395368610347)    \
    UNIT(14, "square yards",       1.1959900463)

#define AREA_ALIASES(ALIAS)             \
    ALIAS("m2",   "square meters")      \
    ALIAS("ar",   "ares")               \
    ALIAS("cmil", "circular mils")      \
    ALIAS("ha",   "hectares")           \
    ALIAS("cm2",  "square centimeters") \
    ALIAS("ft2",  "square feet")        \
    ALIAS("in2",  "square inches")      \
    ALIAS("mi2",  "square miles")       \
    ALIAS("yd2",  "square yards")

MEZURA_UNIT_TABLE(g_AreaUnits, AREA_UNITS, AREA_ALIASES)
