// Viscosity units for CvtViscosity and their usual symbols, in table order; base unit "centipoises".
#include "unit_table.h"

#define VISCOSITY_UNITS(UNIT)                                \
    UNIT(1, "centipoises",                   1.0)            \
    UNIT(2, "poise",                         0.01)           \
    UNIT(3, "grams/centimeter-sec",          0.01)           \
    UNIT(4, "pounds/foot-sec",               0.00067196895)  \
    UNIT(5, "pounds/foot-hour",              2.419088)       \
    UNIT(6, "pounds(force)-sec/square foot", 2.088543e-05)   \
    UNIT(7, "kilograms/meter-hour",          3.6)            \
    UNIT(8, "Newton-sec/square meter",       0.001)          \
    UNIT(9, "Pascal-sec",                    0.001)

#define VISCOSITY_ALIASES(ALIAS)                        \
    ALIAS("cP",        "centipoises")                   \
    ALIAS("mPa-s",     "centipoises")                   \
    ALIAS("P",         "poise")                         \
    ALIAS("g/cm-s",    "grams/centimeter-sec")          \
    ALIAS("lb/ft-s",   "pounds/foot-sec")               \
    ALIAS("lb/ft-h",   "pounds/foot-hour")              \
    ALIAS("lbf-s/ft2", "pounds(force)-sec/square foot") \
    ALIAS("kg/m-h",    "kilograms/meter-hour")          \
    ALIAS("N-s/m2",    "Newton-sec/square meter")       \
    ALIAS("Pa-s",      "Pascal-sec")

MEZURA_UNIT_TABLE(g_ViscosityUnits, VISCOSITY_UNITS, VISCOSITY_ALIASES)
