// Viscosity units for CvtViscosity, in table order; base unit "centipoises".
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

MEZURA_UNIT_TABLE(g_ViscosityUnits, VISCOSITY_UNITS)
