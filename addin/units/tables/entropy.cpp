// Entropy units for CvtEntropy and their usual symbols, in table order; base unit "BTU/pound-degF".
#include "unit_table.h"

#define ENTROPY_UNITS(UNIT)                          \
    UNIT(1, "kiloJoules/kilogram-K",      4.18674)   \
    UNIT(2, "BTU/pound-degF",             1.0)       \
    UNIT(3, "calories/gram-degC",         0.999998)  \
    UNIT(4, "kilocalories/kilogram-degC", 0.999998)  \
    UNIT(5, "Joules/gram-K",              4.18674)

#define ENTROPY_ALIASES(ALIAS)                    \
    ALIAS("kJ/kg-K",     "kiloJoules/kilogram-K") \
    ALIAS("BTU/lb-F",    "BTU/pound-degF")        \
    ALIAS("BTU/lb-degF", "BTU/pound-degF")        \
    ALIAS("J/g-K",       "Joules/gram-K")

MEZURA_UNIT_TABLE(g_EntropyUnits, ENTROPY_UNITS, ENTROPY_ALIASES)
