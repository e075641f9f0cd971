// Volume units for CvtVolume and their usual symbols, in table order; base unit "gallons".
#include "unit_table.h"

#define VOLUME_UNITS(UNIT)                                 \
    UNIT( 1, "gallons",           1.0)                     \
    UNIT( 2, "cubic feet",        0.133680556)             \
    UNIT( 3, "cubic inches",      231.0)                   \
    UNIT( 4, "cubic yards",       0.00495113169)           \
    UNIT( 5, "cubic meters",      0.003785411784)          \
    UNIT( 6, "dekaliters",        0.3785411784)            \
    UNIT( 7, "fluid drams",       1024.0)                  \
    UNIT( 8, "dry gallons",       0.859367)                \
    UNIT( 9, "Imperial gallons",  0.8326747)               \
    UNIT(10, "gills",             32.0)                    \
    UNIT(11, "hectoliters",       0.03785411784)           \
    UNIT(12, "liters",            3.785411784)             \
    UNIT(13, "cubic centimeters", 3785.411784)             \
    UNIT(14, "milliliters",       3785.411784)             \
    UNIT(15, "minims",            61440.0)                 \
    UNIT(16, "fluid ounces",      128.0)                   \
    UNIT(17, "pints",             8.0)                     \
    UNIT(18, "quarts",            4.0)                     \
    UNIT(19, "acre-feet",         3.0688967316249808e-06)  \
    UNIT(20, "barrels(beer)",     0.03225806451612903)     \
    UNIT(21, "barrels",           0.023809523809523808)    \
    UNIT(22, "bushels",           0.107420876)

#define VOLUME_ALIASES(ALIAS)            \
    ALIAS("ft3",    "cubic feet")        \
    ALIAS("in3",    "cubic inches")      \
    ALIAS("yd3",    "cubic yards")       \
    ALIAS("m3",     "cubic meters")      \
    ALIAS("uk_gal", "Imperial gallons")  \
    ALIAS("hL",     "hectoliters")       \
    ALIAS("L",      "liters")            \
    ALIAS("lt",     "liters")            \
    ALIAS("cm3",    "cubic centimeters") \
    ALIAS("cc",     "cubic centimeters") \
    ALIAS("mL",     "milliliters")       \
    ALIAS("ac-ft",  "acre-feet")

MEZURA_UNIT_TABLE(g_VolumeUnits, VOLUME_UNITS, VOLUME_ALIASES)
