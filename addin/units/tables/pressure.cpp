// Pressure units for CvtPressure, in table order; base unit "pounds/square inch".
#include "unit_table.h"

#define PRESSURE_UNITS(UNIT)                              \
    UNIT( 1, "pounds/square inch",        1.0)            \
    UNIT( 2, "pounds/square foot",        144.0)          \
    UNIT( 3, "atmospheres",               0.0680459639)   \
    UNIT( 4, "millibars",                 68.9475729)     \
    UNIT( 5, "bars",                      0.0689475729)   \
    UNIT( 6, "inches of water",           27.7075924)     \
    UNIT( 7, "feet of water",             2.30896603)     \
    UNIT( 8, "inches of mercury",         2.041772)       \
    UNIT( 9, "kips/square inch",          0.001)          \
    UNIT(10, "dynes/square cm",           68947.5729)     \
    UNIT(11, "grams(f)/square cm",        70.306958)      \
    UNIT(12, "kilograms(f)/square cm",    0.070306958)    \
    UNIT(13, "kilograms(f)/square meter", 703.06958)      \
    UNIT(14, "kiloPascals",               6.89475729)     \
    UNIT(15, "Pascals",                   6894.75729)     \
    UNIT(16, "torrs",                     51.71492)       \
    UNIT(17, "millimeters of mercury",    51.71492)       \
    UNIT(18, "centimeters of mercury",    5.171492)       \
    UNIT(19, "millimeters of water",      703.0889)       \
    UNIT(20, "centimeters of water",      70.30889)       \
    UNIT(21, "megaPascals",               0.00689475729)

MEZURA_UNIT_TABLE(g_PressureUnits, PRESSURE_UNITS)
