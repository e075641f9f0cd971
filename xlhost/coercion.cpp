// How the emulated Excel carries out xlCoerce (rules in coercion.h).
#include "coercion.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "ledger.h"
#include "workbook.h"

namespace xlhost {

namespace {

constexpr WORD kMissingCell = xltypeMissing;  // CellValue type of an omitted argument

// A value read from a record: one scalar, or rows x columns of them.
struct Value {
    bool isArray = false;
    CellValue scalar;
    WORD rows = 0, columns = 0;
    std::vector<CellValue> items;
};

// Like RecordToCell, but an omitted argument stays distinguishable from an empty cell.
bool CellFromRecord(const XLOPER& record, CellValue* cell) {
    if ((record.xltype & ~kFlagBits) == xltypeMissing) {
        *cell = CellValue{};
        cell->type = kMissingCell;
        return true;
    }
    return RecordToCell(record, cell);
}

// `scalarOnly`: the caller cannot use an array, so a range of several cells is refused
// before its cells are read (a scalar is never taken from several values).
bool ReadArea(DWORD sheet, const XLREF& area, bool scalarOnly, Value* value) {
    // Counted wider than a WORD: a whole column has 65536 rows, which a WORD would wrap to 0.
    size_t rows = size_t(area.rwLast) - area.rwFirst + 1;
    size_t columns = size_t(area.colLast) - area.colFirst + 1;
    if (rows == 1 && columns == 1) {
        value->scalar = GetCell(sheet, area.rwFirst, area.colFirst);
        return true;
    }
    if (scalarOnly || rows * columns > 65535) return false;  // 65535: what one array record holds
    value->isArray = true;
    value->rows = WORD(rows);
    value->columns = WORD(columns);
    for (int r = area.rwFirst; r <= area.rwLast; ++r)
        for (int c = area.colFirst; c <= area.colLast; ++c) value->items.push_back(GetCell(sheet, r, c));
    return true;
}

bool ReadValue(const XLOPER& source, bool scalarOnly, Value* value) {
    switch (source.xltype & ~kFlagBits) {
    case xltypeSRef:
    case xltypeRef: {
        DWORD sheet;
        XLREF area;
        return ReferenceArea(source, &sheet, &area) && ReadArea(sheet, area, scalarOnly, value);
    }
    case xltypeMulti: {
        const auto& array = source.val.array;
        if (!array.lparray || array.rows == 0 || array.columns == 0) return false;
        value->isArray = true;
        value->rows = array.rows;
        value->columns = array.columns;
        size_t count = size_t(array.rows) * array.columns;
        value->items.resize(count);
        for (size_t i = 0; i < count; ++i)
            if (!CellFromRecord(array.lparray[i], &value->items[i])) return false;
        return true;
    }
    default:
        return CellFromRecord(source, &value->scalar);
    }
}

bool ToNumber(const CellValue& cell, double* number) {
    switch (cell.type) {
    case xltypeNum: *number = cell.num; return true;
    case xltypeBool: *number = cell.flag ? 1 : 0; return true;
    case xltypeNil: *number = 0; return true;
    case xltypeStr: return ParseNumber(cell.text, number);
    default: return false;
    }
}

bool ToInteger(const CellValue& cell, short* integer) {
    double number;
    if (!ToNumber(cell, &number) || std::isnan(number)) return false;
    double whole = std::trunc(number);
    if (whole < -32768 || whole > 32767) return false;
    *integer = static_cast<short>(whole);
    return true;
}

bool ToText(const CellValue& cell, std::string* text) {
    switch (cell.type) {
    case xltypeStr: *text = cell.text; return true;
    case xltypeNum: *text = FormatGeneral(cell.num); return true;
    case xltypeBool: *text = cell.flag ? "TRUE" : "FALSE"; return true;
    case xltypeNil: text->clear(); return true;
    default: return false;
    }
}

bool SameLetters(const std::string& text, const char* word) {
    size_t i = 0;
    for (; word[i]; ++i)
        if (i >= text.size() || std::toupper(static_cast<unsigned char>(text[i])) != word[i]) return false;
    return i == text.size();
}

bool ToBoolean(const CellValue& cell, bool* flag) {
    switch (cell.type) {
    case xltypeBool: *flag = cell.flag; return true;
    case xltypeNum: *flag = cell.num != 0; return true;
    case xltypeNil: *flag = false; return true;
    case xltypeStr:
        if (SameLetters(cell.text, "TRUE")) { *flag = true; return true; }
        if (SameLetters(cell.text, "FALSE")) { *flag = false; return true; }
        return false;
    default: return false;
    }
}

// Writes one scalar of the wanted single type into `out`; false when it cannot be made.
bool MakeScalar(const CellValue& cell, WORD type, XLOPER* out, bool insideArray = false) {
    XLOPER made{};
    switch (type) {
    case xltypeNum:
        if (!ToNumber(cell, &made.val.num)) return false;
        break;
    case xltypeInt:
        if (!ToInteger(cell, &made.val.w)) return false;
        break;
    case xltypeBool: {
        bool flag;
        if (!ToBoolean(cell, &flag)) return false;
        made.val.xbool = flag;
        break;
    }
    case xltypeErr:
        if (cell.type != xltypeErr) return false;
        made.val.err = cell.err;
        break;
    case xltypeNil:
        if (cell.type != xltypeNil) return false;
        break;
    case xltypeMissing:
        if (cell.type != kMissingCell) return false;
        break;
    case xltypeStr: {
        std::string text;
        if (!ToText(cell, &text)) return false;
        made.val.str = insideArray ? AllocateElementText(text.data(), text.size())
                                   : AllocateText(text.data(), text.size());
        break;
    }
    default:
        return false;
    }
    made.xltype = type;
    *out = made;
    return true;
}

// An array element keeps the cell's own type (empty cells are xltypeNil).
void MakeElement(const CellValue& cell, XLOPER* element) {
    *element = XLOPER{};
    if (cell.type == kMissingCell) {
        element->xltype = xltypeNil;
        return;
    }
    MakeScalar(cell, cell.type, element, true);
}

void MakeArray(const Value& value, XLOPER* out) {
    std::vector<CellValue> single;
    const std::vector<CellValue>& items = value.isArray ? value.items : (single = {value.scalar});
    XLOPER* elements = AllocateArray(items.size());
    for (size_t i = 0; i < items.size(); ++i) MakeElement(items[i], &elements[i]);
    out->xltype = xltypeMulti;
    out->val.array.lparray = elements;
    out->val.array.rows = value.isArray ? value.rows : 1;
    out->val.array.columns = value.isArray ? value.columns : 1;
}

bool MakeReference(const XLOPER& source, WORD type, XLOPER* out) {
    WORD sourceType = source.xltype & ~kFlagBits;
    if (sourceType != xltypeSRef && sourceType != xltypeRef) return false;
    DWORD sheet = CallingSheet();
    XLREF area{};
    if (sourceType == xltypeSRef) {
        area = source.val.sref.ref;
    } else {
        const XLMREF* list = source.val.mref.lpmref;
        if (!list || list->count != 1) return false;
        area = list->reftbl[0];
        sheet = source.val.mref.idSheet;
    }
    if (type == xltypeSRef) {
        if (sheet != CallingSheet()) return false;
        out->xltype = xltypeSRef;
        out->val.sref.count = 1;
        out->val.sref.ref = area;
        return true;
    }
    XLMREF* list = AllocateAreaList();
    list->count = 1;
    list->reftbl[0] = area;
    out->xltype = xltypeRef;
    out->val.mref.lpmref = list;
    out->val.mref.idSheet = sheet;
    return true;
}

WORD NaturalType(const Value& value) {
    if (value.isArray) return xltypeMulti;
    return value.scalar.type;
}

}  // namespace

int CoerceValue(const XLOPER* source, const XLOPER* wanted, XLOPER* result) {
    if (!source || !wanted || !result) return xlretFailed;
    bool readOnly = wanted->xltype == xltypeMissing;
    if (!readOnly && wanted->xltype != xltypeInt) return xlretFailed;
    WORD mask = readOnly ? 0 : WORD(wanted->val.w);

    if (mask & (xltypeRef | xltypeSRef)) {
        if ((mask & xltypeSRef) && MakeReference(*source, xltypeSRef, result)) return xlretSuccess;
        if ((mask & xltypeRef) && MakeReference(*source, xltypeRef, result)) return xlretSuccess;
        mask &= WORD(~(xltypeRef | xltypeSRef));
        if (!mask) return xlretFailed;
    }

    Value value;
    if (!ReadValue(*source, !readOnly && !(mask & xltypeMulti), &value)) return xlretFailed;
    WORD natural = NaturalType(value);
    if (readOnly) mask = natural;

    if (natural == xltypeMulti) {
        if (mask & xltypeMulti) {
            MakeArray(value, result);
            return xlretSuccess;
        }
        if (value.items.size() != 1) return xlretFailed;
        value.isArray = false;
        value.scalar = value.items[0];
        natural = value.scalar.type;
    }
    if ((mask & natural) && MakeScalar(value.scalar, natural, result)) return xlretSuccess;
    for (WORD type : {xltypeNum, xltypeInt, xltypeStr, xltypeBool}) {
        if ((mask & type) && MakeScalar(value.scalar, type, result)) return xlretSuccess;
    }
    if ((mask & xltypeMulti) && value.scalar.type != kMissingCell) {
        MakeArray(value, result);
        return xlretSuccess;
    }
    return xlretFailed;
}

std::string FormatGeneral(double number) {
    char text[40];
    std::snprintf(text, sizeof text, "%.15G", number);
    return text;
}

bool ParseNumber(const std::string& text, double* number) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return false;
    size_t last = text.find_last_not_of(' ');
    std::string core = text.substr(first, last - first + 1);
    // Only plain decimals: strtod would also take hex, "inf" and "nan".
    for (char c : core)
        if (!std::isdigit(static_cast<unsigned char>(c)) && c != '.' && c != '+' && c != '-' && c != 'e' && c != 'E')
            return false;
    char* end = nullptr;
    double parsed = std::strtod(core.c_str(), &end);
    if (end != core.c_str() + core.size() || std::isinf(parsed)) return false;
    *number = parsed;
    return true;
}

}  // namespace xlhost
