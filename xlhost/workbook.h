// The emulated Excel's workbook: named sheets of cells holding numbers, texts, booleans and errors.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "xloper.h"

namespace xlhost {

// Error codes the host shows besides the add-in's own two.
enum : WORD { xlerrNull = 0, xlerrDiv0 = 7, xlerrRef = 23, xlerrNum = 36, xlerrNA = 42 };

// One cell's value. `type` is xltypeNil (empty), xltypeNum, xltypeStr, xltypeBool or xltypeErr.
struct CellValue {
    WORD type = xltypeNil;
    double num = 0;
    std::string text;
    bool flag = false;
    WORD err = 0;

    static CellValue Number(double n) { CellValue v; v.type = xltypeNum; v.num = n; return v; }
    static CellValue Text(std::string t) { CellValue v; v.type = xltypeStr; v.text = std::move(t); return v; }
    static CellValue Boolean(bool b) { CellValue v; v.type = xltypeBool; v.flag = b; return v; }
    static CellValue Error(WORD e) { CellValue v; v.type = xltypeErr; v.err = e; return v; }
};

constexpr int kRows = 65536;
constexpr int kColumns = 256;

struct Sheet {
    std::string name;
    std::map<uint32_t, CellValue> cells;  // key: row * 256 + column
};

// The host's one book "Book1". Sheet ids start at 1; the calling sheet is the one single
// references (xltypeSRef) point into.
void ResetWorkbook();
DWORD AddSheet(const std::string& name);
const Sheet* FindSheet(DWORD id);
DWORD FindSheetByName(const std::string& name);  // 0 when absent
void SetCallingSheet(DWORD id);
DWORD CallingSheet();
const std::string& BookName();

void SetCell(DWORD sheet, int row, int column, const CellValue& value);

// Flag bits a type word may carry besides its type.
constexpr WORD kFlagBits = xlbitDLLFree | 0x1000;

// A value record as a cell value: flag bits ignored, integers as numbers, a missing argument
// as an empty cell; false for references, arrays and unknown types.
bool RecordToCell(const XLOPER& record, CellValue* cell);

// The sheet and rectangle of a reference record (xltypeSRef on the calling sheet, or an
// xltypeRef of one area); false when it names no existing sheet or a reversed rectangle.
bool ReferenceArea(const XLOPER& record, DWORD* sheet, XLREF* area);
CellValue GetCell(DWORD sheet, int row, int column);

}  // namespace xlhost
