// How a unit table is written down: its rows listed once as UNIT(index, label, factor).
#pragma once

#include <cstddef>
#include <iterator>

#include "../unit_catalogue.h"

namespace unit_table {

// Room for the longest label (29 characters) with its length byte and its terminator;
// a longer label does not compile.
constexpr size_t kLabelStorage = 31;

template <size_t N>
constexpr bool IndicesRunFromOne(const short (&indices)[N]) {
    for (size_t i = 0; i < N; ++i)
        if (indices[i] != short(i + 1)) return false;
    return true;
}

}  // namespace unit_table

#define MEZURA_LABEL_TEXT(index, label, factor) " " label,
#define MEZURA_UNIT_INDEX(index, label, factor) index,
#define MEZURA_UNIT_ENTRY(index, label, factor) {index, labelTexts[index - 1], wideLabelTexts[index - 1], factor},

// The labels live in writable arrays of this file, since preparation writes each length
// byte in place and each UTF-16 form; the entries point at them. The table's size is the unit
// count functions.inc gives it (unit_catalogue.h declares it so), and the indices must run 1,
// 2, 3... so that a lookup by label and a lookup by position always agree.
#define MEZURA_UNIT_TABLE(table, UNITS)                                                                     \
    namespace {                                                                                             \
    char labelTexts[][unit_table::kLabelStorage] = {UNITS(MEZURA_LABEL_TEXT)};                              \
    XCHAR wideLabelTexts[std::size(labelTexts)][unit_table::kLabelStorage];                                 \
    constexpr short kIndices[] = {UNITS(MEZURA_UNIT_INDEX)};                                                \
    static_assert(std::size(kIndices) == std::size(table), #table ": not the unit count of functions.inc"); \
    static_assert(unit_table::IndicesRunFromOne(kIndices), #table ": indices out of order");                \
    }                                                                                                       \
    UnitEntry table[] = {UNITS(MEZURA_UNIT_ENTRY)};
