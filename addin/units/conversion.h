// The conversion engine: argument resolution, the factor converter and the temperature formulas.
#pragma once

#include <cstddef>

#include "host_records.h"
#include "unit_catalogue.h"
#include "xloper.h"
#include "xloper12.h"

// Finds the entry whose label equals the counted string `text` (letter case of A-Z aside).
// Answers 0 and writes the entry's index, or -1 when no label matches.
int FindUnitByLabel(const char* text, const UnitEntry* table, WORD count, short* index);

// Finds the alias equal to the counted string `text` (letter case of A-Z aside) in a list ended
// by the row of index 0. Answers 0 and writes the unit's index, or -1.
int FindUnitByAlias(const char* text, const UnitAlias* aliases, short* index);

// A unit of `table` named by `text`: by its label, else by an alias of its quantity. Answers 0
// and writes the unit's index, or -1.
int FindUnit(const char* text, const UnitEntry* table, WORD count, short* index);

// Coerces `value` to a number and resolves both units (an index number, else a label or an
// alias) in `table`. Answers 0 with the three out-parameters written, or xlerrValue / xlerrName.
// A label given as an XLOPER12 text is read through the ANSI code page, as Excel hands it to
// the XLOPER interface, and matched the same way.
template <class Record>
int ResolveConversionArgs(Record* value, Record* units, Record* newUnits, double* number, short* fromIndex,
                          short* toIndex, const UnitEntry* table, WORD count);

// How a converter turns the number from unit `fromIndex` into unit `toIndex` of `table`,
// written to `converted`. Called within ExtendedPrecision and never inlined there
// (extended_precision.h).
typedef void (*NumberConversion)(const UnitEntry* table, short fromIndex, short toIndex, double number,
                                 double* converted);

// One conversion: the error code (0 when it resolved), the unit wanted and the number.
struct ConvertedNumber {
    int code;
    const UnitEntry* to;
    double number;
};

// Resolves the arguments and, when they resolve, converts the number at the precision the
// conversions are defined with, whatever the calling thread's.
template <class Record>
ConvertedNumber Convert(Record* value, Record* units, Record* newUnits, const UnitEntry* table, WORD count,
                   NumberConversion conversion);

// The answer of a conversion through each interface: {number, label of the unit wanted} in one
// block flagged for xlAutoFree / xlAutoFree12; an error in the converter's own static record
// (XLOPER) or one of the constant error records (XLOPER12). A number that is not finite (an
// overflow to infinity, or a NaN or infinite argument: no cell can show either), and a block
// the heap cannot supply, answer #VALUE!. Nothing is allocated for an error.
XLOPER* AnswerConversion(XLOPER* errorRecord, const ConvertedNumber& conversion);
XLOPER12* AnswerConversion(const ConvertedNumber& conversion);

// The blocks those answers are: the 1x2 array record followed by its two elements.
struct ConversionResult {
    XLOPER array;
    XLOPER elements[2];
};
struct ConversionResult12 {
    XLOPER12 array;
    XLOPER12 elements[2];
};

// The converter of the sixteen factor categories, through either interface.
XLOPER* ConvertByFactor(XLOPER* value, XLOPER* units, XLOPER* newUnits, const UnitEntry* table, WORD count);
XLOPER12* ConvertByFactor(XLOPER12* value, XLOPER12* units, XLOPER12* newUnits, const UnitEntry* table, WORD count);

// The temperature converter: the same resolution, then formulas through degrees Fahrenheit for
// a table whose units 1 to 4 are degrees C, Kelvin, degrees F and degrees Rankine. Its error
// record (XLOPER) is its own.
XLOPER* ConvertTemperature(XLOPER* value, XLOPER* units, XLOPER* newUnits, const UnitEntry* table, WORD count);
XLOPER12* ConvertTemperature(XLOPER12* value, XLOPER12* units, XLOPER12* newUnits, const UnitEntry* table,
                             WORD count);

// The exported conversion functions of functions.inc, each handing its arguments and its unit
// table to its converter (cvt_functions.cpp): `procedure` for a host on the Excel4 path,
// `procedure`12 for one on the Excel12 path, registered thread-safe.
#define MEZURA_CONVERSION(procedure, type, arguments, category, context, description, helps, table, count, converter, source) \
    XLL_EXPORT XLOPER* XLLAPI procedure(XLOPER* value, XLOPER* units, XLOPER* newUnits);                                     \
    XLL_EXPORT XLOPER12* XLLAPI procedure##12(XLOPER12* value, XLOPER12* units, XLOPER12* newUnits);
#include "functions.inc"

// The labels of one quantity's unit table (the quantity named as its function without "Cvt",
// letter case aside, or by its number in the order of the functions) as one column, row n
// holding index n, in one block flagged for xlAutoFree with copies of the labels; #NAME? for a
// quantity that names none, #VALUE! when the heap cannot supply the block (unit_labels.cpp).
// UnitLabels12 answers the same in UTF-16, in a block for xlAutoFree12, or a constant error record.
XLL_EXPORT XLOPER* XLLAPI UnitLabels(XLOPER* quantity);
XLL_EXPORT XLOPER12* XLLAPI UnitLabels12(XLOPER12* quantity);
