// PrepareUnitLabels: turns every unit label from placeholder text into a counted string at load, and writes its UTF-16 form.
#include "counted_text.h"
#include "tables/unit_table.h"
#include "unit_catalogue.h"
#include "wide_text.h"

void PrepareLabelTable(UnitEntry* table, WORD count) {
    for (WORD i = 0; i < count; ++i) {
        PreparePlaceholder(table[i].label);
        WidenCountedText(table[i].label, table[i].wideLabel, unit_table::kLabelStorage);
    }
}

void PrepareUnitLabels() {
#define MEZURA_CONVERSION(procedure, type, arguments, category, context, description, helps, table, count, converter, source) \
    PrepareLabelTable(table, count);
#include "functions.inc"
}
