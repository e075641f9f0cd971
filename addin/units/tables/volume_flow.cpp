// Volume flow units for CvtVolumeFlow and their usual symbols, in table order; base unit "gallons/min".
#include "unit_table.h"

#define VOLUME_FLOW_UNITS(UNIT)                                \
    UNIT( 1, "gallons/hour",          60.0)                    \
    UNIT( 2, "gallons/min",           1.0)                     \
    UNIT( 3, "gallons/sec",           0.016666666666666666)    \
    UNIT( 4, "million gallons/day",   0.00144)                 \
    UNIT( 5, "acre-feet/hour",        0.00018413380389749884)  \
    UNIT( 6, "barrels/day",           34.2857143)              \
    UNIT( 7, "barrels/hour",          1.42857143)              \
    UNIT( 8, "barrels/min",           0.023809523809523808)    \
    UNIT( 9, "barrels(beer)/day",     46.4516129)              \
    UNIT(10, "barrels(beer)/hour",    1.93548387)              \
    UNIT(11, "barrels(beer)/min",     0.03225806451612903)     \
    UNIT(12, "cubic feet/day",        192.5)                   \
    UNIT(13, "cubic feet/hour",       8.02083333)              \
    UNIT(14, "cubic feet/min",        0.133680556)             \
    UNIT(15, "cubic feet/sec",        0.00222800926)           \
    UNIT(16, "cubic meters/day",      5.450992969)             \
    UNIT(17, "cubic meters/hour",     0.227124707)             \
    UNIT(18, "cubic meters/min",      0.003785411784)          \
    UNIT(19, "cubic meters/sec",      6.30901964e-05)          \
    UNIT(20, "hectoliters/hour",      2.27124707)              \
    UNIT(21, "hectoliters/min",       0.03785411784)           \
    UNIT(22, "hectoliters/sec",       0.000630901964)          \
    UNIT(23, "liters/hour",           227.124707)              \
    UNIT(24, "liters/min",            3.785411784)             \
    UNIT(25, "liters/sec",            0.0630901964)            \
    UNIT(26, "Imperial gallons/hour", 49.960484)               \
    UNIT(27, "Imperial gallons/min",  0.832674734)             \
    UNIT(28, "Imperial gallons/sec",  0.0138779122)

#define VOLUME_FLOW_ALIASES(ALIAS)         \
    ALIAS("gph",    "gallons/hour")        \
    ALIAS("gpm",    "gallons/min")         \
    ALIAS("MGD",    "million gallons/day") \
    ALIAS("cfd",    "cubic feet/day")      \
    ALIAS("cfh",    "cubic feet/hour")     \
    ALIAS("cfm",    "cubic feet/min")      \
    ALIAS("cfs",    "cubic feet/sec")      \
    ALIAS("m3/d",   "cubic meters/day")    \
    ALIAS("m3/h",   "cubic meters/hour")   \
    ALIAS("m3/min", "cubic meters/min")    \
    ALIAS("m3/s",   "cubic meters/sec")    \
    ALIAS("L/h",    "liters/hour")         \
    ALIAS("L/min",  "liters/min")          \
    ALIAS("L/s",    "liters/sec")

MEZURA_UNIT_TABLE(g_VolumeFlowUnits, VOLUME_FLOW_UNITS, VOLUME_FLOW_ALIASES)
