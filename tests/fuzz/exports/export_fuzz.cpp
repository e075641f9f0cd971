// libFuzzer entry: hostile records into every export of the loaded add-in, through the emulated Excel.
//
// Each input fills the host's grid, then makes up to 16 calls: a worksheet function (its
// Excel4 form, or its Excel12 form with the arguments as XLOPER12 records), an xlAuto entry
// point or a change of the host (its version text, 16.0 offering Excel12 to the next opening,
// refused registrations, the thread's x87 precision), each export with arguments decoded from
// the input. After every
// call the answer must be one Excel can take:
//  - nothing crashes and the sanitizers stay quiet;
//  - the ledger balances: every host record the add-in was handed went back once, and a
//    result flagged xlbitDLLFree went back through xlAutoFree (xlAutoFree12) once;
//  - a result without the flag is a static record of the add-in holding a number or an
//    error value; one with it is a heap block holding everything it points to but the
//    catalogue's labels;
//  - no number in an answer is NaN or infinite;
//  - the x87 precision control and the argument records are as they were.
// MezuraHelp and _about_dlg@4 open a window and exist only in the Windows build.
#include <dlfcn.h>
#include <sanitizer/allocator_interface.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "addin_calls.h"
#include "addin_loader.h"
#include "emulated_excel.h"
#include "excel12.h"
#include "ledger.h"
#include "record_decoder.h"
#include "registry.h"
#include "x87_precision.h"

