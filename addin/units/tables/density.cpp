// Density units for CvtDensity and their usual symbols, in table order; base unit "pounds/gallon".
#include "unit_table.h"

#define DENSITY_UNITS(UNIT)                                   \
    UNIT( 1, "pounds/gallon",          1.0)                   \
    UNIT( 2, "pounds/cubic foot",      7.48051948051948)      \
    UNIT( 3, "pounds/cubic inch",      0.004329004329004329)  \
    UNIT( 4, "ounces/cubic inch",      0.06926406926406926)   \
    UNIT( 5, "short tons/cubic yard",  0.100987012987)        \
    UNIT( 6, "grains/cubic inch",      30.303030303030305)    \
    UNIT( 7, "grams/liter",            119.826427317)         \
    UNIT( 8, "kilograms/cubic meter",  119.826427317)         \
    UNIT( 9, "grains/gallon",          7000.0)                \
    UNIT(10, "grams/cubic centimeter", 0.119826427317)        \
    UNIT(11, "grams/milliliter",       0.119826427317)        \
    UNIT(12, "kilograms/liter",        0.119826427317)

#define DENSITY_ALIASES(ALIAS)                \
    ALIAS("lb/ft3", "pounds/cubic foot")      \
    ALIAS("lb/in3", "pounds/cubic inch")      \
    ALIAS("g/L",    "grams/liter")            \
    ALIAS("kg/m3",  "kilograms/cubic meter")  \
    ALIAS("g/cm3",  "grams/cubic centimeter") \
    ALIAS("g/mL",   "grams/milliliter")       \
    ALIAS("kg/L",   "kilograms/liter")

MEZURA_UNIT_TABLE(g_DensityUnits, DENSITY_UNITS, DENSITY_ALIASES)
