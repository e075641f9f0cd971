// Argument resolution of the conversion functions: the value as a number, each unit by index, label or alias; then the conversion.
#include "coerce.h"
#include "conversion.h"
#include "counted_text.h"
#include "extended_precision.h"
#include "wide_text.h"

int FindUnitByLabel(const char* text, const UnitEntry* table, WORD count, short* index) {
    for (WORD i = 0; i < count; ++i) {
        // Labels of another length can never match: skip them without the call, which the
        // scan would otherwise make for nearly every entry.
        if (table[i].label[0] != text[0]) continue;
        if (CompareCountedText(table[i].label, text) == 0) {
            *index = table[i].index;
            return 0;
        }
    }
    return -1;
}

int FindUnitByAlias(const char* text, const UnitAlias* aliases, short* index) {
    for (; aliases->index != 0; ++aliases) {
        if (aliases->symbol[0] != text[0]) continue;
        if (CompareCountedText(aliases->symbol, text) == 0) {
            *index = aliases->index;
            return 0;
        }
    }
    return -1;
}

int FindUnit(const char* text, const UnitEntry* table, WORD count, short* index) {
    if (FindUnitByLabel(text, table, count, index) == 0) return 0;
    // A label always wins: the aliases are looked at only when no label matches.
    const UnitCategory* category = CategoryOfTable(table);
    return category ? FindUnitByAlias(text, category->aliases, index) : -1;
}

namespace {

// How one unit argument resolved. A label that matches nothing still lets the other unit
// be looked at; an index out of range or an argument that is no text ends the resolution.
struct UnitResolution {
    int code;   // 0, xlerrValue or xlerrName
    bool stop;  // return `code` at once
};

// A coerced text searched among the labels, then the aliases: an XLOPER text as it is; an
// XLOPER12 text in the ANSI code page, where one that has no form there matches nothing.
int FindUnitByText(const XLOPER& text, const UnitEntry* table, WORD count, short* index) {
    return FindUnit(text.val.str, table, count, index);
}

int FindUnitByText(const XLOPER12& text, const UnitEntry* table, WORD count, short* index) {
    char counted[kCountedTextRoom];
    if (!NarrowCountedText(text.val.str, counted)) return -1;
    return FindUnit(counted, table, count, index);
}

// Forced inline into both of its calls: left as calls, they measured about a tenth of a
// conversion by label (the compiler keeps a function called twice out of line).
template <class Record>
inline __attribute__((always_inline)) UnitResolution ResolveUnit(Record* unit, const UnitEntry* table, WORD count,
                                                                 short* index) {
    // The integer comes first: whatever the host can read as an integer is an index, never a label.
    short n;
    if (CoerceInteger(unit, &n)) {
        if (n <= 0 || n > count) return {xlerrValue, true};
        *index = n;
        return {0, false};
    }

    Record label;
    Record wanted = MakeTypeRecord<Record>(xltypeStr);
    CoerceArgument(&label, 2, unit, &wanted);
    // Given back only when the search is done: the text is the host's until then.
    HostRecordGuard<Record> release(&label);
    if (label.xltype != xltypeStr) return {xlerrName, true};
    return {FindUnitByText(label, table, count, index) == 0 ? 0 : xlerrName, false};
}

}  // namespace

template <class Record>
int ResolveConversionArgs(Record* value, Record* units, Record* newUnits, double* number, short* fromIndex,
                          short* toIndex, const UnitEntry* table, WORD count) {
    if (!CoerceNumber(value, number)) return xlerrValue;

    UnitResolution from = ResolveUnit(units, table, count, fromIndex);
    if (from.stop) return from.code;
    // A label of `units` that matched nothing is noted; an index out of range for
    // `new_units` still takes precedence over it.
    UnitResolution to = ResolveUnit(newUnits, table, count, toIndex);
    if (to.stop) return to.code;
    return to.code != 0 ? to.code : from.code;
}

template <class Record>
ConvertedNumber Convert(Record* value, Record* units, Record* newUnits, const UnitEntry* table, WORD count,
                   NumberConversion conversion) {
    double number;
    short fromIndex, toIndex;
    int code = ResolveConversionArgs(value, units, newUnits, &number, &fromIndex, &toIndex, table, count);
    if (code != 0) return {code, nullptr, 0};
    ConvertedNumber converted{0, &table[toIndex - 1], 0};
    ExtendedPrecision precision;
    conversion(table, fromIndex, toIndex, number, &converted.number);
    return converted;
}

template int ResolveConversionArgs(XLOPER*, XLOPER*, XLOPER*, double*, short*, short*, const UnitEntry*, WORD);
template int ResolveConversionArgs(XLOPER12*, XLOPER12*, XLOPER12*, double*, short*, short*, const UnitEntry*, WORD);
template ConvertedNumber Convert(XLOPER*, XLOPER*, XLOPER*, const UnitEntry*, WORD, NumberConversion);
template ConvertedNumber Convert(XLOPER12*, XLOPER12*, XLOPER12*, const UnitEntry*, WORD, NumberConversion);
