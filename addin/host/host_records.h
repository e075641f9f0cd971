// The add-in's words for host value records, by owner: the answers it returns, the records the host fills for it, the records it lends.
#pragma once

#include "counted_text.h"
#include "xloper.h"
#include "xloper12.h"

// The words that need no host call are templates on the record type, written for XLOPER (the
// default) and used for XLOPER12 as well, whose fields and type codes are the same.

// A value stored in a record that exists (a function's own answer, an element of a value being
// built, a result the host is to fill): the type and the value are written, nothing else, and
// the record is handed back, so that an answer is written and returned in one step
// (`return StoreError(&answer, xlerrValue);`). Storing in place rather than copying a whole
// record also spares the copy's wide read of fields just written narrow, which stalls the
// conversions' hot path.
template <class Record>
Record* StoreError(Record* record, int code) {
    record->xltype = xltypeErr;
    record->val.err = static_cast<decltype(record->val.err)>(code);
    return record;
}

template <class Record>
Record* StoreNumber(Record* record, double number) {
    record->xltype = xltypeNum;
    record->val.num = number;
    return record;
}

template <class Record>
Record* StoreInt(Record* record, short number) {
    record->xltype = xltypeInt;
    record->val.w = number;
    return record;
}

template <class Record>
Record* StoreBool(Record* record, bool value) {
    record->xltype = xltypeBool;
    record->val.xbool = value ? 1 : 0;
    return record;
}

// A text pointing at a counted string the add-in keeps alive (a table's text, a load buffer, a
// block of its own); nothing of it is copied.
inline XLOPER* StoreText(XLOPER* record, const char* counted) {
    record->xltype = xltypeStr;
    record->val.str = const_cast<char*>(counted);  // the host only reads what the add-in lends
    return record;
}

inline XLOPER12* StoreText(XLOPER12* record, const XCHAR* counted) {
    record->xltype = xltypeStr;
    record->val.str = const_cast<XCHAR*>(counted);
    return record;
}

// A new record of each kind, the rest of it zero: a local the add-in lends to the host as an
// argument (the host only reads it during the call), or a result record the host is to fill.
template <class Record = XLOPER>
Record ErrorRecord(int code) {
    Record record{};
    StoreError(&record, code);
    return record;
}

template <class Record = XLOPER>
Record NumberRecord(double number) {
    Record record{};
    StoreNumber(&record, number);
    return record;
}

template <class Record = XLOPER>
Record IntRecord(short number) {
    Record record{};
    StoreInt(&record, number);
    return record;
}

template <class Record = XLOPER>
Record BoolRecord(bool value) {
    Record record{};
    StoreBool(&record, value);
    return record;
}

inline XLOPER TextRecord(const char* counted) {
    XLOPER record{};
    StoreText(&record, counted);
    return record;
}

inline XLOPER12 TextRecord(const XCHAR* counted) {
    XLOPER12 record{};
    StoreText(&record, counted);
    return record;
}

// A type record: an integer record holding the type code wanted from a coercion.
template <class Record = XLOPER>
Record MakeTypeRecord(WORD wantedType) {
    return IntRecord<Record>(static_cast<short>(wantedType));
}

// An answer the host gives back through xlAutoFree: a text record and its load buffer in one
// heap block, flagged xlbitDLLFree.
struct OwnedTextRecord {
    XLOPER record;
    char buffer[kLoadBufferSize];
};

// Makes an OwnedTextRecord holding string `id`; nullptr when the heap cannot supply it.
XLOPER* MakeOwnedTextRecord(HINSTANCE instance, UINT id);

// The answers of a thread-safe function, which no thread may write while another hands them
// out. A number goes in a block of its own, flagged for xlAutoFree12 (nullptr when the heap
// cannot supply it); an error is one of the add-in's error records, written once at attach and
// only read after, so any number of threads may answer with it at once (#VALUE! or #NAME?).
XLOPER12* OwnedNumberRecord(double number);
XLOPER12* ConstantErrorRecord(int code);
void PrepareConstantErrorRecords();

// Records the host fills: the result record of an Excel4 call starts as #VALUE!, since a call
// that fails may leave it unwritten and it must then never pass for a value of any kind (a
// result record that exists is preset with StoreError(record, xlerrValue)).
template <class Record = XLOPER>
Record UnwrittenAnswer() {
    return ErrorRecord<Record>(xlerrValue);
}

// Gives a host-owned text, array or reference back to the host (xlFree, through Excel4 or
// Excel12 as the record's kind says); other records need nothing.
void FreeHostRecord(XLOPER* record);
void FreeHostRecord(XLOPER12* record);

// Holds a record the host filled inside a function and gives it back when the function leaves
// the guard's scope. Made once the call that filled the record has succeeded; a record holding
// a number, an integer, a boolean or an error is left alone.
template <class Record>
class HostRecordGuard {
public:
    explicit HostRecordGuard(Record* record) : record_(record) {}
    ~HostRecordGuard() { FreeHostRecord(record_); }
    HostRecordGuard(const HostRecordGuard&) = delete;
    HostRecordGuard& operator=(const HostRecordGuard&) = delete;

private:
    Record* record_;
};
