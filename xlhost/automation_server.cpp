// The emulated Excel's automation model: Application, Workbooks, the book, its Worksheets, Range and Value.
#include "automation_server.h"

#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

#include <cctype>
#include <cstring>

#include "workbook.h"

namespace xlhost {

namespace {

// The emulated host's own class id for "Excel.Application".
const CLSID kHostClass = {0x6b1e2a90, 0x5c3d, 0x4e7f, {0x9a, 0x10, 0x2b, 0x3c, 0x4d, 0x5e, 0x6f, 0x70}};
const char kHostClassText[] = "{6B1E2A90-5C3D-4E7F-9A10-2B3C4D5E6F70}";
const char kProgIdKey[] = "Software\\Classes\\Excel.Application\\CLSID";

enum class Kind { Application, Workbooks, Workbook, Worksheets, Worksheet, Range };

// Each kind's names; a name's dispatch id is its position + 1.
const char* const kNames[][3] = {
    {"Application", "Workbooks", "ExecuteExcel4Macro"},
    {"Item", nullptr, nullptr},
    {"Worksheets", "Application", nullptr},
    {"Item", nullptr, nullptr},
    {"Range", nullptr, nullptr},
    {"Value", nullptr, nullptr},
};

struct Server {
    DWORD activeCookie = 0, tableCookie = 0;
    IDispatch* application = nullptr;
    size_t macroRuns = 0, valueReads = 0;
    long liveObjects = 0;
    bool started = false;
};

Server& TheServer() {
    static Server* server = new Server;
    return *server;
}

VARIANT ErrorVariant(SCODE code) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_ERROR;
    v.scode = code;
    return v;
}

// Excel's error variants: 0x800A0000 + 2000 + the error code.
VARIANT CellVariant(const CellValue& cell) {
    VARIANT v;
    VariantInit(&v);
    switch (cell.type) {
    case xltypeNum: v.vt = VT_R8; v.dblVal = cell.num; break;
    case xltypeBool: v.vt = VT_BOOL; v.boolVal = cell.flag ? VARIANT_TRUE : VARIANT_FALSE; break;
    case xltypeErr: v = ErrorVariant(SCODE(0x800A07D0u + cell.err)); break;
    case xltypeStr: {
        int length = MultiByteToWideChar(CP_ACP, 0, cell.text.data(), int(cell.text.size()), nullptr, 0);
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocStringLen(nullptr, UINT(length));
        MultiByteToWideChar(CP_ACP, 0, cell.text.data(), int(cell.text.size()), v.bstrVal, length);
        break;
    }
    default: break;
    }
    return v;
}

std::string Narrow(const VARIANT* v) {
    if (!v || v->vt != VT_BSTR || !v->bstrVal) return std::string();
    int wide = int(SysStringLen(v->bstrVal));
    int length = WideCharToMultiByte(CP_ACP, 0, v->bstrVal, wide, nullptr, 0, nullptr, nullptr);
    std::string text(size_t(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, v->bstrVal, wide, &text[0], length, nullptr, nullptr);
    return text;
}

bool SameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// One corner "b2": letters then a row from 1; false when it is not one.
bool ParseCorner(const std::string& text, int* row, int* column) {
    size_t i = 0;
    int letters = 0;
    *column = 0;
    while (i < text.size() && std::isalpha(static_cast<unsigned char>(text[i])) && letters < 2) {
        *column = *column * 26 + (std::tolower(static_cast<unsigned char>(text[i])) - 'a' + 1);
        ++i;
        ++letters;
    }
    if (letters == 0 || i == text.size() || text.size() - i > 5) return false;
    *row = 0;
    for (; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
        *row = *row * 10 + (text[i] - '0');
    }
    --*column;
    --*row;
    return *row >= 0 && *row < kRows && *column >= 0 && *column < kColumns;
}

bool ParseAddress(const std::string& address, XLREF* area) {
    size_t colon = address.find(':');
    std::string first = address.substr(0, colon), last = colon == std::string::npos ? first : address.substr(colon + 1);
    int r1, c1, r2, c2;
    if (!ParseCorner(first, &r1, &c1) || !ParseCorner(last, &r2, &c2) || r1 > r2 || c1 > c2) return false;
    *area = XLREF{WORD(r1), WORD(r2), BYTE(c1), BYTE(c2)};
    return true;
}

class HostObject;
HRESULT Answer(HostObject* object, VARIANT* result);

// One object of the model: its kind, and the sheet and cells it stands for.
class HostObject : public IDispatch {
public:
    HostObject(Kind kind, DWORD sheet = 0, XLREF area = XLREF{}) : kind_(kind), sheet_(sheet), area_(area) {
        if (kind != Kind::Application) ++TheServer().liveObjects;
    }
    virtual ~HostObject() = default;
    HostObject(const HostObject&) = delete;
    HostObject& operator=(const HostObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            if (kind_ != Kind::Application) --TheServer().liveObjects;
            delete this;
        }
        return ULONG(left);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (count != 1 || !names || !ids) return E_INVALIDARG;
        char name[64] = {};
        WideCharToMultiByte(CP_ACP, 0, names[0], -1, name, sizeof name - 1, nullptr, nullptr);
        for (int i = 0; i < 3; ++i) {
            const char* known = kNames[int(kind_)][i];
            if (known && SameText(known, name)) {
                ids[0] = i + 1;
                return S_OK;
            }
        }
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))) return DISP_E_MEMBERNOTFOUND;
        if (id < 1 || id > 3 || !kNames[int(kind_)][id - 1]) return DISP_E_MEMBERNOTFOUND;
        VARIANT* argument = parameters && parameters->cArgs ? &parameters->rgvarg[parameters->cArgs - 1] : nullptr;
        if (result) VariantInit(result);
        VARIANT ignored;
        VariantInit(&ignored);
        return Call(kNames[int(kind_)][id - 1], argument, result ? result : &ignored);
    }

