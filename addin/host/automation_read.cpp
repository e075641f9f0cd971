// The second path of the coercion entry: referenced cells read through the host's automation model.
#include <initializer_list>

#include "addin_syscalls.h"
#include "automation.h"
#include "automation_ole.h"
#include "coerce.h"
#include "intermediate_value.h"
#include "range_address.h"

const bool kAutomationPathBuilt = true;
bool g_fMessageShown = false;

AutomationStatus BuildRangeAddress(XLOPER* reference, VARIANT* book, VARIANT* sheet, VARIANT* address) {
    char text[kRangeAddressSize];
    FormatRangeAddress(reference->val.mref.lpmref->reftbl[0], text);
    if (!MakeTextVariant(text, address)) return AutomationStatus::OwnFailure();

    XLOPER name = UnwrittenAnswer();
    int status = Excel4(xlSheetNm, &name, 1, reference);
    if (status != xlretSuccess) {
        VariantClear(address);
        return AutomationStatus::FromHost(status);
    }
    HostRecordGuard releaseName(&name);
    char bookName[kSheetPartSize], sheetName[kSheetPartSize];
    if (!(name.xltype & xltypeStr) || !name.val.str || !SplitSheetName(name.val.str, bookName, sheetName) ||
        !MakeTextVariant(bookName, book)) {
        VariantClear(address);
        return AutomationStatus::OwnFailure();
    }
    if (!MakeTextVariant(sheetName, sheet)) {
        VariantClear(book);
        VariantClear(address);
        return AutomationStatus::OwnFailure();
    }
    return AutomationStatus::Success();
}

HRESULT ReadRangeValue(VARIANT* book, VARIANT* sheet, VARIANT* address, VARIANT* value) {
    if (!g_pdispXL || !g_pdispWorkbooks) return kNotConnected;
    IDispatch *workbook = nullptr, *worksheets = nullptr, *worksheet = nullptr, *range = nullptr;
    HRESULT status = GetObjectByName(g_pdispWorkbooks, L"Item", kPropertyGet, book, &workbook);
    if (SUCCEEDED(status)) status = GetObjectByName(workbook, L"Worksheets", kMethodOrGet, nullptr, &worksheets);
    if (SUCCEEDED(status)) status = GetObjectByName(worksheets, L"Item", kMethodOrGet, sheet, &worksheet);
    if (SUCCEEDED(status)) status = GetObjectByName(worksheet, L"Range", kMethodOrGet, address, &range);
    if (SUCCEEDED(status)) status = CallByName(range, L"Value", kAutomationLocale, kMethodOrGet, nullptr, value);
    for (IDispatch* object : {range, worksheet, worksheets, workbook})
        if (object) object->Release();
    return status;
}

AutomationStatus ReadThroughAutomation(XLOPER* result, XLOPER* typeRecord, XLOPER* reference) {
    if (!reference->val.mref.lpmref || reference->val.mref.lpmref->count != 1) return AutomationStatus::OwnFailure();
    VARIANT book, sheet, address, value;
    AutomationStatus status = BuildRangeAddress(reference, &book, &sheet, &address);
    if (!status.Succeeded()) return status;
    VariantInit(&value);
    status = AutomationStatus::FromOle(ReadRangeValue(&book, &sheet, &address, &value));
    XLOPER intermediate{};
    if (status.Succeeded()) status = MakeIntermediateValue(&value, &intermediate);
    if (status.Succeeded()) {
        status = AutomationStatus::FromHost(Excel4(xlCoerce, result, 2, &intermediate, typeRecord));
        FreeIntermediateValue(&intermediate);
    }
    for (VARIANT* variant : {&value, &book, &sheet, &address}) VariantClear(variant);
    return status;
}

int CoerceThroughAutomation(XLOPER* result, int count, XLOPER* source, XLOPER* typeRecord, XLOPER* wanted) {
    if (g_fInstanceConfirmed) {
        XLOPER reference = UnwrittenAnswer();
        XLOPER asReference = MakeTypeRecord(xltypeRef);
        int status = Excel4(xlCoerce, &reference, 2, source, &asReference);
        if (status != xlretSuccess) return status;
        HostRecordGuard releaseReference(&reference);
        if (reference.xltype != xltypeRef) return xlretFailed;
        return ReadThroughAutomation(result, wanted, &reference).code();
    }
    if (g_fMessageShown) return xlretFailed;
    g_addinSyscalls.MessageBoxA(GetActiveWindow(),
                                "Unable to complete calculation with other instances of Excel Opened\n"
                                "Please close all other instances of Excel, then Click OK",
                                "Error", MB_OK);
    g_fMessageShown = true;
    StartAutomation();
    // The flag set above keeps this second run from showing the box again.
    return CoerceArgument(result, count, source, typeRecord);
}
