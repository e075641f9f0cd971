// Pressure units for CvtPressure and their usual symbols, in table order; base unit "pounds/square inch".
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

#define PRESSURE_ALIASES(ALIAS)                   \
    ALIAS("psi",     "pounds/square inch")        \
    ALIAS("psf",     "pounds/square foot")        \
    ALIAS("atm",     "atmospheres")               \
    ALIAS("mbar",    "millibars")                 \
    ALIAS("bar",     "bars")                      \
    ALIAS("inH2O",   "inches of water")           \
    ALIAS("ftH2O",   "feet of water")             \
    ALIAS("inHg",    "inches of mercury")         \
    ALIAS("ksi",     "kips/square inch")          \
    ALIAS("dyn/cm2", "dynes/square cm")           \
    ALIAS("gf/cm2",  "grams(f)/square cm")        \
    ALIAS("kgf/cm2", "kilograms(f)/square cm")    \
    ALIAS("kgf/m2",  "kilograms(f)/square meter") \
    ALIAS("kPa",     "kiloPascals")               \
    ALIAS("Pa",      "Pascals")                   \
    ALIAS("Torr",    "torrs")                     \
    ALIAS("mmHg",    "millimeters of mercury")    \
    ALIAS("cmHg",    "centimeters of mercury")    \
    ALIAS("mmH2O",   "millimeters of water")      \
    ALIAS("cmH2O",   "centimeters of water")      \
    ALIAS("MPa",     "megaPascals")

MEZURA_UNIT_TABLE(g_PressureUnits, PRESSURE_UNITS, PRESSURE_ALIASES)
