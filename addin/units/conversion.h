// The conversion engine: argument resolution, the factor converter and the temperature formulas.
#pragma once

#include <cstddef>

#include "host_records.h"
#include "unit_catalogue.h"
#include "xloper.h"

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
int ResolveConversionArgs(XLOPER* value, XLOPER* units, XLOPER* newUnits, double* number,
                          short* fromIndex, short* toIndex, const UnitEntry* table, WORD count);

// The converter of the sixteen factor categories: {number, label of the unit wanted} in one
// block flagged for xlAutoFree, or the address of its static error record.
XLOPER* ConvertByFactor(XLOPER* value, XLOPER* units, XLOPER* newUnits, const UnitEntry* table, WORD count);

// One heap block: the 1x2 array record followed by its two elements.
struct ConversionResult {
    XLOPER array;
    XLOPER elements[2];
};

// The answer of a conversion that resolved: a result block holding `number` and the
// catalogue's own `label`, or #VALUE! in `errorRecord` when the number is not finite (an
// overflow to infinity, or a NaN or infinite argument: no cell can show either) or the heap
// cannot supply the block. Nothing is allocated for an error.
XLOPER* AnswerConversion(XLOPER* errorRecord, char* label, double number);

// The temperature converter: the same resolution, then formulas through degrees Fahrenheit for
// a table whose units 1 to 4 are degrees C, Kelvin, degrees F and degrees Rankine. Its error
// record is its own.
XLOPER* ConvertTemperature(XLOPER* value, XLOPER* units, XLOPER* newUnits, const UnitEntry* table, WORD count);

// The exported conversion functions of functions.inc, each handing its arguments and its unit
// table to its converter (cvt_functions.cpp).
#define MEZURA_CONVERSION(procedure, type, arguments, category, context, description, helps, table, count, converter, source) \
    XLL_EXPORT XLOPER* XLLAPI procedure(XLOPER* value, XLOPER* units, XLOPER* newUnits);
#include "functions.inc"

// The labels of one quantity's unit table (the quantity named as its function without "Cvt",
// letter case aside, or by its number in the order of the functions) as one column, row n
// holding index n, in one block flagged for xlAutoFree with copies of the labels; #NAME? for a
// quantity that names none, #VALUE! when the heap cannot supply the block (unit_labels.cpp).
XLL_EXPORT XLOPER* XLLAPI UnitLabels(XLOPER* quantity);
