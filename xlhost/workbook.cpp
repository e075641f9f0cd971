// The emulated Excel's workbook: named sheets of cells holding numbers, texts, booleans and errors.
#include "workbook.h"

namespace xlhost {

namespace {

struct Workbook {
    std::string name = "Book1";
    std::vector<Sheet> sheets;
    DWORD callingSheet = 0;
};

Workbook& TheBook() {
    static Workbook* book = new Workbook;
    return *book;
}

uint32_t CellKey(int row, int column) { return uint32_t(row) * kColumns + uint32_t(column); }

}  // namespace

void ResetWorkbook() {
    TheBook() = Workbook{};
    SetCallingSheet(AddSheet("Sheet1"));
}

DWORD AddSheet(const std::string& name) {
    Workbook& book = TheBook();
    book.sheets.push_back(Sheet{name, {}});
    return DWORD(book.sheets.size());
}

const Sheet* FindSheet(DWORD id) {
    Workbook& book = TheBook();
    if (id == 0 || id > book.sheets.size()) return nullptr;
    return &book.sheets[id - 1];
}

DWORD FindSheetByName(const std::string& name) {
    Workbook& book = TheBook();
    for (size_t i = 0; i < book.sheets.size(); ++i) {
        if (book.sheets[i].name == name) return DWORD(i + 1);
    }
    return 0;
}

void SetCallingSheet(DWORD id) { TheBook().callingSheet = id; }
DWORD CallingSheet() { return TheBook().callingSheet; }
const std::string& BookName() { return TheBook().name; }

void SetCell(DWORD sheet, int row, int column, const CellValue& value) {
    Workbook& book = TheBook();
    if (sheet == 0 || sheet > book.sheets.size()) return;
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns) return;
    auto& cells = book.sheets[sheet - 1].cells;
    if (value.type == xltypeNil) cells.erase(CellKey(row, column));
    else cells[CellKey(row, column)] = value;
}

CellValue GetCell(DWORD sheet, int row, int column) {
    const Sheet* found = FindSheet(sheet);
    if (!found) return CellValue::Error(xlerrRef);
    auto cell = found->cells.find(CellKey(row, column));
    return cell == found->cells.end() ? CellValue{} : cell->second;
}

bool RecordToCell(const XLOPER& record, CellValue* cell) {
    switch (record.xltype & ~kFlagBits) {
    case xltypeNum: *cell = CellValue::Number(record.val.num); return true;
    case xltypeInt: *cell = CellValue::Number(record.val.w); return true;
    case xltypeBool: *cell = CellValue::Boolean(record.val.xbool != 0); return true;
    case xltypeErr: *cell = CellValue::Error(record.val.err); return true;
    case xltypeNil: *cell = CellValue{}; return true;
    case xltypeMissing: *cell = CellValue{}; return true;
    case xltypeStr: {
        if (!record.val.str) return false;
        const auto* text = reinterpret_cast<const unsigned char*>(record.val.str);
        *cell = CellValue::Text(std::string(record.val.str + 1, text[0]));
        return true;
    }
    default: return false;
    }
}

bool ReferenceArea(const XLOPER& record, DWORD* sheet, XLREF* area) {
    WORD type = record.xltype & ~kFlagBits;
    if (type == xltypeSRef) {
        *sheet = CallingSheet();
        *area = record.val.sref.ref;
    } else if (type == xltypeRef) {
        const XLMREF* list = record.val.mref.lpmref;
        if (!list || list->count != 1) return false;
        *sheet = record.val.mref.idSheet;
        *area = list->reftbl[0];
    } else {
        return false;
    }
    return FindSheet(*sheet) && area->rwFirst <= area->rwLast && area->colFirst <= area->colLast;
}

}  // namespace xlhost
