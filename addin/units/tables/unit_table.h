// How a unit table is written down: its rows listed once as UNIT(index, label, factor), its aliases as ALIAS(symbol, label).
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

// Equal texts, with the letters A-Z folded as the label search folds them.
constexpr bool SameFoldedText(const char* a, const char* b) {
    for (;; ++a, ++b) {
        char x = *a >= 'A' && *a <= 'Z' ? char(*a - 'A' + 'a') : *a;
        char y = *b >= 'A' && *b <= 'Z' ? char(*b - 'A' + 'a') : *b;
        if (x != y) return false;
        if (x == 0) return true;
    }
}

// The index of the unit labelled exactly `label`, or 0.
template <size_t N>
constexpr short IndexOfLabel(const char* const (&labels)[N], const char* label) {
    for (size_t i = 0; i < N; ++i) {
        const char* a = labels[i];
        const char* b = label;
        while (*a && *a == *b) ++a, ++b;
        if (*a == *b) return short(i + 1);
    }
    return 0;
}

// An alias row: the symbol as a counted string, and the index of the unit it names.
template <size_t Size>
constexpr UnitAlias Alias(const char (&symbol)[Size], short index) {
    static_assert(Size + 1 <= kAliasStorage, "an alias is at most 14 characters");
    UnitAlias alias{};
    alias.symbol[0] = char(Size - 1);
    for (size_t i = 0; i + 1 < Size; ++i) alias.symbol[i + 1] = symbol[i];
    alias.index = index;
    return alias;
}

// Every alias names a unit of the table; none reads as one of the table's labels, which would
// always be found first; and no two read alike, letter case aside, for a text must name one unit.
template <size_t N, size_t A>
constexpr bool AliasesAreSound(const char* const (&labels)[N], const UnitAlias (&aliases)[A]) {
    for (size_t i = 0; aliases[i].index != 0; ++i) {
        if (aliases[i].index < 0 || size_t(aliases[i].index) > N) return false;
        for (size_t j = 0; j < N; ++j)
            if (SameFoldedText(aliases[i].symbol + 1, labels[j])) return false;
        for (size_t j = 0; j < i; ++j)
            if (SameFoldedText(aliases[i].symbol + 1, aliases[j].symbol + 1)) return false;
    }
    return true;
}

}  // namespace unit_table

#define MEZURA_LABEL_TEXT(index, label, factor) " " label,
#define MEZURA_LABEL_LITERAL(index, label, factor) label,
#define MEZURA_UNIT_INDEX(index, label, factor) index,
#define MEZURA_UNIT_ENTRY(index, label, factor) {index, labelTexts[index - 1], wideLabelTexts[index - 1], factor},

#define MEZURA_ALIAS_ENTRY(symbol, label) unit_table::Alias(symbol, unit_table::IndexOfLabel(kLabels, label)),

// The labels live in writable arrays of this file, since preparation writes each length
// byte in place and each UTF-16 form; the entries point at them. The table's size is the unit
// count functions.inc gives it (unit_catalogue.h declares it so), and the indices must run 1,
// 2, 3... so that a lookup by label and a lookup by position always agree. The aliases name their
// units by label, checked as the file compiles, and end with the row of index 0.
#define MEZURA_UNIT_TABLE(table, UNITS, ALIASES)                                                            \
    namespace {                                                                                             \
    char labelTexts[][unit_table::kLabelStorage] = {UNITS(MEZURA_LABEL_TEXT)};                              \
    XCHAR wideLabelTexts[std::size(labelTexts)][unit_table::kLabelStorage];                                 \
    constexpr const char* kLabels[] = {UNITS(MEZURA_LABEL_LITERAL)};                                        \
    constexpr short kIndices[] = {UNITS(MEZURA_UNIT_INDEX)};                                                \
    static_assert(std::size(kIndices) == std::size(table), #table ": not the unit count of functions.inc"); \
    static_assert(unit_table::IndicesRunFromOne(kIndices), #table ": indices out of order");                \
    }                                                                                                       \
    UnitEntry table[] = {UNITS(MEZURA_UNIT_ENTRY)};                                                         \
    constexpr UnitAlias table##Aliases[] = {ALIASES(MEZURA_ALIAS_ENTRY) UnitAlias{}};                       \
    static_assert(unit_table::AliasesAreSound(kLabels, table##Aliases), #table ": an alias is not sound");
