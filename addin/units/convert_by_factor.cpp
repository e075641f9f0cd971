// ConvertByFactor: the converter behind the sixteen factor categories.
#include "conversion.h"

namespace {

// The quotient of the factors is carried in 80-bit precision into the product and only the
// product is rounded to a double: 12 inches are then 0.9999999999999999 feet, where a quotient
// rounded first would give exactly 1. Entries are taken by position.
__attribute__((noinline)) void ConvertNumberByFactor(const UnitEntry* table, short fromIndex, short toIndex,
                                                     double number, double* converted) {
    long double quotient =
        static_cast<long double>(table[toIndex - 1].factor) / static_cast<long double>(table[fromIndex - 1].factor);
    *converted = static_cast<double>(quotient * static_cast<long double>(number));
}

}  // namespace

XLOPER* ConvertByFactor(XLOPER* value, XLOPER* units, XLOPER* newUnits, const UnitEntry* table, WORD count) {
    static XLOPER errorResult;  // shared by the sixteen categories; valid until the next failing call
    return AnswerConversion(&errorResult, Convert(value, units, newUnits, table, count, ConvertNumberByFactor));
}

XLOPER12* ConvertByFactor(XLOPER12* value, XLOPER12* units, XLOPER12* newUnits, const UnitEntry* table, WORD count) {
    return AnswerConversion(Convert(value, units, newUnits, table, count, ConvertNumberByFactor));
}
