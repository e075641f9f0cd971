// The few worksheet functions and command-equivalents the add-in asks of the emulated Excel.
#include "worksheet_calls.h"

#include <vector>

#include "ledger.h"
#include "registry.h"
#include "workbook.h"

namespace xlhost {

int IsText(XLOPER* result, int count, XLOPER** args) {
    if (count < 1 || !args[0] || !result) return xlretFailed;
    DWORD sheet;
    XLREF area;
    if (!(args[0]->xltype & (xltypeRef | xltypeSRef))) {
        result->xltype = xltypeBool;
        result->val.xbool = (args[0]->xltype & ~xlbitDLLFree) == xltypeStr;
        return xlretSuccess;
    }
    if (!ReferenceArea(*args[0], &sheet, &area)) {
        result->xltype = xltypeErr;
        result->val.err = xlerrRef;
        return xlretSuccess;
    }
    size_t rows = size_t(area.rwLast - area.rwFirst + 1), columns = size_t(area.colLast - area.colFirst + 1);
    if (rows * columns == 1) {
        result->xltype = xltypeBool;
        result->val.xbool = GetCell(sheet, area.rwFirst, area.colFirst).type == xltypeStr;
        return xlretSuccess;
    }
    if (rows * columns > 65535) return xlretFailed;
    XLOPER* elements = AllocateArray(rows * columns);
    for (size_t r = 0; r < rows; ++r)
        for (size_t c = 0; c < columns; ++c) {
            XLOPER& element = elements[r * columns + c];
            element.xltype = xltypeBool;
            element.val.xbool = GetCell(sheet, int(area.rwFirst + r), int(area.colFirst + c)).type == xltypeStr;
        }
    result->xltype = xltypeMulti;
    result->val.array.lparray = elements;
    result->val.array.rows = WORD(rows);
    result->val.array.columns = WORD(columns);
    return xlretSuccess;
}

int Or(XLOPER* result, int count, XLOPER** args) {
    if (count < 1 || !args[0] || !result) return xlretFailed;
    std::vector<const XLOPER*> values;
    if ((args[0]->xltype & ~xlbitDLLFree) == xltypeMulti) {
        const auto& array = args[0]->val.array;
        for (size_t i = 0; array.lparray && i < size_t(array.rows) * array.columns; ++i)
            values.push_back(&array.lparray[i]);
    } else {
        values.push_back(args[0]);
    }
    bool any = false, seen = false;
    for (const XLOPER* value : values) {
        CellValue cell;
        if (!RecordToCell(*value, &cell)) continue;
        if (cell.type == xltypeErr) {
            result->xltype = xltypeErr;
            result->val.err = cell.err;
            return xlretSuccess;
        }
        if (cell.type == xltypeBool || cell.type == xltypeNum) {
            seen = true;
            any = any || (cell.type == xltypeBool ? cell.flag : cell.num != 0);
        }
    }
    if (!seen) {
        result->xltype = xltypeErr;
        result->val.err = xlerrValue;
        return xlretSuccess;
    }
    result->xltype = xltypeBool;
    result->val.xbool = any;
    return xlretSuccess;
}

int Activate(XLOPER*, int, XLOPER**) { return xlretFailed; }

}  // namespace xlhost
