// Velocity units for CvtVelocity and their usual symbols, in table order; base unit "miles/hour".
#include "unit_table.h"

#define VELOCITY_UNITS(UNIT)                           \
    UNIT( 1, "miles/hour",      1.0)                   \
    UNIT( 2, "knots",           0.868976241)           \
    UNIT( 3, "miles/min",       0.016666666666666666)  \
    UNIT( 4, "feet/hour",       5280.0)                \
    UNIT( 5, "feet/min",        88.0)                  \
    UNIT( 6, "feet/sec",        1.4666666666666666)    \
    UNIT( 7, "inches/sec",      17.6)                  \
    UNIT( 8, "centimeters/sec", 44.704)                \
    UNIT( 9, "kilometers/hour", 1.609344)              \
    UNIT(10, "meters/hour",     1609.344)              \
    UNIT(11, "meters/min",      26.8224)               \
    UNIT(12, "meters/sec",      0.44704)

#define VELOCITY_ALIASES(ALIAS)        \
    ALIAS("mph",    "miles/hour")      \
    ALIAS("kn",     "knots")           \
    ALIAS("mi/min", "miles/min")       \
    ALIAS("ft/h",   "feet/hour")       \
    ALIAS("ft/min", "feet/min")        \
    ALIAS("fpm",    "feet/min")        \
    ALIAS("ft/s",   "feet/sec")        \
    ALIAS("fps",    "feet/sec")        \
    ALIAS("in/s",   "inches/sec")      \
    ALIAS("cm/s",   "centimeters/sec") \
    ALIAS("km/h",   "kilometers/hour") \
    ALIAS("kph",    "kilometers/hour") \
    ALIAS("m/h",    "meters/hour")     \
    ALIAS("m/hr",   "meters/hour")     \
    ALIAS("m/min",  "meters/min")      \
    ALIAS("m/s",    "meters/sec")      \
    ALIAS("m/sec",  "meters/sec")

MEZURA_UNIT_TABLE(g_VelocityUnits, VELOCITY_UNITS, VELOCITY_ALIASES)
