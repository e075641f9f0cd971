// PrepareUnitLabels: turns every unit label from placeholder text into a counted string at load.
#include "counted_text.h"
#include "unit_catalogue.h"

void PrepareLabelTable(UnitEntry* table, WORD count) {
    for (WORD i = 0; i < count; ++i) PreparePlaceholder(table[i].label);
}

void PrepareUnitLabels() {
#define MEZURA_CONVERSION(procedure, type, arguments, category, context, description, helps, table, count, converter, source) \
    PrepareLabelTable(table, count);
#include "functions.inc"
}