namespace {

using namespace export_fuzz;

enum class Answers { Conversion, Volume, List, Registration, ManagerInfo, Command, Conversion12, Volume12, List12 };

struct Entry {
    const char* name;
    int arguments;
    Answers answers;
    void* address;
};

// The worksheet functions of the add-in's function list in both forms, then Excel's entry
// points and CheckInstance.
Entry g_entries[] = {
#define MEZURA_CONVERSION(procedure, type, arguments, category, context, description, helps, table, count, converter, source) \
    {#procedure, int(sizeof(type) - 2), Answers::Conversion, nullptr},                                                   \
    {#procedure "12", int(sizeof(type) - 2), Answers::Conversion12, nullptr},
#define MEZURA_TANK(procedure, type, arguments, category, context, description, helps) \
    {#procedure, int(sizeof(type) - 2), Answers::Volume, nullptr},                   \
    {#procedure "12", int(sizeof(type) - 2), Answers::Volume12, nullptr},
#define MEZURA_LEVEL(procedure, type, arguments, category, context, description, helps, volume) \
    {#procedure, int(sizeof(type) - 2), Answers::Volume, nullptr},                             \
    {#procedure "12", int(sizeof(type) - 2), Answers::Volume12, nullptr},
#define MEZURA_FUNCTION(procedure, type, arguments, category, context, description, helps) \
    {#procedure, int(sizeof(type) - 2), Answers::List, nullptr},                      \
    {#procedure "12", int(sizeof(type) - 2), Answers::List12, nullptr},
#include "addin/functions.inc"
    {"xlAutoRegister", 1, Answers::Registration, nullptr}, {"xlAddInManagerInfo", 1, Answers::ManagerInfo, nullptr},
    {"xlAutoOpen", 0, Answers::Command, nullptr},         {"xlAutoClose", 0, Answers::Command, nullptr},
    {"xlAutoAdd", 0, Answers::Command, nullptr},          {"xlAutoRemove", 0, Answers::Command, nullptr},
    {"CheckInstance", 0, Answers::Command, nullptr},
};
constexpr size_t kEntryCount = sizeof g_entries / sizeof g_entries[0];
constexpr int kMostArguments = 4;
constexpr int kMostCalls = 16;
// Each opening registers every function with the host, the bulk of an input's time; more than
// two per input reach nothing new.
constexpr int kMostCommandCalls = 2;

// Changes of the host between calls, chosen by the same byte as the entries.
enum HostChange { kVersion80, kVersion50, kVersion160, kRefuseRegistrations, kAcceptRegistrations, kPrecision53,
                  kPrecision64, kHostChangeCount };

xlhost::LoadedAddin g_addin;
void* g_addinBase = nullptr;
// The add-in keeps the version text it read at its last opening; an input that opened it
// under another version has it opened again under the usual one, so inputs stay independent.
bool g_versionChanged = false;
std::string g_hostVersion;

[[noreturn]] void Fail(const char* entry, const std::string& why) {
    std::fprintf(stderr, "export fuzz: %s: %s\n", entry, why.c_str());
    std::abort();
}

bool InAddinImage(const void* address) {
    Dl_info info;
    return dladdr(address, &info) && info.dli_fbase == g_addinBase;
}

// Whether [pointer, pointer + bytes) lies inside the heap block that starts at `block`.
bool InsideBlock(const void* block, const void* pointer, size_t bytes) {
    auto* first = static_cast<const char*>(block);
    auto* at = static_cast<const char*>(pointer);
    size_t size = __sanitizer_get_allocated_size(block);
    return at >= first && at <= first + size && bytes <= size_t(first + size - at);
}

void CheckNumber(const Entry& entry, double number) {
    if (!std::isfinite(number)) Fail(entry.name, "a number no cell can show: " + std::to_string(number));
}

void CheckStaticRecord(const Entry& entry, const XLOPER* result) {
    if (!InAddinImage(result)) Fail(entry.name, "an unflagged result that is no static record of the add-in");
    if (result->xltype == xltypeErr) {
        WORD code = result->val.err;
        bool named = (entry.answers == Answers::Conversion || entry.answers == Answers::List) && code == xlerrName;
        if (code != xlerrValue && !named) Fail(entry.name, "error code " + std::to_string(code));
    } else if (result->xltype == xltypeNum &&
               (entry.answers == Answers::Volume || entry.answers == Answers::Registration)) {
        CheckNumber(entry, result->val.num);
    } else {
        Fail(entry.name, "a static result of type word " + std::to_string(result->xltype));
    }
}

void CheckOwnedBlock(const Entry& entry, const XLOPER* result) {
    if (!__sanitizer_get_ownership(result)) Fail(entry.name, "xlbitDLLFree on a record that is no heap block");
    if (entry.answers == Answers::Conversion && result->xltype == (xltypeMulti | xlbitDLLFree)) {
        const auto& array = result->val.array;
        if (array.rows != 1 || array.columns != 2) Fail(entry.name, "a conversion result that is not 1 x 2");
        if (!InsideBlock(result, array.lparray, 2 * sizeof(XLOPER))) Fail(entry.name, "elements outside the block");
        if (array.lparray[0].xltype != xltypeNum || array.lparray[1].xltype != xltypeStr)
            Fail(entry.name, "elements are not {number, text}");
        CheckNumber(entry, array.lparray[0].val.num);
        if (!InAddinImage(array.lparray[1].val.str)) Fail(entry.name, "a label that is not the catalogue's");
    } else if (entry.answers == Answers::List && result->xltype == (xltypeMulti | xlbitDLLFree)) {
        const auto& array = result->val.array;
        if (array.columns != 1 || array.rows == 0) Fail(entry.name, "a list that is not one column");
        if (!InsideBlock(result, array.lparray, array.rows * sizeof(XLOPER))) Fail(entry.name, "elements outside the block");
        for (WORD i = 0; i < array.rows; ++i) {
            const char* text = array.lparray[i].val.str;
            if (array.lparray[i].xltype != xltypeStr || !InsideBlock(result, text, 1 + static_cast<unsigned char>(text[0])))
                Fail(entry.name, "an element that is no text of the block");
        }
    } else if (entry.answers == Answers::ManagerInfo && result->xltype == (xltypeStr | xlbitDLLFree)) {
        const char* text = result->val.str;
        if (!InsideBlock(result, text, 1) || !InsideBlock(result, text, 1 + static_cast<unsigned char>(text[0])))
            Fail(entry.name, "a text outside its block");
    } else {
        Fail(entry.name, "a flagged result of type word " + std::to_string(result->xltype));
    }
}

// The Excel12 forms answer a block of their own flagged for xlAutoFree12 (a conversion's 1 x 2
// array with the catalogue's UTF-16 label, a volume's number) or one of the add-in's constant
// error records.
void CheckResult12(const Entry& entry, const XLOPER12* result) {
    bool conversion = entry.answers == Answers::Conversion12, list = entry.answers == Answers::List12;
    if (!(result->xltype & xlbitDLLFree)) {
        if (!InAddinImage(result) || result->xltype != xltypeErr) Fail(entry.name, "an unflagged result that is no error record");
        if (result->val.err != xlerrValue && !((conversion || list) && result->val.err == xlerrName))
            Fail(entry.name, "error code " + std::to_string(result->val.err));
        return;
    }
    if (!__sanitizer_get_ownership(result)) Fail(entry.name, "xlbitDLLFree on a record that is no heap block");
    if (list) {
        // A list: one column of UTF-16 texts, all inside the one block.
        const auto& array = result->val.array;
        if (result->xltype != (xltypeMulti | xlbitDLLFree) || array.columns != 1 || array.rows == 0)
            Fail(entry.name, "a list that is not one column");
        if (!InsideBlock(result, array.lparray, array.rows * sizeof(XLOPER12))) Fail(entry.name, "elements outside the block");
        for (int i = 0; i < array.rows; ++i) {
            const XCHAR* text = array.lparray[i].val.str;
            if (array.lparray[i].xltype != xltypeStr || !InsideBlock(result, text, (1 + size_t(text[0])) * sizeof(XCHAR)))
                Fail(entry.name, "an element that is no text of the block");
        }
        return;
    }
    if (!conversion) {
        if (result->xltype != (xltypeNum | xlbitDLLFree)) Fail(entry.name, "a flagged volume that is no number");
        CheckNumber(entry, result->val.num);
        return;
    }
    const auto& array = result->val.array;
    if (result->xltype != (xltypeMulti | xlbitDLLFree) || array.rows != 1 || array.columns != 2)
        Fail(entry.name, "a conversion result that is not a 1 x 2 array");
    if (!InsideBlock(result, array.lparray, 2 * sizeof(XLOPER12))) Fail(entry.name, "elements outside the block");
    if (array.lparray[0].xltype != xltypeNum || array.lparray[1].xltype != xltypeStr)
        Fail(entry.name, "elements are not {number, text}");
    CheckNumber(entry, array.lparray[0].val.num);
    if (!InAddinImage(array.lparray[1].val.str)) Fail(entry.name, "a label that is not the catalogue's");
}

void CheckLedger(const Entry& entry) {
    std::vector<std::string> problems = xlhost::LedgerProblems();
    if (!problems.empty()) Fail(entry.name, "ledger: " + problems.front());
}

// An Excel12 form, given the decoded arguments as XLOPER12 records.
void Call12(const Entry& entry, XLOPER* arguments) {
    xlhost::RecordStorage storage;
    XLOPER12 wide[kMostArguments], before[kMostArguments];
    XLOPER12* pointers[kMostArguments];
    for (int i = 0; i < entry.arguments; ++i) {
        before[i] = wide[i] = xlhost::WidenRecord(arguments[i], &storage);
        pointers[i] = &wide[i];
    }
    uint16_t precision = xlhost::ReadPrecisionControl();
    XLOPER12* result = xlhost::CallRecordEntry(entry.address, size_t(entry.arguments), pointers);
    if (!result) Fail(entry.name, "a null result");
    CheckResult12(entry, result);
    xlhost::TakeAddinResult(g_addin, result);  // copies it and hands a flagged block to xlAutoFree12
    if (xlhost::ReadPrecisionControl() != precision) Fail(entry.name, "changed the x87 precision control");
    for (int i = 0; i < entry.arguments; ++i)
        if (std::memcmp(&before[i], &wide[i], sizeof(XLOPER12)) != 0) Fail(entry.name, "wrote to an argument");
    CheckLedger(entry);
}

void Call(const Entry& entry, XLOPER* arguments) {
    if (entry.answers == Answers::Conversion12 || entry.answers == Answers::Volume12 || entry.answers == Answers::List12)
        return Call12(entry, arguments);
    XLOPER before[kMostArguments];
    XLOPER* pointers[kMostArguments];
    for (int i = 0; i < entry.arguments; ++i) {
        before[i] = arguments[i];
        pointers[i] = &arguments[i];
    }
    uint16_t precision = xlhost::ReadPrecisionControl();
    if (entry.answers == Answers::Command) {
        int answer = reinterpret_cast<int(XLLAPI*)()>(entry.address)();
        if (answer != 1) Fail(entry.name, "answered " + std::to_string(answer));
        if (std::strcmp(entry.name, "xlAutoOpen") == 0 && g_hostVersion != "5.0") g_versionChanged = true;
    } else {
        XLOPER* result = xlhost::CallRecordEntry(entry.address, size_t(entry.arguments), pointers);
        if (!result) Fail(entry.name, "a null result");
        if (result->xltype & xlbitDLLFree) CheckOwnedBlock(entry, result);
        else CheckStaticRecord(entry, result);
        xlhost::TakeAddinResult(g_addin, result);  // copies it and hands a flagged block to xlAutoFree
    }
    if (xlhost::ReadPrecisionControl() != precision) Fail(entry.name, "changed the x87 precision control");
    for (int i = 0; i < entry.arguments; ++i)
        if (std::memcmp(&before[i], &arguments[i], sizeof(XLOPER)) != 0) Fail(entry.name, "wrote to an argument");
    CheckLedger(entry);
}

void ChangeHost(int change) {
    switch (change) {
    case kVersion80: g_hostVersion = "8.0"; break;
    case kVersion50: g_hostVersion = "5.0"; break;
    case kVersion160: g_hostVersion = "16.0"; break;
    case kRefuseRegistrations: xlhost::RefuseRegistrations(true); return;
    case kAcceptRegistrations: xlhost::RefuseRegistrations(false); return;
    case kPrecision53: xlhost::SetPrecisionControl(xlhost::kPrecision53); return;
    default: xlhost::SetPrecisionControl(xlhost::kPrecision64); return;
    }
    xlhost::SetHostVersion(g_hostVersion);
}

// A fresh host and the add-in as the attach left it.
void StartInput() {
    xlhost::StartEmulatedExcel();
    g_hostVersion = "5.0";
    xlhost::SetPrecisionControl(xlhost::kPrecision64);
    if (g_versionChanged) {
        const Entry reopen = {"xlAutoOpen (again, as version 5.0)", 0, Answers::Command, nullptr};
        xlhost::OpenAddin(g_addin);
        xlhost::CloseAddin(g_addin);
        CheckLedger(reopen);
        xlhost::StartEmulatedExcel();
        g_versionChanged = false;
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    xlhost::StartEmulatedExcel();
    // Loaded from a thread calculating with 53 bits, as in Excel: the attach must switch to 64.
    xlhost::SetPrecisionControl(xlhost::kPrecision53);
    std::string error;
    if (!xlhost::LoadAddin(xlhost::BesideProgram("MEZURA32.so"), &g_addin, &error)) Fail("load", error);
    if (xlhost::ReadPrecisionControl() != xlhost::kPrecision64) Fail("attach", "left the x87 precision at 53 bits");
    // The first opening by an Excel 12 or later gives the loading thread back the precision it was
    // loaded with, once per load: done here, so that no input takes it for a change.
    xlhost::SetHostVersion("16.0");
    xlhost::OpenAddin(g_addin);
    xlhost::CloseAddin(g_addin);
    if (xlhost::ReadPrecisionControl() != xlhost::kPrecision53) Fail("xlAutoOpen", "kept the attach's precision");
    g_versionChanged = true;
    for (Entry& entry : g_entries) {
        entry.address = xlhost::FindExport(g_addin, entry.name);
        if (!entry.address) Fail(entry.name, "not exported");
    }
    Dl_info info;
    if (!dladdr(xlhost::FindExport(g_addin, "xlAutoFree"), &info)) Fail("load", "no image for xlAutoFree");
    g_addinBase = info.dli_fbase;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    StartInput();
    ByteReader in(data, size);
    FillGrid(in);
    int commandCalls[kEntryCount] = {};
    for (int call = 0; call < kMostCalls && !in.Exhausted(); ++call) {
        size_t pick = in.Byte() % (kEntryCount + kHostChangeCount);
        if (pick >= kEntryCount) {
            ChangeHost(int(pick - kEntryCount));
            continue;
        }
        if (g_entries[pick].answers == Answers::Command && ++commandCalls[pick] > kMostCommandCalls) continue;
        RecordArena arena;
        XLOPER arguments[kMostArguments];
        for (int i = 0; i < g_entries[pick].arguments; ++i) arguments[i] = DecodeArgument(in, arena);
        Call(g_entries[pick], arguments);
    }
    return 0;
}
