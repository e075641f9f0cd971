// Length units for CvtLength and their usual symbols, in table order; base unit "meters".
#include "unit_table.h"

#define LENGTH_UNITS(UNIT)                                 \
    UNIT( 1, "meters",             1.0)                    \
    UNIT( 2, "angstroms",          10000000000.0)          \
    UNIT( 3, "centimeters",        100.0)                  \
    UNIT( 4, "millimeters",        1000.0)                 \
    UNIT( 5, "chains(engineer's)", 0.03280839895013123)    \
    UNIT( 6, "chains",             0.049709695378986715)   \
    UNIT( 7, "fathoms",            0.5468066491688539)     \
    UNIT( 8, "feet",               3.280839895013123)      \
    UNIT( 9, "furlongs",           0.004970969537898671)   \
    UNIT(10, "inches",             39.37007874015748)      \
    UNIT(11, "links(engineer's)",  3.280839895013123)      \
    UNIT(12, "links",              4.970969537898672)      \
    UNIT(13, "miles",              0.0006213711922373339)  \
    UNIT(14, "nautical miles",     0.0005399568034557236)  \
    UNIT(15, "mils",               39370.07874015748)      \
    UNIT(16, "rods",               0.19883878151594686)    \
    UNIT(17, "yards",              1.0936132983377078)

#define LENGTH_ALIASES(ALIAS)      \
    ALIAS("m",   "meters")         \
    ALIAS("ang", "angstroms")      \
    ALIAS("cm",  "centimeters")    \
    ALIAS("mm",  "millimeters")    \
    ALIAS("ft",  "feet")           \
    ALIAS("in",  "inches")         \
    ALIAS("mi",  "miles")          \
    ALIAS("Nmi", "nautical miles") \
    ALIAS("yd",  "yards")

MEZURA_UNIT_TABLE(g_LengthUnits, LENGTH_UNITS, LENGTH_ALIASES)
