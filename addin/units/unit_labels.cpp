// UnitLabels: the labels of one quantity's unit table as a column, in index order.
#include <cstring>

#include "addin_syscalls.h"
#include "coerce.h"
#include "conversion.h"
#include "counted_text.h"

namespace {

// The quantity named by its number (1 to the count, in the order of the conversion functions)
// or by its name (the case of A-Z aside); null for anything else. As for a unit, whatever the
// host can read as an integer is a number, never a name.
const UnitCategory* ResolveQuantity(XLOPER* quantity) {
    short number;
    if (CoerceInteger(quantity, &number))
        return number >= 1 && number <= kUnitCategoryCount ? &g_unitCategories[number - 1] : nullptr;
    XLOPER name;
    XLOPER wanted = MakeTypeRecord(xltypeStr);
    CoerceArgument(&name, 2, quantity, &wanted);
    HostRecordGuard release(&name);
    if (name.xltype != xltypeStr) return nullptr;
    for (WORD i = 0; i < kUnitCategoryCount; ++i)
        if (CompareCountedText(g_unitCategories[i].name, name.val.str) == 0) return &g_unitCategories[i];
    return nullptr;
}

// One heap block flagged for xlAutoFree: the array record, one text element per unit, then
// copies of the labels (counted, zero-terminated), which the elements point at. Null when the
// heap cannot supply it.
XLOPER* MakeLabelColumn(const UnitCategory& category) {
    size_t size = (1 + size_t(category.count)) * sizeof(XLOPER);
    for (WORD i = 0; i < category.count; ++i) size += size_t(static_cast<unsigned char>(category.units[i].label[0])) + 2;
    auto* block = static_cast<XLOPER*>(g_addinSyscalls.malloc(size));
    if (!block) return nullptr;
    XLOPER* elements = block + 1;
    char* texts = reinterpret_cast<char*>(elements + category.count);
    block->xltype = xltypeMulti | xlbitDLLFree;
    block->val.array.lparray = elements;
    block->val.array.rows = category.count;
    block->val.array.columns = 1;
    for (WORD i = 0; i < category.count; ++i) {
        const char* label = category.units[i].label;
        size_t bytes = size_t(static_cast<unsigned char>(label[0])) + 2;
        std::memcpy(texts, label, bytes);
        StoreText(&elements[i], texts);
        texts += bytes;
    }
    return block;
}

}  // namespace

XLL_EXPORT XLOPER* XLLAPI UnitLabels(XLOPER* quantity) {
    // Written once and only read after: calls on several threads share them safely.
    static XLOPER nameError = ErrorRecord(xlerrName), valueError = ErrorRecord(xlerrValue);
    const UnitCategory* category = ResolveQuantity(quantity);
    if (!category) return &nameError;
    XLOPER* column = MakeLabelColumn(*category);
    // With no heap left there is no list to show; #VALUE! says the cell could not be computed.
    return column ? column : &valueError;
}
