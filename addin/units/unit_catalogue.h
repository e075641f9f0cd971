// The unit catalogue: one table of units per quantity, and the preparation of their labels at load.
#pragma once

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

// Each conversion's unit table, as functions.inc names it: `count` entries, defined in its
// file under tables/.
#define MEZURA_CONVERSION(procedure, type, arguments, category, context, description, helps, table, count, converter, source) \
    extern UnitEntry table[count];
#include "functions.inc"

// Turns the labels of the first `count` entries into counted strings in place, and writes
// their UTF-16 forms. Running it again leaves them unchanged.
void PrepareLabelTable(UnitEntry* table, WORD count);

// Prepares the labels of every conversion's table; the DLL attach calls it once.
void PrepareUnitLabels();
