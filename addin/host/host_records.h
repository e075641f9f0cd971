// The add-in's words for host value records, by owner: the answers it returns, the records the host fills for it, the records it lends.
#pragma once

#include "counted_text.h"
#include "xloper.h"

// The words that need no host call are templates on the record type, written for XLOPER (the
// default) and fit for a second record of the same fields and type codes.

// Records the add-in makes and keeps: values it lends to the host as arguments (the host only
// reads them during the call), elements of the values it builds.
template <class Record = XLOPER>
Record ErrorRecord(int code) {
    Record record{};
    record.xltype = xltypeErr;
    record.val.err = static_cast<decltype(record.val.err)>(code);
    return record;
}

template <class Record = XLOPER>
Record NumberRecord(double number) {
    Record record{};
    record.xltype = xltypeNum;
    record.val.num = number;
    return record;
}

template <class Record = XLOPER>
Record IntRecord(short number) {
    Record record{};
    record.xltype = xltypeInt;
    record.val.w = number;
    return record;
}

template <class Record = XLOPER>
Record BoolRecord(bool value) {
    Record record{};
    record.xltype = xltypeBool;
    record.val.xbool = value ? 1 : 0;
    return record;
}

// A text record pointing at a counted string the add-in keeps alive (a table's text, a load
// buffer); nothing of it is copied or freed.
inline XLOPER TextRecord(const char* counted) {
    XLOPER record{};
    record.xltype = xltypeStr;
    record.val.str = const_cast<char*>(counted);  // the host only reads what the add-in lends
    return record;
}

// A type record: an integer record holding the type code wanted from a coercion.
inline XLOPER MakeTypeRecord(WORD wantedType) {
    return IntRecord(static_cast<short>(wantedType));
}

// Answers: a function's own static record, overwritten at every call and never freed, written
// and handed back in one step (`return AnswerError(&answer, xlerrValue);`).
template <class Record>
Record* AnswerError(Record* answer, int code) {
    *answer = ErrorRecord<Record>(code);
    return answer;
}

template <class Record>
Record* AnswerNumber(Record* answer, double number) {
    *answer = NumberRecord<Record>(number);
    return answer;
}

// An answer the host gives back through xlAutoFree: a text record and its load buffer in one
// heap block, flagged xlbitDLLFree.
struct OwnedTextRecord {
    XLOPER record;
    char buffer[kLoadBufferSize];
};

// Makes an OwnedTextRecord holding string `id`; nullptr when the heap cannot supply it.
XLOPER* MakeOwnedTextRecord(HINSTANCE instance, UINT id);

// Records the host fills: the result record of an Excel4 call starts as #VALUE!, since a call
// that fails may leave it unwritten and it must then never pass for a value of any kind.
template <class Record = XLOPER>
Record UnwrittenAnswer() {
    return ErrorRecord<Record>(xlerrValue);
}

// Gives a host-owned text, array or reference back to the host (xlFree); other records need
// nothing.
void FreeHostRecord(XLOPER* record);

// Holds a record the host filled inside a function and gives it back when the function leaves
// the guard's scope. Made once the call that filled the record has succeeded; a record holding
// a number, an integer, a boolean or an error is left alone.
class HostRecordGuard {
public:
    explicit HostRecordGuard(XLOPER* record) : record_(record) {}
    ~HostRecordGuard() { FreeHostRecord(record_); }
    HostRecordGuard(const HostRecordGuard&) = delete;
    HostRecordGuard& operator=(const HostRecordGuard&) = delete;

private:
    XLOPER* record_;
};
