// The emulated Excel: answers the add-in's Excel4 calls from its workbook, and keeps the ledger.
#include "emulated_excel.h"

#include <cstdint>
#include <unordered_map>

#include "coercion.h"
#include "registry.h"
#include "worksheet_calls.h"
#include "xlcall32.h"

namespace xlhost {

namespace {

struct HostState {
    std::string addinPath;
    void* mainWindow = nullptr;
    std::vector<UnhandledCall> unhandled;
    std::unordered_map<int, size_t> calls;
};

HostState& TheHost() {
    static HostState* state = new HostState;
    return *state;
}

void AnswerText(XLOPER* result, const std::string& text) {
    result->xltype = xltypeStr;
    result->val.str = AllocateText(text.data(), text.size());
}

int GetName(XLOPER* result) {
    const std::string& path = TheHost().addinPath;
    if (!result || path.empty()) return xlretFailed;
    AnswerText(result, path);
    return xlretSuccess;
}

// "[Book1]Sheet1" for the sheet a reference points into.
int SheetName(XLOPER* result, int count, XLOPER** args) {
    if (!result || count < 1 || !args[0]) return xlretFailed;
    DWORD sheet = 0;
    if (args[0]->xltype == xltypeSRef) sheet = CallingSheet();
    else if (args[0]->xltype == xltypeRef) sheet = args[0]->val.mref.idSheet;
    const Sheet* found = FindSheet(sheet);
    if (!found) return xlretFailed;
    AnswerText(result, "[" + BookName() + "]" + found->name);
    return xlretSuccess;
}

int Free(int count, XLOPER** args) {
    for (int i = 0; i < count; ++i)
        if (args[i]) ReleaseHostRecord(args[i]);
    return xlretSuccess;
}

}  // namespace

void StartEmulatedExcel() {
    SetExcel4Handler(&HandleExcel4);
    ResetLedger();
    ResetWorkbook();
    ResetRegistry();
    ResetQuietMode();
    HostState& host = TheHost();
    host.unhandled.clear();
    host.calls.clear();
    host.mainWindow = nullptr;
}

void SetAddinPath(const std::string& path) { TheHost().addinPath = path; }

void SetMainWindow(void* window) { TheHost().mainWindow = window; }

const std::vector<UnhandledCall>& UnhandledCalls() { return TheHost().unhandled; }

size_t CallCount(int xlfn) {
    auto found = TheHost().calls.find(xlfn);
    return found == TheHost().calls.end() ? 0 : found->second;
}

int HandleExcel4(int xlfn, XLOPER* result, int count, XLOPER** args) {
    HostState& host = TheHost();
    ++host.calls[xlfn];
    switch (xlfn) {
    case xlCoerce:
        if (count < 1 || count > 2) return xlretInvCount;
        {
            XLOPER missing{};
            missing.xltype = xltypeMissing;
            return CoerceValue(args[0], count == 2 && args[1] ? args[1] : &missing, result);
        }
    case xlFree:
        return Free(count, args);
    case xlGetName:
        return GetName(result);
#ifdef _WIN32
    case xlGetHwnd:
        if (!result) return xlretFailed;
        result->xltype = xltypeInt;
        result->val.w = static_cast<short>(reinterpret_cast<uintptr_t>(host.mainWindow) & 0xFFFF);
        return xlretSuccess;
#endif
    case xlSheetNm:
        return SheetName(result, count, args);
    case xlfRegister:
        return Register(result, count, args);
    case xlfRegisterId:
        return RegisterId(result, count, args);
    case xlfUnregister:
        return Unregister(result, count, args);
    case xlfSetName:
        return SetName(result, count, args);
    case xlfAddCommand:
        return AddCommand(result, count, args);
    case xlfDeleteCommand:
        return DeleteCommand(result, count, args);
    case xlcAlert:
        return Alert(result, count, args);
    case xlfGetWorkspace:
        return GetWorkspace(result, count, args);
    case xlfIstext:
        return IsText(result, count, args);
    case xlfOr:
        return Or(result, count, args);
    case xlcActivate:
        return Activate(result, count, args);
    case xlcEcho:
        return Echo(result, count, args);
    case xlcNew:
        return New(result, count, args);
    case xlcClose:
        return Close(result, count, args);
    default:
        host.unhandled.push_back(UnhandledCall{xlfn, count});
        return xlretFailed;
    }
}

}  // namespace xlhost