private:
    HRESULT Call(const std::string& name, VARIANT* argument, VARIANT* result) {
        switch (kind_) {
        case Kind::Application:
            if (name == "Application") return Answer(this, result);
            if (name == "Workbooks") return Answer(new HostObject(Kind::Workbooks), result);
            return RunMacro(Narrow(argument), result);
        case Kind::Workbooks:
            if (!SameText(Narrow(argument), BookName())) return DISP_E_BADINDEX;
            return Answer(new HostObject(Kind::Workbook), result);
        case Kind::Workbook:
            if (name == "Application") return Answer(static_cast<HostObject*>(TheServer().application), result);
            return Answer(new HostObject(Kind::Worksheets), result);
        case Kind::Worksheets: {
            DWORD sheet = FindSheetByName(Narrow(argument));
            if (!sheet) return DISP_E_BADINDEX;
            return Answer(new HostObject(Kind::Worksheet, sheet), result);
        }
        case Kind::Worksheet: {
            XLREF area;
            if (!ParseAddress(Narrow(argument), &area)) return DISP_E_BADINDEX;
            return Answer(new HostObject(Kind::Range, sheet_, area), result);
        }
        case Kind::Range:
            return Value(result);
        }
        return DISP_E_MEMBERNOTFOUND;
    }

    HRESULT Value(VARIANT* result) {
        ++TheServer().valueReads;
        LONG rows = area_.rwLast - area_.rwFirst + 1, columns = area_.colLast - area_.colFirst + 1;
        if (rows == 1 && columns == 1) {
            *result = CellVariant(GetCell(sheet_, area_.rwFirst, area_.colFirst));
            return S_OK;
        }
        SAFEARRAYBOUND bounds[2] = {{ULONG(rows), 1}, {ULONG(columns), 1}};
        SAFEARRAY* array = SafeArrayCreate(VT_VARIANT, 2, bounds);
        if (!array) return E_OUTOFMEMORY;
        for (LONG i = 0; i < rows; ++i)
            for (LONG j = 0; j < columns; ++j) {
                LONG index[2] = {i + 1, j + 1};
                VARIANT cell = CellVariant(GetCell(sheet_, area_.rwFirst + int(i), area_.colFirst + int(j)));
                SafeArrayPutElement(array, index, &cell);
                VariantClear(&cell);
            }
        result->vt = VT_ARRAY | VT_VARIANT;
        result->parray = array;
        return S_OK;
    }

    // CALL("module","procedure","J"): the only macro the emulated host runs.
    static HRESULT RunMacro(const std::string& macro, VARIANT* result) {
        ++TheServer().macroRuns;
        *result = ErrorVariant(SCODE(0x800A07D0u + xlerrValue));
        std::string parts[3];
        if (macro.size() < 6 || !SameText(macro.substr(0, 5), "CALL(") || macro.back() != ')') return S_OK;
        size_t at = 5;
        for (std::string& part : parts) {
            if (at >= macro.size() || macro[at] != '"') return S_OK;
            size_t close = macro.find('"', at + 1);
            if (close == std::string::npos) return S_OK;
            part = macro.substr(at + 1, close - at - 1);
            at = close + 1;
            if (at < macro.size() && macro[at] == ',') ++at;
        }
        if (at != macro.size() - 1 || !SameText(parts[2], "J")) return S_OK;
        HMODULE module = GetModuleHandleA(parts[0].c_str());
        auto procedure = module ? reinterpret_cast<int(WINAPI*)()>(
                                      reinterpret_cast<void*>(GetProcAddress(module, parts[1].c_str())))
                                : nullptr;
        if (!procedure) return S_OK;
        result->vt = VT_R8;
        result->dblVal = procedure();
        return S_OK;
    }

    Kind kind_;
    DWORD sheet_;
    XLREF area_;
    LONG references_ = 1;
};

