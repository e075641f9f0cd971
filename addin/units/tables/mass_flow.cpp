// Mass flow units for CvtMassFlow and their usual symbols, in table order; base unit "kilograms/sec".
#include "unit_table.h"

#define MASS_FLOW_UNITS(UNIT)                            \
    UNIT( 1, "kilograms/sec",    1.0)                    \
    UNIT( 2, "kilograms/min",    60.0)                   \
    UNIT( 3, "kilograms/hour",   3600.0)                 \
    UNIT( 4, "kilograms/day",    86400.0)                \
    UNIT( 5, "grams/sec",        1000.0)                 \
    UNIT( 6, "grams/min",        60000.0)                \
    UNIT( 7, "grams/hour",       3600000.0)              \
    UNIT( 8, "metric tons/sec",  0.001)                  \
    UNIT( 9, "metric tons/min",  0.06)                   \
    UNIT(10, "metric tons/hour", 3.6)                    \
    UNIT(11, "metric tons/day",  86.4)                   \
    UNIT(12, "pounds/sec",       2.2046226218487757)     \
    UNIT(13, "pounds/min",       132.27735731092653)     \
    UNIT(14, "pounds/hour",      7936.6414386555925)     \
    UNIT(15, "pounds/day",       190479.39452773423)     \
    UNIT(16, "short tons/sec",   0.001102311310924388)   \
    UNIT(17, "short tons/min",   0.06613867865546327)    \
    UNIT(18, "short tons/hour",  3.9683207193277963)     \
    UNIT(19, "short tons/day",   95.23969726386711)      \
    UNIT(20, "long tons/sec",    0.0009842065276110606)  \
    UNIT(21, "long tons/min",    0.059052391656663636)   \
    UNIT(22, "long tons/hour",   3.5431434993998185)     \
    UNIT(23, "long tons/day",    85.03544398559563)

#define MASS_FLOW_ALIASES(ALIAS)      \
    ALIAS("kg/s",   "kilograms/sec")  \
    ALIAS("kg/min", "kilograms/min")  \
    ALIAS("kg/h",   "kilograms/hour") \
    ALIAS("kg/hr",  "kilograms/hour") \
    ALIAS("kg/d",   "kilograms/day")  \
    ALIAS("g/s",    "grams/sec")      \
    ALIAS("g/min",  "grams/min")      \
    ALIAS("g/h",    "grams/hour")     \
    ALIAS("lb/s",   "pounds/sec")     \
    ALIAS("lb/min", "pounds/min")     \
    ALIAS("lb/h",   "pounds/hour")    \
    ALIAS("lb/hr",  "pounds/hour")    \
    ALIAS("lb/d",   "pounds/day")

MEZURA_UNIT_TABLE(g_MassFlowUnits, MASS_FLOW_UNITS, MASS_FLOW_ALIASES)
