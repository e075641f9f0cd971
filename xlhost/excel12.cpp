// The emulated Excel's Excel12: XLOPER12 calls carried out by the Excel4 dispatcher, with records converted both ways.
#include "excel12.h"

#include <climits>

#include "emulated_excel.h"
#include "ledger.h"
#include "registry.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace xlhost {

namespace {

constexpr WORD kMostArrayElements = 65535;  // what one XLOPER array holds

// The host's own answer as the XLOPER12 it hands the add-in: every text, array and area list
// a block of its own, tracked.
void HandOut(const XLOPER& answer, XLOPER12* result) {
    RecordStorage storage;
    XLOPER12 wide = WidenRecord(answer, &storage);
    switch (answer.xltype) {
    case xltypeStr:
        wide.val.str = AllocateText12(wide.val.str + 1, wide.val.str[0]);
        break;
    case xltypeMulti: {
        size_t count = size_t(wide.val.array.rows) * wide.val.array.columns;
        XLOPER12* elements = AllocateArray12(count);
        for (size_t i = 0; i < count; ++i) {
            elements[i] = wide.val.array.lparray[i];
            if (elements[i].xltype == xltypeStr)
                elements[i].val.str = AllocateElementText12(elements[i].val.str + 1, elements[i].val.str[0]);
        }
        wide.val.array.lparray = elements;
        break;
    }
    case xltypeRef: {
        // The host answers references of one area.
        XLMREF12* list = AllocateAreaList12();
        *list = {1, {wide.val.mref.lpmref->reftbl[0]}};
        wide.val.mref.lpmref = list;
        break;
    }
    default:
        break;
    }
    *result = wide;
}

XLREF12 WidenArea(const XLREF& area) { return {area.rwFirst, area.rwLast, area.colFirst, area.colLast}; }

// False when the rectangle lies beyond the host's grid of 65536 rows and 256 columns.
bool NarrowArea(const XLREF12& area, XLREF* narrow) {
    if (area.rwFirst < 0 || area.rwLast > 65535 || area.colFirst < 0 || area.colLast > 255) return false;
    *narrow = XLREF{WORD(area.rwFirst), WORD(area.rwLast), BYTE(area.colFirst), BYTE(area.colLast)};
    return true;
}

XLOPER ErrorOf(WORD code) {
    XLOPER record{};
    record.xltype = xltypeErr;
    record.val.err = code;
    return record;
}

}  // namespace

std::basic_string<XCHAR> WidenText(const std::string& text) {
    std::basic_string<XCHAR> wide(text.size(), XCHAR(0));
#ifdef _WIN32
    int made = text.empty() ? 0
                            : MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()),
                                                  reinterpret_cast<wchar_t*>(&wide[0]), int(wide.size()));
    wide.resize(size_t(made));
#else
    for (size_t i = 0; i < text.size(); ++i) wide[i] = XCHAR(static_cast<unsigned char>(text[i]));
#endif
    return wide;
}

std::string NarrowText(const XCHAR* chars, size_t length) {
    std::string text(length * 2, '\0');
#ifdef _WIN32
    int made = length == 0 ? 0
                           : WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(chars), int(length),
                                                 &text[0], int(text.size()), nullptr, nullptr);
    text.resize(size_t(made));
#else
    text.resize(length);
    for (size_t i = 0; i < length; ++i) text[i] = chars[i] <= 0xFF ? char(chars[i]) : '?';
#endif
    return text;
}

XLOPER NarrowRecord(const XLOPER12& record, RecordStorage* storage) {
    XLOPER narrow{};
    narrow.xltype = WORD(record.xltype);
    switch (record.xltype & ~kFlagBits) {
    case xltypeNum: narrow.val.num = record.val.num; break;
    case xltypeBool: narrow.val.xbool = short(record.val.xbool != 0); break;
    case xltypeErr: narrow.val.err = WORD(record.val.err); break;
    case xltypeInt:
        // An XLOPER integer is 16-bit: a wider one travels as a number, as Excel passes it.
        if (record.val.w >= SHRT_MIN && record.val.w <= SHRT_MAX) {
            narrow.val.w = short(record.val.w);
        } else {
            narrow.xltype = WORD(xltypeNum | (record.xltype & kFlagBits));
            narrow.val.num = record.val.w;
        }
        break;
    case xltypeStr: {
        if (!record.val.str) return ErrorOf(xlerrValue);
        std::string text = NarrowText(record.val.str + 1, record.val.str[0]);
        if (text.size() > 255) text.resize(255);
        storage->texts.push_back(std::string(1, char(text.size())) + text);
        narrow.val.str = &storage->texts.back()[0];
        break;
    }
    case xltypeSRef:
        narrow.val.sref.count = 1;
        if (!NarrowArea(record.val.sref.ref, &narrow.val.sref.ref)) return ErrorOf(xlerrRef);
        break;
    case xltypeRef: {
        const XLMREF12* list = record.val.mref.lpmref;
        storage->areas.push_back(XLMREF{});
        XLMREF& areas = storage->areas.back();
        if (!list || list->count != 1 || !NarrowArea(list->reftbl[0], &areas.reftbl[0])) return ErrorOf(xlerrRef);
        areas.count = 1;
        narrow.val.mref.lpmref = &areas;
        narrow.val.mref.idSheet = DWORD(record.val.mref.idSheet);
        break;
    }
    case xltypeMulti: {
        int32_t rows = record.val.array.rows, columns = record.val.array.columns;
        if (!record.val.array.lparray || rows <= 0 || columns <= 0 || int64_t(rows) * columns > kMostArrayElements)
            return ErrorOf(xlerrValue);
        storage->arrays.emplace_back();
        std::vector<XLOPER>& elements = storage->arrays.back();
        for (int32_t i = 0; i < rows * columns; ++i)
            elements.push_back(NarrowRecord(record.val.array.lparray[i], storage));
        narrow.val.array.lparray = elements.data();
        narrow.val.array.rows = WORD(rows);
        narrow.val.array.columns = WORD(columns);
        break;
    }
    default:
        break;  // missing, empty: nothing more to say
    }
    return narrow;
}

