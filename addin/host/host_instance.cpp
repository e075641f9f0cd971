// Finding the automation object of the very host that loaded this copy of the add-in.
#include <cstdio>
#include <cstring>

#include "addin_syscalls.h"
#include "automation.h"
#include "automation_ole.h"
#include "coerce.h"

IDispatch* g_pdispXL = nullptr;
IDispatch* g_pdispWorkbooks = nullptr;
bool g_fOleInitialized = false;

namespace {

template <typename T>
void ReleaseObject(T** object) {
    if (*object) (*object)->Release();
    *object = nullptr;
}

// The running object table's next object that answers IDispatch; false when there is none.
bool NextBoundObject(IBindCtx* context, IEnumMoniker* monikers, IDispatch** object) {
    IMoniker* moniker = nullptr;
    while (monikers->Next(1, &moniker, nullptr) == S_OK) {
        HRESULT bound = moniker->BindToObject(context, nullptr, IID_IDispatch, reinterpret_cast<void**>(object));
        moniker->Release();
        if (SUCCEEDED(bound) && *object) return true;
        *object = nullptr;
    }
    return false;
}

// Asks a candidate for its Application; keeps it in g_pdispXL while the check runs.
bool CandidateIsTheHost(IDispatch* candidate, DISPID application) {
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    VARIANT answer;
    VariantInit(&answer);
    HRESULT status = candidate->Invoke(application, IID_NULL, LOCALE_USER_DEFAULT, kMethodOrGet, &none, &answer,
                                       nullptr, nullptr);
    if (FAILED(status)) return false;
    if (answer.vt != VT_DISPATCH || !answer.pdispVal) {
        VariantClear(&answer);
        return false;
    }
    g_pdispXL = answer.pdispVal;
    ConfirmInstance();
    // An earlier opening of the add-in in this process may have confirmed already.
    return g_fInstanceConfirmed;
}

// The add-in's full path as the host reports it, as a zero-terminated text; false without one.
bool CopyAddinPath(char (&pathText)[256]) {
    XLOPER path;
    if (!GetAddinPath(&path)) return false;
    HostRecordGuard releasePath(&path);
    size_t length = static_cast<unsigned char>(path.val.str[0]);
    std::memcpy(pathText, path.val.str + 1, length);
    pathText[length] = 0;
    return true;
}

// Quiet mode: screen updates off and a fresh book in front, so that running the macro in the
// host shows nothing. Whether it is on, and so must be ended.
bool StartQuietMode() {
    XLOPER off = BoolRecord(false), chart = NumberRecord(6);
    Excel4(xlcEcho, nullptr, 1, &off);
    XLOPER opened = UnwrittenAnswer();
    if (Excel4(xlcNew, &opened, 1, &chart) != xlretSuccess) return false;
    HostRecordGuard release(&opened);
    return opened.xltype != xltypeErr;
}

void EndQuietMode() {
    XLOPER off = BoolRecord(false), on = BoolRecord(true);
    Excel4(xlcClose, nullptr, 1, &off);
    Excel4(xlcEcho, nullptr, 1, &on);
}

}  // namespace

HRESULT ConfirmInstance() {
    char pathText[256];
    if (!CopyAddinPath(pathText)) return E_FAIL;

    // cALL("<path>","CheckInstance","j"): the host calls this copy's CheckInstance only if it
    // is the process that loaded it.
    char macro[296];
    std::snprintf(macro, sizeof macro, "%s%s%s", "cALL(\"", pathText, "\",\"CheckInstance\",\"j\")");
    VARIANT text;
    if (!MakeTextVariant(macro, &text)) return E_FAIL;
    VARIANT answer;
    VariantInit(&answer);
    g_fCheckingInstance = true;
    HRESULT status = CallByName(g_pdispXL, L"ExecuteExcel4Macro", kAutomationLocale, kPropertyGet, &text, &answer);
    g_fCheckingInstance = false;
    VariantClear(&answer);
    VariantClear(&text);
    return status;
}

HRESULT SearchHostInstance() {
    IUnknown* active = nullptr;
    IDispatch* candidate = nullptr;
    IBindCtx* context = nullptr;
    IRunningObjectTable* table = nullptr;
    IEnumMoniker* monikers = nullptr;
    DISPID application = 0;

    CLSID hostClass;
    HRESULT status = g_addinSyscalls.CLSIDFromProgID(L"Excel.Application", &hostClass);
    if (SUCCEEDED(status)) status = g_addinSyscalls.GetActiveObject(hostClass, nullptr, &active);
    if (SUCCEEDED(status)) status = active->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&candidate));
    if (SUCCEEDED(status)) {
        wchar_t name[] = L"Application";
        LPOLESTR names[1] = {name};
        status = candidate->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &application);
    }
    // Another copy of the host may own the active object: try every object of the running
    // object table until one runs this copy's CheckInstance.
    bool searching = SUCCEEDED(status);
    while (searching) {
        if (CandidateIsTheHost(candidate, application)) break;
        ReleaseObject(&candidate);
        ReleaseObject(&g_pdispXL);
        if (!monikers) {
            searching = SUCCEEDED(g_addinSyscalls.CreateBindCtx(0, &context)) &&
                        SUCCEEDED(context->GetRunningObjectTable(&table)) && SUCCEEDED(table->EnumRunning(&monikers)) &&
                        SUCCEEDED(monikers->Reset());
        }
        searching = searching && NextBoundObject(context, monikers, &candidate);
    }
    ReleaseObject(&monikers);
    ReleaseObject(&table);
    ReleaseObject(&context);
    ReleaseObject(&candidate);
    ReleaseObject(&active);
    return g_fInstanceConfirmed ? S_OK : E_FAIL;
}

HRESULT FindHostInstance() {
    bool quiet = StartQuietMode();
    HRESULT status;
    if (g_pdispXL) {
        g_addinSyscalls.OutputDebugStringA("NULL != g_pdispXL\n");
        status = E_FAIL;
    } else if (!g_fOleInitialized && FAILED(status = g_addinSyscalls.OleInitialize(nullptr))) {
        g_addinSyscalls.OutputDebugStringA("OleInitialize Failed\n");
    } else {
        g_fOleInitialized = true;
        status = SearchHostInstance();
    }
    // Quiet mode ends on every return: left on, the host would stop redrawing its screen.
    if (quiet) EndQuietMode();
    return status;
}

AutomationStatus ConnectToHost() {
    HRESULT status = FindHostInstance();
    if (FAILED(status)) return AutomationStatus::FromOle(status);
    status = GetObjectByName(g_pdispXL, L"Workbooks", kMethodOrGet, nullptr, &g_pdispWorkbooks);
    if (FAILED(status)) ReleaseObject(&g_pdispXL);
    return AutomationStatus::FromOle(status);
}

void ReleaseHostConnection() {
    ReleaseObject(&g_pdispWorkbooks);
    ReleaseObject(&g_pdispXL);
    if (g_fOleInitialized) {
        g_addinSyscalls.OleUninitialize();
        g_fOleInitialized = false;
    }
}
