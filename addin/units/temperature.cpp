// ConvertTemperature, behind CvtTemperature: temperatures convert by formulas through degrees Fahrenheit.
#include "conversion.h"

namespace {

enum TemperatureUnit : short { kCelsius = 1, kKelvin = 2, kFahrenheit = 3, kRankine = 4 };

// Products and sums are carried in 80-bit precision and rounded to a double once per step.
// The Fahrenheit value in between is stored as a double, which is why 273.15 Kelvin come
// out a hair below 0 degrees C instead of 0.
long double ToFahrenheit(short unit, long double v) {
    switch (unit) {
    case kCelsius: return v * 1.8 + 32.0;
    case kKelvin: return v * 1.8 - 459.67;
    case kRankine: return v - 459.67;
    default: return v;  // kFahrenheit
    }
}

long double FromFahrenheit(short unit, long double t) {
    switch (unit) {
    case kCelsius: return (t - 32.0) / 1.8;
    case kKelvin: return (t + 459.67) / 1.8;
    case kRankine: return t + 459.67;
    default: return t;  // kFahrenheit
    }
}

// Each conversion between two different units passes through degrees Fahrenheit.
__attribute__((noinline)) void ConvertTemperatureNumber(const UnitEntry*, short fromIndex, short toIndex,
                                                        double number, double* converted) {
    if (fromIndex == toIndex) {
        *converted = number;
        return;
    }
    // volatile: the i686 compiler would otherwise keep t in an x87 register unrounded.
    volatile double t = static_cast<double>(ToFahrenheit(fromIndex, number));
    *converted = static_cast<double>(FromFahrenheit(toIndex, t));
}

}  // namespace

XLOPER* ConvertTemperature(XLOPER* value, XLOPER* units, XLOPER* newUnits, const UnitEntry* table, WORD count) {
    static XLOPER errorResult;  // this converter's own; valid until its next failing call
    return AnswerConversion(&errorResult, Convert(value, units, newUnits, table, count, ConvertTemperatureNumber));
}

XLOPER12* ConvertTemperature(XLOPER12* value, XLOPER12* units, XLOPER12* newUnits, const UnitEntry* table,
                             WORD count) {
    return AnswerConversion(Convert(value, units, newUnits, table, count, ConvertTemperatureNumber));
}