XLOPER12 WidenRecord(const XLOPER& record, RecordStorage* storage) {
    XLOPER12 wide{};
    wide.xltype = record.xltype;
    switch (record.xltype & ~kFlagBits) {
    case xltypeNum: wide.val.num = record.val.num; break;
    case xltypeBool: wide.val.xbool = record.val.xbool; break;
    case xltypeErr: wide.val.err = record.val.err; break;
    case xltypeInt: wide.val.w = record.val.w; break;
    case xltypeStr: {
        const auto* bytes = reinterpret_cast<const unsigned char*>(record.val.str);
        std::basic_string<XCHAR> text = WidenText(std::string(record.val.str + 1, bytes[0]));
        storage->wideTexts.push_back(XCHAR(text.size()) + text);
        wide.val.str = &storage->wideTexts.back()[0];
        break;
    }
    case xltypeSRef:
        wide.val.sref.count = 1;
        wide.val.sref.ref = WidenArea(record.val.sref.ref);
        break;
    case xltypeRef: {
        // The count, then as many areas: room for one area more than the list holds.
        WORD count = record.val.mref.lpmref ? record.val.mref.lpmref->count : 0;
        storage->wideAreas.emplace_back(size_t(count) + 1);
        auto* list = reinterpret_cast<XLMREF12*>(storage->wideAreas.back().data());
        list->count = count;
        for (WORD i = 0; i < count; ++i) list->reftbl[i] = WidenArea(record.val.mref.lpmref->reftbl[i]);
        wide.val.mref.lpmref = record.val.mref.lpmref ? list : nullptr;
        wide.val.mref.idSheet = record.val.mref.idSheet;
        break;
    }
    case xltypeMulti: {
        storage->wideArrays.emplace_back();
        std::vector<XLOPER12>& elements = storage->wideArrays.back();
        for (size_t i = 0; i < size_t(record.val.array.rows) * record.val.array.columns; ++i)
            elements.push_back(WidenRecord(record.val.array.lparray[i], storage));
        wide.val.array.lparray = elements.data();
        wide.val.array.rows = record.val.array.rows;
        wide.val.array.columns = record.val.array.columns;
        break;
    }
    default:
        break;
    }
    return wide;
}

bool RecordToCell(const XLOPER12& record, CellValue* cell) {
    RecordStorage storage;
    switch (record.xltype & ~kFlagBits) {
    case xltypeNum:
    case xltypeInt:
    case xltypeBool:
    case xltypeErr:
    case xltypeNil:
    case xltypeMissing:
    case xltypeStr:
        return RecordToCell(NarrowRecord(record, &storage), cell);
    default:
        return false;
    }
}

int HandleExcel12(int xlfn, XLOPER12* result, int count, XLOPER12** args) {
    if (HostMajorVersion() < 12) return xlretFailed;
    if (count < 0 || count > kMaxExcel12Args) return xlretInvCount;
    if (xlfn == xlFree) {
        NoteCall(xlfn);
        for (int i = 0; i < count; ++i)
            if (args[i]) ReleaseHostRecord(args[i]);
        return xlretSuccess;
    }
    RecordStorage storage;
    XLOPER records[kMaxExcel12Args];
    XLOPER* pointers[kMaxExcel12Args];
    for (int i = 0; i < count; ++i) {
        if (args[i]) records[i] = NarrowRecord(*args[i], &storage);
        pointers[i] = args[i] ? &records[i] : nullptr;
    }
    XLOPER answer{};
    int code = DispatchCall(xlfn, result ? &answer : nullptr, count, pointers);
    if (code == xlretSuccess && result) {
        HandOut(answer, result);
        DiscardHostRecord(&answer);
    }
    return code;
}

}  // namespace xlhost
