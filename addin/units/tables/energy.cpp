// Energy units for CvtEnergy and their usual symbols, in table order; base unit "joules" (and "watt-seconds").
#include "unit_table.h"

#define ENERGY_UNITS(UNIT)                                            \
    UNIT( 1, "joules",                       1.0)                     \
    UNIT( 2, "Ergs",                         10000000.0)              \
    UNIT( 3, "BTU",                          0.000947831)             \
    UNIT( 4, "BTU(@39degF)",                 0.00094369)              \
    UNIT( 5, "BTU(@60degF)",                 0.000948156)             \
    UNIT( 6, "BTU(mean)",                    0.0009470863)            \
    UNIT( 7, "BTU(thermochemical)",          0.000948451414752)       \
    UNIT( 8, "calories",                     0.238849)                \
    UNIT( 9, "calories(@15degC)",            0.238903)                \
    UNIT(10, "calories(@20degC)",            0.239126)                \
    UNIT(11, "calories(mean)",               0.238662)                \
    UNIT(12, "calories(thermochemical)",     0.2390057361376673)      \
    UNIT(13, "centigrade heat units",        0.000526573)             \
    UNIT(14, "electronvolts",                6.24181e+18)             \
    UNIT(15, "foot-pounds(force)",           0.737562)                \
    UNIT(16, "horsepower-hours",             3.72506e-07)             \
    UNIT(17, "horsepower-hours(metric)",     3.7767e-07)              \
    UNIT(18, "kilocalories",                 0.000238849)             \
    UNIT(19, "kilocalories(mean)",           0.000238662)             \
    UNIT(20, "kilocalories(thermochemical)", 0.0002390057361376673)   \
    UNIT(21, "kilowatt-hours",               2.7777777777777776e-07)  \
    UNIT(22, "liter-atmospheres",            0.00986894)              \
    UNIT(23, "megajoules",                   1e-06)                   \
    UNIT(24, "quads",                        9.47831e-19)             \
    UNIT(25, "therms(EEC)",                  9.47831e-09)             \
    UNIT(26, "therms(US)",                   9.48058e-09)             \
    UNIT(27, "watt-seconds",                 1.0)                     \
    UNIT(28, "watt-hour",                    0.0002777777777777778)   \
    UNIT(29, "kilogram-meters",              0.1019716)

#define ENERGY_ALIASES(ALIAS)             \
    ALIAS("J",      "joules")             \
    ALIAS("eV",     "electronvolts")      \
    ALIAS("ft-lbf", "foot-pounds(force)") \
    ALIAS("flb",    "foot-pounds(force)") \
    ALIAS("HPh",    "horsepower-hours")   \
    ALIAS("kWh",    "kilowatt-hours")     \
    ALIAS("MJ",     "megajoules")         \
    ALIAS("Wh",     "watt-hour")

MEZURA_UNIT_TABLE(g_EnergyUnits, ENERGY_UNITS, ENERGY_ALIASES)
