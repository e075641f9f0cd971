// The conversion functions of functions.inc: each hands its arguments and its own unit table to its converter, through either interface.
#include "conversion.h"

#define MEZURA_CONVERSION(procedure, type, arguments, category, context, description, helps, table, count, converter, source) \
    static_assert(sizeof(type) == 5, #procedure ": a conversion registers three arguments");                             \
    XLL_EXPORT XLOPER* XLLAPI procedure(XLOPER* value, XLOPER* units, XLOPER* newUnits) {                                \
        return converter(value, units, newUnits, table, count);                                                          \
    }                                                                                                                    \
    XLL_EXPORT XLOPER12* XLLAPI procedure##12(XLOPER12* value, XLOPER12* units, XLOPER12* newUnits) {                    \
        return converter(value, units, newUnits, table, count);                                                          \
    }
#include "functions.inc"
