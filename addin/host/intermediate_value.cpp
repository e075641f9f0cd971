// A host value made from what the host's automation model answered: a text or an array of cell values.
#include "intermediate_value.h"

#include <cstdlib>

#include "addin_syscalls.h"
#include "host_records.h"

namespace {

// A counted string of the add-in's heap from an automation text, in the ANSI code page;
// false when it cannot be made.
bool MakeCountedText(BSTR text, char** counted) {
    UINT length = text ? SysStringLen(text) : 0;
    if (length > kLongestCountedText) length = kLongestCountedText;
    auto* bytes = static_cast<char*>(g_addinSyscalls.malloc(length + 1));
    if (!bytes) return false;
    int converted = 0;
    if (length > 0) {
        // Room for exactly `length` characters behind the length byte, and no terminator.
        converted = g_addinSyscalls.WideCharToMultiByte(CP_ACP, 0, text, int(length), bytes + 1, int(length),
                                                        nullptr, nullptr);
        if (converted <= 0) {
            std::free(bytes);
            return false;
        }
    }
    bytes[0] = char(converted);
    *counted = bytes;
    return true;
}

// One cell's value; false when its text cannot be made. Kinds the host's cells do not answer
// in a plain sheet still get a defined element: booleans stay booleans, other numbers become
// numbers, null is empty, and anything else is #VALUE!.
bool MakeElement(const VARIANT& cell, XLOPER* element) {
    switch (cell.vt) {
    case VT_EMPTY:
    case VT_NULL:
        element->xltype = xltypeNil;
        return true;
    case VT_I2:
        StoreInt(element, cell.iVal);
        return true;
    case VT_R8:
        StoreNumber(element, cell.dblVal);
        return true;
    case VT_DATE:  // the date's serial number
        StoreNumber(element, cell.date);
        return true;
    case VT_I4:
        StoreNumber(element, cell.lVal);
        return true;
    case VT_CY:  // a 64-bit count of ten-thousandths
        StoreNumber(element, double(cell.cyVal.int64) / 10000.0);
        return true;
    case VT_BOOL:
        StoreBool(element, cell.boolVal != VARIANT_FALSE);
        return true;
    case VT_BSTR: {
        char* counted = nullptr;
        if (!MakeCountedText(cell.bstrVal, &counted)) return false;
        StoreText(element, counted);
        return true;
    }
    case VT_ERROR:
        // Which error a cell held is not carried over: every one reads as #NAME?.
        StoreError(element, xlerrName);
        return true;
    default:
        StoreError(element, xlerrValue);
        return true;
    }
}

// The element counts of the first and second index; a one-index array is one column.
bool ArrayShape(SAFEARRAY* array, LONG* rows, LONG* columns) {
    UINT dimensions = SafeArrayGetDim(array);
    if (dimensions < 1 || dimensions > 2) return false;
    LONG low = 0, high = -1;
    if (FAILED(SafeArrayGetLBound(array, 1, &low)) || FAILED(SafeArrayGetUBound(array, 1, &high))) return false;
    *rows = high - low + 1;
    *columns = 1;
    if (dimensions == 2) {
        if (FAILED(SafeArrayGetLBound(array, 2, &low)) || FAILED(SafeArrayGetUBound(array, 2, &high))) return false;
        *columns = high - low + 1;
    }
    return true;
}

AutomationStatus MakeIntermediateArray(SAFEARRAY* array, XLOPER* intermediate) {
    LONG rows = 0, columns = 0;
    if (!array || !ArrayShape(array, &rows, &columns)) return AutomationStatus::OwnFailure();
    // A range the 16-bit counts cannot describe is refused before anything is allocated.
    if (rows < 1 || columns < 1 || unsigned(rows) > kMostIntermediateElements ||
        unsigned(columns) > kMostIntermediateElements ||
        unsigned(rows) * unsigned(columns) > kMostIntermediateElements)
        return AutomationStatus::OwnFailure();
    size_t count = size_t(rows) * size_t(columns);
    auto* elements = static_cast<XLOPER*>(g_addinSyscalls.malloc(count * sizeof(XLOPER)));
    if (!elements) return AutomationStatus::FromOle(E_FAIL);
    for (size_t i = 0; i < count; ++i) elements[i].xltype = xltypeNil;

    void* data = nullptr;
    HRESULT access = g_addinSyscalls.SafeArrayAccessData(array, &data);
    if (FAILED(access)) {
        std::free(elements);
        return AutomationStatus::FromOle(access);
    }
    XLOPER made{};
    made.xltype = xltypeMulti;
    made.val.array.lparray = elements;
    made.val.array.rows = WORD(rows);
    made.val.array.columns = WORD(columns);
    const auto* cells = static_cast<const VARIANT*>(data);
    bool complete = true;
    for (LONG i = 0; i < rows && complete; ++i)
        for (LONG j = 0; j < columns && complete; ++j)
            complete = MakeElement(cells[size_t(j) * size_t(rows) + size_t(i)],
                                   &elements[size_t(i) * size_t(columns) + size_t(j)]);
    SafeArrayUnaccessData(array);
    if (!complete) {
        FreeIntermediateValue(&made);
        return AutomationStatus::OwnFailure();
    }
    *intermediate = made;
    return AutomationStatus::Success();
}

}  // namespace

AutomationStatus MakeIntermediateValue(const VARIANT* value, XLOPER* intermediate) {
    if (value->vt == VT_BSTR) {
        char* counted = nullptr;
        if (!MakeCountedText(value->bstrVal, &counted)) return AutomationStatus::OwnFailure();
        StoreText(intermediate, counted);
        return AutomationStatus::Success();
    }
    if (value->vt == (VT_ARRAY | VT_VARIANT)) return MakeIntermediateArray(value->parray, intermediate);
    return AutomationStatus::OwnFailure();
}

void FreeIntermediateValue(XLOPER* intermediate) {
    if (intermediate->xltype == xltypeStr) {
        std::free(intermediate->val.str);
    } else if (intermediate->xltype == xltypeMulti) {
        size_t count = size_t(intermediate->val.array.rows) * intermediate->val.array.columns;
        for (size_t i = 0; i < count; ++i)
            if (intermediate->val.array.lparray[i].xltype == xltypeStr)
                std::free(intermediate->val.array.lparray[i].val.str);
        std::free(intermediate->val.array.lparray);
    } else {
        return;
    }
    intermediate->xltype = xltypeNil;
}
