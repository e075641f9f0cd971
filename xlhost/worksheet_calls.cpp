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

namespace {

struct QuietMode {
    std::vector<std::string> commands;
    int newWindows = 0;
};

QuietMode& TheQuietMode() {
    static QuietMode* state = new QuietMode;
    return *state;
}

// The one argument as a cell value; false when there is none or it is not a plain value.
bool OneArgument(int count, XLOPER** args, CellValue* value) {
    return count == 1 && args[0] && RecordToCell(*args[0], value);
}

}  // namespace

int Echo(XLOPER* result, int count, XLOPER** args) {
    CellValue flag;
    if (!OneArgument(count, args, &flag) || flag.type != xltypeBool) return AnswerError(result);
    TheQuietMode().commands.push_back(flag.flag ? "ECHO(TRUE)" : "ECHO(FALSE)");
    return AnswerBool(result, true);
}

int New(XLOPER* result, int count, XLOPER** args) {
    CellValue kind;
    if (!OneArgument(count, args, &kind) || kind.type != xltypeNum || kind.num != 6) return AnswerError(result);
    TheQuietMode().commands.push_back("NEW(6)");
    ++TheQuietMode().newWindows;
    return AnswerBool(result, true);
}

int Close(XLOPER* result, int count, XLOPER** args) {
    CellValue save;
    if (count > 1 || (count == 1 && (!OneArgument(count, args, &save) || save.type != xltypeBool)))
        return AnswerError(result);
    QuietMode& quiet = TheQuietMode();
    quiet.commands.push_back(count == 0 ? "CLOSE()" : save.flag ? "CLOSE(TRUE)" : "CLOSE(FALSE)");
    if (quiet.newWindows == 0) return AnswerBool(result, false);
    --quiet.newWindows;
    return AnswerBool(result, true);
}

const std::vector<std::string>& QuietModeCommands() { return TheQuietMode().commands; }
int OpenNewWindows() { return TheQuietMode().newWindows; }

void ResetQuietMode() {
    TheQuietMode().commands.clear();
    TheQuietMode().newWindows = 0;
}

}  // namespace xlhost
