// The emulated Excel calling into a loaded add-in: opening, closing, the add-in manager and registered functions.
#include "addin_calls.h"

#include "excel12.h"
#include "ledger.h"
#include "registry.h"

namespace xlhost {

namespace {

constexpr size_t kMostArguments = 8;

typedef int(XLLAPI* IntEntry)();
typedef short(XLLAPI* BoolEntry)();
typedef XLOPER*(XLLAPI* RecordEntry1)(XLOPER*);
typedef void(XLLAPI* FreeEntry)(XLOPER*);
typedef void(XLLAPI* FreeEntry12)(XLOPER12*);

int CallIntEntry(const LoadedAddin& addin, const char* name) {
    auto entry = reinterpret_cast<IntEntry>(FindExport(addin, name));
    return entry ? entry() : -1;
}

CallResult Single(const CellValue& cell) {
    CallResult result;
    result.cells.push_back(cell);
    return result;
}

// The copy of a result: an array element by element, else the one value; a value that is no
// cell value (a reference, an omitted argument) shows as #VALUE!.
template <class Record>
CallResult CopyResult(const Record& record) {
    CallResult copied;
    if ((record.xltype & ~xlbitDLLFree) == xltypeMulti && record.val.array.lparray && record.val.array.rows > 0 &&
        record.val.array.columns > 0) {
        copied.rows = WORD(record.val.array.rows);
        copied.columns = WORD(record.val.array.columns);
        for (size_t i = 0; i < size_t(copied.rows) * copied.columns; ++i) {
            CellValue cell;
            if (!RecordToCell(record.val.array.lparray[i], &cell)) cell = CellValue::Error(xlerrValue);
            copied.cells.push_back(cell);
        }
        return copied;
    }
    CellValue cell;
    if (!RecordToCell(record, &cell) || (record.xltype & ~xlbitDLLFree) == xltypeMissing)
        cell = CellValue::Error(xlerrValue);
    return Single(cell);
}

template <class Record, class Free>
CallResult TakeResult(const LoadedAddin& addin, Record* record, const char* freeName) {
    if (!record) return Single(CellValue::Error(xlerrValue));
    CallResult copied = CopyResult(*record);
    if (record->xltype & xlbitDLLFree) {
        NoteAddinBlock(record);
        if (auto autoFree = reinterpret_cast<Free>(FindExport(addin, freeName))) {
            // Noted before the add-in frees it: once freed, another recalculation thread may be
            // handed a block at the same address and note it live before this note is made.
            NoteAddinBlockFreed(record);
            autoFree(record);
        }
    }
    return copied;
}

}  // namespace

CallResult TakeAddinResult(const LoadedAddin& addin, XLOPER* record) {
    return TakeResult<XLOPER, FreeEntry>(addin, record, "xlAutoFree");
}

CallResult TakeAddinResult(const LoadedAddin& addin, XLOPER12* record) {
    return TakeResult<XLOPER12, FreeEntry12>(addin, record, "xlAutoFree12");
}

int OpenAddin(const LoadedAddin& addin) { return CallIntEntry(addin, "xlAutoOpen"); }
int CloseAddin(const LoadedAddin& addin) { return CallIntEntry(addin, "xlAutoClose"); }
int AddinManagerAdd(const LoadedAddin& addin) { return CallIntEntry(addin, "xlAutoAdd"); }
int AddinManagerRemove(const LoadedAddin& addin) { return CallIntEntry(addin, "xlAutoRemove"); }

bool AddinManagerInfo(const LoadedAddin& addin, const XLOPER& action, CallResult* answer) {
    auto entry = reinterpret_cast<RecordEntry1>(FindExport(addin, "xlAddInManagerInfo"));
    if (!entry) return false;
    XLOPER argument = action;
    *answer = TakeAddinResult(addin, entry(&argument));
    return true;
}

bool AutoRegister(const LoadedAddin& addin, const std::string& procedure, CallResult* answer) {
    auto entry = reinterpret_cast<RecordEntry1>(FindExport(addin, "xlAutoRegister"));
    if (!entry) return false;
    std::string counted(1, char(procedure.size() > 255 ? 255 : procedure.size()));
    counted += procedure.substr(0, 255);
    XLOPER name{};
    name.xltype = xltypeStr;
    name.val.str = &counted[0];
    *answer = TakeAddinResult(addin, entry(&name));
    return true;
}

CallStatus CallRegistered(const LoadedAddin& addin, const std::string& name, const std::vector<XLOPER>& arguments,
                          CallResult* result) {
    const Registration* registration = FindRegisteredName(name);
    if (!registration || registration->module != addin.path) return CallStatus::NotRegistered;
    void* entry = FindExport(addin, registration->procedure.c_str());
    if (!entry) return CallStatus::NoExport;

    const std::string& type = registration->typeText;
    size_t count = type.size() - 1;
    if (count > kMostArguments) return CallStatus::NotCallable;
    if (type[0] == 'A' || type[0] == 'J') {
        if (count != 0) return CallStatus::NotCallable;
        if (type[0] == 'A') *result = Single(CellValue::Boolean(reinterpret_cast<BoolEntry>(entry)() != 0));
        else *result = Single(CellValue::Number(reinterpret_cast<IntEntry>(entry)()));
        return CallStatus::Called;
    }
    if (type[0] == 'U' || type[0] == 'Q') {
        // Registered through Excel12: the same arguments as XLOPER12 records.
        RecordStorage storage;
        XLOPER12 copies[kMostArguments];
        XLOPER12* pointers[kMostArguments];
        size_t letters = type.back() == '$' ? count - 1 : count;
        for (size_t i = 0; i < letters; ++i) {
            copies[i] = XLOPER12{};
            copies[i].xltype = xltypeMissing;
            if (i < arguments.size()) copies[i] = WidenRecord(arguments[i], &storage);
            pointers[i] = &copies[i];
        }
        *result = TakeAddinResult(addin, CallRecordEntry(entry, letters, pointers));
        return CallStatus::Called;
    }
    if (type[0] != 'R' && type[0] != 'P') return CallStatus::NotCallable;

    // The add-in may not write to its arguments, but give it copies all the same.
    XLOPER copies[kMostArguments];
    XLOPER* pointers[kMostArguments];
    for (size_t i = 0; i < count; ++i) {
        if (i < arguments.size()) {
            copies[i] = arguments[i];
        } else {
            copies[i] = XLOPER{};
            copies[i].xltype = xltypeMissing;
        }
        pointers[i] = &copies[i];
    }
    *result = TakeAddinResult(addin, CallRecordEntry(entry, count, pointers));
    return CallStatus::Called;
}

bool IsThreadSafe(const std::string& name) {
    const Registration* registration = FindRegisteredName(name);
    return registration && !registration->typeText.empty() && registration->typeText.back() == '$';
}

}  // namespace xlhost
