// The unit catalogue: one table of units per quantity with its aliases, and the preparation of their labels at load.
#pragma once

#include <cstddef>

#include "xloper.h"
#include "xloper12.h"

// One unit of a table. The label is stored as a placeholder text (a blank, the characters, a
// zero) until PrepareUnitLabels turns the blank into the length byte; from then on it is a
// counted string that is still zero-terminated, and results point straight at it. The same
// preparation writes the label's UTF-16 form, which results of the Excel12 path point at;
// both are only read after attach, by any number of threads.
struct UnitEntry {
    short index;    // position in the table, counted from 1
    char* label;
    XCHAR* wideLabel;
    double factor;  // how many of this unit make one base unit of the table
};

// Room for an alias: its length byte, at most 14 characters, a zero.
constexpr size_t kAliasStorage = 16;

// A symbol engineers type for a unit of a table ("ft" for "feet"), compared as labels are (the
// case of A-Z aside) and looked at only when no label matches. The symbol is a counted string
// that is also zero-terminated; `index` is the unit's. A table's aliases end with a row whose
// index is 0.
struct UnitAlias {
    char symbol[kAliasStorage];
    short index;
};

// Each conversion's unit table, as functions.inc names it: `count` entries, and the aliases of
// its units (the table's name followed by Aliases), both defined in its file under tables/.
#define MEZURA_CONVERSION(procedure, type, arguments, category, context, description, helps, table, count, converter, source) \
    extern UnitEntry table[count];                                                                                     \
    extern const UnitAlias table##Aliases[];
#include "functions.inc"

// One quantity: its name (its conversion function's without "Cvt", as a counted string), its
// unit table and the aliases of its units.
struct UnitCategory {
    char name[24];
    UnitEntry* units;
    WORD count;
    const UnitAlias* aliases;
};

// The quantities in the order of their conversion functions: quantity n is g_unitCategories[n - 1].
extern const UnitCategory g_unitCategories[];
extern const WORD kUnitCategoryCount;

// The quantity whose unit table is `table`; null for a table of no quantity.
const UnitCategory* CategoryOfTable(const UnitEntry* table);

// Turns the labels of the first `count` entries into counted strings in place, and writes
// their UTF-16 forms. Running it again leaves them unchanged.
void PrepareLabelTable(UnitEntry* table, WORD count);

// Prepares the labels of every conversion's table; the DLL attach calls it once.
void PrepareUnitLabels();
