// Calls on the host's automation objects by name, and the text variants passed to them.
#include "automation_ole.h"

#include "addin_syscalls.h"

HRESULT CallByName(IDispatch* on, const wchar_t* name, LCID locale, WORD flags, VARIANT* argument, VARIANT* answer) {
    wchar_t copy[32];
    lstrcpynW(copy, name, 32);
    LPOLESTR names[1] = {copy};
    DISPID id = 0;
    HRESULT status = on->GetIDsOfNames(IID_NULL, names, 1, locale, &id);
    if (FAILED(status)) return status;
    DISPPARAMS parameters = {argument, nullptr, argument ? 1u : 0u, 0};
    return on->Invoke(id, IID_NULL, locale, flags, &parameters, answer, nullptr, nullptr);
}

HRESULT GetObjectByName(IDispatch* on, const wchar_t* name, WORD flags, VARIANT* argument, IDispatch** object) {
    *object = nullptr;
    VARIANT answer;
    VariantInit(&answer);
    HRESULT status = CallByName(on, name, kAutomationLocale, flags, argument, &answer);
    if (FAILED(status)) return status;
    if (answer.vt != VT_DISPATCH || !answer.pdispVal) {
        VariantClear(&answer);
        return kNotAnObject;
    }
    *object = answer.pdispVal;  // the answer's reference passes to the caller
    return S_OK;
}

bool MakeTextVariant(const char* text, VARIANT* variant) {
    VariantInit(variant);
    // The longest text passed is the instance-check macro: 295 characters.
    wchar_t wide[300];
    if (g_addinSyscalls.MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 300) <= 0) return false;
    BSTR string = g_addinSyscalls.SysAllocString(wide);
    if (!string) return false;
    variant->vt = VT_BSTR;
    variant->bstrVal = string;
    return true;
}
