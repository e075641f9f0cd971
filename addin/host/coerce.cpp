// The add-in's single coercion entry: a checked call of the host's xlCoerce, or the automation path's read.
#include "coerce.h"

#include <cstring>

#include "automation.h"
#include "host_interface.h"

namespace {

// Answers yes when the host refuses a command-equivalent here, i.e. the add-in is called
// from a worksheet calculation rather than from a command.
bool ProbeCommandContext() {
    XLOPER answer = UnwrittenAnswer();
    if (Excel4(xlcActivate, &answer, 0) != xlretSuccess) return true;
    HostRecordGuard release(&answer);
    return answer.val.xbool == 0;
}

// Whether any cell of a referenced range holds text; yes when the host cannot tell.
bool RangeHoldsText(XLOPER* source) {
    if (!(source->xltype & (xltypeRef | xltypeSRef))) return true;
    XLOPER perCell = UnwrittenAnswer();
    if (Excel4(xlfIstext, &perCell, 1, source) != xlretSuccess) return true;
    HostRecordGuard releasePerCell(&perCell);
    if (perCell.xltype == xltypeErr) return true;
    XLOPER any = UnwrittenAnswer();
    if (Excel4(xlfOr, &any, 1, &perCell) != xlretSuccess) return true;
    HostRecordGuard releaseAny(&any);
    return any.xltype != xltypeBool || any.val.xbool != 0;
}

// The tests that send a coercion to the host's automation interface, cheapest first: the
// records themselves, then the stored version text, and only then two host calls. A host
// other than "8.0" therefore pays for nothing but its xlCoerce.
bool WantsAutomationPath(XLOPER* source, XLOPER* wanted) {
    if (source->xltype != xltypeSRef && source->xltype != xltypeRef) return false;
    bool textOrArray = wanted->xltype == xltypeMissing || wanted->val.w == xltypeMulti || wanted->val.w == xltypeStr;
    if (!textOrArray) return false;
    if (std::strcmp(g_szExcelVersion, "8.0") != 0) return false;
    if (!ProbeCommandContext()) return false;
    return RangeHoldsText(source);
}

// The type record the host is given: the caller's integer record with count 2, a missing
// record in its place with count 1 (the host then only dereferences); nullptr for any other
// call, which the entry refuses without calling the host.
template <class Record>
Record* SettleTypeRecord(int count, Record* typeRecord, Record* missing) {
    *missing = Record{};
    missing->xltype = xltypeMissing;
    if (count == 2 && typeRecord && typeRecord->xltype == xltypeInt) return typeRecord;
    return count == 1 ? missing : nullptr;
}

}  // namespace

int CoerceArgument(XLOPER* result, int count, XLOPER* source, XLOPER* typeRecord) {
    // Callers judge a coercion by the result's type alone, and a failed host call may leave
    // the record unwritten: mark it as an error first so stale contents never count.
    StoreError(result, xlerrValue);
    XLOPER missing;
    XLOPER* wanted = SettleTypeRecord(count, typeRecord, &missing);
    if (!wanted || !source) return xlretInvCount;
    if (WantsAutomationPath(source, wanted)) return CoerceThroughAutomation(result, count, source, typeRecord, wanted);
    return Excel4(xlCoerce, result, 2, source, wanted);
}

int CoerceArgument(XLOPER12* result, int count, XLOPER12* source, XLOPER12* typeRecord) {
    StoreError(result, xlerrValue);
    XLOPER12 missing;
    XLOPER12* wanted = SettleTypeRecord(count, typeRecord, &missing);
    if (!wanted || !source) return xlretInvCount;
    return Excel12(xlCoerce, result, 2, source, wanted);
}
