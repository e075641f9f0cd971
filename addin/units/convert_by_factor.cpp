// ConvertByFactor: the converter behind the sixteen factor categories.
#include "conversion.h"

XLOPER* ConvertByFactor(XLOPER* value, XLOPER* units, XLOPER* newUnits, const UnitEntry* table, WORD count) {
    static XLOPER errorResult;  // shared by the sixteen categories; valid until the next failing call

    double number;
    short fromIndex, toIndex;
    int code = ResolveConversionArgs(value, units, newUnits, &number, &fromIndex, &toIndex, table, count);
    if (code != 0) return StoreError(&errorResult, code);

    const UnitEntry& from = table[fromIndex - 1];
    const UnitEntry& to = table[toIndex - 1];
    // The quotient of the factors is carried in 80-bit precision into the product and only
    // the product is rounded to a double: 12 inches are then 0.9999999999999999 feet, where a
    // quotient rounded first would give exactly 1.
    long double quotient = static_cast<long double>(to.factor) / static_cast<long double>(from.factor);
    return AnswerConversion(&errorResult, to.label, static_cast<double>(quotient * static_cast<long double>(number)));
}
