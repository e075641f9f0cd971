// Mass units for CvtMass and their usual symbols, in table order; base unit "kilograms".
#include "unit_table.h"

#define MASS_UNITS(UNIT)                                     \
    UNIT( 1, "kilograms",            1.0)                    \
    UNIT( 2, "grams",                1000.0)                 \
    UNIT( 3, "carats",               5000.0)                 \
    UNIT( 4, "milligrams",           1000000.0)              \
    UNIT( 5, "metric tons",          0.001)                  \
    UNIT( 6, "drams",                564.3833911932866)      \
    UNIT( 7, "ounces",               35.27396194958041)      \
    UNIT( 8, "pounds",               2.2046226218487757)     \
    UNIT( 9, "short tons",           0.001102311310924388)   \
    UNIT(10, "long tons",            0.0009842065276110606)  \
    UNIT(11, "grains",               15432.35835294143)      \
    UNIT(12, "long hundredweights",  0.01968413055222121)    \
    UNIT(13, "short hundredweights", 0.022046226218487758)   \
    UNIT(14, "pennyweights",         643.0149313725597)      \
    UNIT(15, "troy ounces",          32.15074656862798)      \
    UNIT(16, "troy pounds",          2.6792288807189983)     \
    UNIT(17, "apothecary drams",     257.20597254902384)     \
    UNIT(18, "apothecary ounces",    32.15074656862798)      \
    UNIT(19, "apothecary pounds",    2.6792288807189983)     \
    UNIT(20, "apothecary scruples",  771.6179176470715)

#define MASS_ALIASES(ALIAS)        \
    ALIAS("kg",    "kilograms")    \
    ALIAS("g",     "grams")        \
    ALIAS("mg",    "milligrams")   \
    ALIAS("ct",    "carats")       \
    ALIAS("tonne", "metric tons")  \
    ALIAS("ozm",   "ounces")       \
    ALIAS("lb",    "pounds")       \
    ALIAS("lbm",   "pounds")       \
    ALIAS("grain", "grains")       \
    ALIAS("dwt",   "pennyweights") \
    ALIAS("ozt",   "troy ounces")  \
    ALIAS("uk_ton", "long tons")   \
    ALIAS("LTON",  "long tons")    \
    ALIAS("uk_cwt", "long hundredweights")

MEZURA_UNIT_TABLE(g_MassUnits, MASS_UNITS, MASS_ALIASES)
