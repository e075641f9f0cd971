// The conversion functions of functions.inc: each hands its arguments and its own unit table to its converter.
#include "conversion.h"

#define MEZURA_CONVERSION(procedure, type, arguments, category, context, description, helps, table, count, converter, source) \
    static_assert(sizeof(type) == 5, #procedure ": a conversion registers three arguments");                             \
    XLL_EXPORT XLOPER* XLLAPI procedure(XLOPER* value, XLOPER* units, XLOPER* newUnits) {                                \
        return converter(value, units, newUnits, table, count);                                                          \
    }
#include "functions.inc"