// Hands a new object (its one reference) or, for an existing one, a new reference to the caller.
HRESULT Answer(HostObject* object, VARIANT* result) {
    if (object == static_cast<HostObject*>(TheServer().application)) object->AddRef();
    result->vt = VT_DISPATCH;
    result->pdispVal = object;
    return S_OK;
}

}  // namespace

bool StartAutomationServer(std::string* error) {
    Server& server = TheServer();
    if (server.started) return true;
    if (FAILED(OleInitialize(nullptr))) {
        *error = "OleInitialize failed";
        return false;
    }
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kProgIdKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        *error = "cannot write HKLM\\Software\\Classes\\Excel.Application";
        OleUninitialize();
        return false;
    }
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(kHostClassText), sizeof kHostClassText);
    RegCloseKey(key);

    server.application = new HostObject(Kind::Application);
    server.macroRuns = server.valueReads = 0;
    if (FAILED(RegisterActiveObject(server.application, kHostClass, ACTIVEOBJECT_STRONG, &server.activeCookie))) {
        *error = "RegisterActiveObject failed";
        server.application->Release();
        server.application = nullptr;
        OleUninitialize();
        return false;
    }
    // The book under a file moniker, as Excel puts its open books in the running object table.
    IRunningObjectTable* table = nullptr;
    IMoniker* moniker = nullptr;
    // A folder per process keeps the books of two copies of the host apart in the table.
    std::wstring book = L"C:\\xlhost" + std::to_wstring(GetCurrentProcessId()) + L"\\" +
                        std::wstring(BookName().begin(), BookName().end()) + L".xls";
    if (SUCCEEDED(GetRunningObjectTable(0, &table)) && SUCCEEDED(CreateFileMoniker(book.c_str(), &moniker))) {
        HostObject* workbook = new HostObject(Kind::Workbook);
        table->Register(ROTFLAGS_REGISTRATIONKEEPSALIVE, workbook, moniker, &server.tableCookie);
        workbook->Release();
    }
    if (moniker) moniker->Release();
    if (table) table->Release();
    server.started = true;
    return true;
}

void StopAutomationServer() {
    Server& server = TheServer();
    if (!server.started) return;
    IRunningObjectTable* table = nullptr;
    if (server.tableCookie && SUCCEEDED(GetRunningObjectTable(0, &table))) {
        table->Revoke(server.tableCookie);
        table->Release();
    }
    RevokeActiveObject(server.activeCookie, nullptr);
    server.application->Release();
    server.application = nullptr;
    server.activeCookie = server.tableCookie = 0;
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kProgIdKey);
    OleUninitialize();
    server.started = false;
}

size_t MacroRuns() { return TheServer().macroRuns; }
size_t ValueReads() { return TheServer().valueReads; }
long LiveAutomationObjects() { return TheServer().liveObjects; }

}  // namespace xlhost
