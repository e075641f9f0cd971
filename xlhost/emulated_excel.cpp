// The emulated Excel: answers the add-in's Excel4 calls from its workbook, and keeps the ledger.
#include "emulated_excel.h"

#include <atomic>
#include <cstdint>
#include <mutex>

#include "coercion.h"
#include "excel12.h"
#include "registry.h"
#include "worksheet_calls.h"
#include "xlcall32.h"

namespace xlhost {

namespace {

// Function numbers: worksheet and macro functions below 0x400, the C API's own from 0x4000,
// commands from 0x8000 (each with its own counters).
constexpr int kCountedNumbers = 0x400;

struct HostState {
    std::mutex lock;  // over `unhandled`, which recalculation threads may add to
    std::string addinPath;
    void* mainWindow = nullptr;
    std::vector<UnhandledCall> unhandled;
    // Counted by every thread at once, so each count is an atomic of its own.
    std::atomic<size_t> calls[3][kCountedNumbers];
};


HostState& TheHost() {
    static HostState* state = new HostState;
    return *state;
}

std::atomic<size_t>* CallCounter(int xlfn) {
    int block = xlfn & 0x8000 ? 2 : xlfn & 0x4000 ? 1 : 0;
    int number = xlfn & ~0xC000;
    return number >= 0 && number < kCountedNumbers ? &TheHost().calls[block][number] : nullptr;
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

thread_local bool t_recalculationThread = false;

// What a thread-safe function may ask of Excel from a recalculation thread.
bool IsThreadSafeService(int xlfn) { return xlfn == xlCoerce || xlfn == xlFree || xlfn == xlSheetNm; }

}  // namespace

void MarkRecalculationThread(bool recalculating) { t_recalculationThread = recalculating; }
bool OnRecalculationThread() { return t_recalculationThread; }

void NoteCall(int xlfn) {
    if (std::atomic<size_t>* counter = CallCounter(xlfn)) counter->fetch_add(1, std::memory_order_relaxed);
}

void StartEmulatedExcel() {
    SetExcel4Handler(&HandleExcel4);
    ResetLedger();
    ResetWorkbook();
    ResetRegistry();
    ResetQuietMode();
    HostState& host = TheHost();
    host.unhandled.clear();
    for (auto& block : host.calls)
        for (auto& counter : block) counter.store(0, std::memory_order_relaxed);
    host.mainWindow = nullptr;
}

void SetAddinPath(const std::string& path) { TheHost().addinPath = path; }

void SetMainWindow(void* window) { TheHost().mainWindow = window; }

const std::vector<UnhandledCall>& UnhandledCalls() { return TheHost().unhandled; }

size_t CallCount(int xlfn) {
    std::atomic<size_t>* counter = CallCounter(xlfn);
    return counter ? counter->load(std::memory_order_relaxed) : 0;
}

int HandleExcel4(int xlfn, XLOPER* result, int count, XLOPER** args) {
    if (t_recalculationThread) {
        NoteFault("Excel4 called on a recalculation thread: function " + std::to_string(xlfn));
        return xlretNotThreadSafe;
    }
    return DispatchCall(xlfn, result, count, args);
}

int DispatchCall(int xlfn, XLOPER* result, int count, XLOPER** args) {
    HostState& host = TheHost();
    NoteCall(xlfn);
    if (t_recalculationThread && !IsThreadSafeService(xlfn)) {
        NoteFault("Excel12 asked for a service that is not thread-safe: function " + std::to_string(xlfn));
        return xlretNotThreadSafe;
    }
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
    default: {
        std::lock_guard<std::mutex> hold(host.lock);
        host.unhandled.push_back(UnhandledCall{xlfn, count});
        return xlretFailed;
    }
    }
}

}  // namespace xlhost

// Excel 2007 and later export their Excel12 entry from the program itself, under this name,
// and add-ins look it up there; so does this host's program. Note its argument order: the
// count and the arguments come before the result.
#ifdef _WIN32
#define XLHOST_PROGRAM_EXPORT __declspec(dllexport)
#else
#define XLHOST_PROGRAM_EXPORT __attribute__((visibility("default")))
#endif
extern "C" XLHOST_PROGRAM_EXPORT int XLLAPI MdCallBack12(int xlfn, int count, XLOPER12** args, XLOPER12* result) {
    return xlhost::HandleExcel12(xlfn, result, count, args);
}
