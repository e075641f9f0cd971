// UnitLabels: the labels of one quantity's unit table as a column, in index order, through either interface.
#include <cstring>

#include "addin_syscalls.h"
#include "coerce.h"
#include "conversion.h"
#include "counted_text.h"
#include "wide_text.h"

namespace {

// A quantity's name as the host gave it, compared as labels are: an XLOPER text as it is, an
// XLOPER12 text in the ANSI code page, where one that has no form there names nothing.
const UnitCategory* CategoryNamed(const char* counted) {
    for (WORD i = 0; i < kUnitCategoryCount; ++i)
        if (CompareCountedText(g_unitCategories[i].name, counted) == 0) return &g_unitCategories[i];
    return nullptr;
}

const UnitCategory* CategoryNamed(const XCHAR* wide) {
    char counted[kCountedTextRoom];
    return NarrowCountedText(wide, counted) ? CategoryNamed(counted) : nullptr;
}

// The quantity named by its number (1 to the count, in the order of the conversion functions)
// or by its name (the case of A-Z aside); null for anything else. As for a unit, whatever the
// host can read as an integer is a number, never a name.
template <class Record>
const UnitCategory* ResolveQuantity(Record* quantity) {
    short number;
    if (CoerceInteger(quantity, &number))
        return number >= 1 && number <= kUnitCategoryCount ? &g_unitCategories[number - 1] : nullptr;
    Record name;
    Record wanted = MakeTypeRecord<Record>(xltypeStr);
    CoerceArgument(&name, 2, quantity, &wanted);
    HostRecordGuard<Record> release(&name);
    return name.xltype == xltypeStr ? CategoryNamed(name.val.str) : nullptr;
}

// Each interface's form of a label, counted (element 0 the length) and zero-terminated.
template <class Record>
struct Labels;
template <>
struct Labels<XLOPER> {
    using Char = char;
    static const char* Of(const UnitEntry& unit) { return unit.label; }
    static size_t Length(const char* counted) { return static_cast<unsigned char>(counted[0]); }
};
template <>
struct Labels<XLOPER12> {
    using Char = XCHAR;
    static const XCHAR* Of(const UnitEntry& unit) { return unit.wideLabel; }
    static size_t Length(const XCHAR* counted) { return counted[0]; }
};

// One heap block flagged for xlAutoFree (xlAutoFree12): the array record, one text element per
// unit, then copies of the labels, which the elements point at. Null when the heap cannot
// supply it.
template <class Record>
Record* MakeLabelColumn(const UnitCategory& category) {
    using Char = typename Labels<Record>::Char;
    size_t size = (1 + size_t(category.count)) * sizeof(Record);
    for (WORD i = 0; i < category.count; ++i) size += (Labels<Record>::Length(Labels<Record>::Of(category.units[i])) + 2) * sizeof(Char);
    auto* block = static_cast<Record*>(g_addinSyscalls.malloc(size));
    if (!block) return nullptr;
    Record* elements = block + 1;
    Char* texts = reinterpret_cast<Char*>(elements + category.count);
    block->xltype = xltypeMulti | xlbitDLLFree;
    block->val.array.lparray = elements;
    block->val.array.rows = category.count;
    block->val.array.columns = 1;
    for (WORD i = 0; i < category.count; ++i) {
        const Char* label = Labels<Record>::Of(category.units[i]);
        size_t length = Labels<Record>::Length(label) + 2;
        std::memcpy(texts, label, length * sizeof(Char));
        StoreText(&elements[i], texts);
        texts += length;
    }
    return block;
}

}  // namespace

XLL_EXPORT XLOPER* XLLAPI UnitLabels(XLOPER* quantity) {
    // Written once and only read after: calls on several threads share them safely.
    static XLOPER nameError = ErrorRecord(xlerrName), valueError = ErrorRecord(xlerrValue);
    const UnitCategory* category = ResolveQuantity(quantity);
    if (!category) return &nameError;
    XLOPER* column = MakeLabelColumn<XLOPER>(*category);
    // With no heap left there is no list to show; #VALUE! says the cell could not be computed.
    return column ? column : &valueError;
}

XLL_EXPORT XLOPER12* XLLAPI UnitLabels12(XLOPER12* quantity) {
    const UnitCategory* category = ResolveQuantity(quantity);
    if (!category) return ConstantErrorRecord(xlerrName);
    XLOPER12* column = MakeLabelColumn<XLOPER12>(*category);
    return column ? column : ConstantErrorRecord(xlerrValue);
}
