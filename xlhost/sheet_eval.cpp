// Evaluates a parsed sheet on the emulated Excel's calling sheet and prints the computed grid.
#include "sheet_eval.h"

#include <algorithm>
#include <atomic>
#include <deque>
#include <thread>

#include "addin_calls.h"
#include "coercion.h"
#include "emulated_excel.h"
#include "ledger.h"
#include "x87_precision.h"

namespace xlhost {

namespace {

// The records of one formula's arguments; the texts live as long as the call.
struct Arguments {
    std::deque<std::string> texts;
    std::vector<XLOPER> records;
};

XLOPER MakeArgument(const FormulaArgument& argument, Arguments* storage) {
    XLOPER record{};
    if (argument.kind == FormulaArgument::Reference) {
        record.xltype = xltypeSRef;
        record.val.sref.count = 1;
        record.val.sref.ref = XLREF{WORD(argument.area.rowFirst), WORD(argument.area.rowLast),
                                    BYTE(argument.area.columnFirst), BYTE(argument.area.columnLast)};
        return record;
    }
    const CellValue& value = argument.value;
    switch (value.type) {
    case xltypeNum:
        record.xltype = xltypeNum;
        record.val.num = value.num;
        break;
    case xltypeBool:
        record.xltype = xltypeBool;
        record.val.xbool = value.flag;
        break;
    case xltypeStr: {
        std::string counted(1, char(std::min<size_t>(value.text.size(), 255)));
        counted += value.text.substr(0, 255);
        storage->texts.push_back(counted);
        record.xltype = xltypeStr;
        record.val.str = &storage->texts.back()[0];
        break;
    }
    default:
        record.xltype = xltypeMissing;
        break;
    }
    return record;
}

CallResult Evaluate(const LoadedAddin& addin, const SheetEntry& entry) {
    Arguments arguments;
    for (const FormulaArgument& argument : entry.arguments)
        arguments.records.push_back(MakeArgument(argument, &arguments));
    CallResult result;
    if (CallRegistered(addin, entry.function, arguments.records, &result) != CallStatus::Called) {
        result = CallResult{};
        result.cells.push_back(CellValue::Error(xlerrName));
    }
    return result;
}

void Spill(const CallResult& result, const CellArea& target) {
    for (int r = target.rowFirst; r <= target.rowLast; ++r) {
        for (int c = target.columnFirst; c <= target.columnLast; ++c) {
            size_t row = result.rows == 1 ? 0 : size_t(r - target.rowFirst);
            size_t column = result.columns == 1 ? 0 : size_t(c - target.columnFirst);
            CellValue value = CellValue::Error(xlerrNA);
            if (row < result.rows && column < result.columns && row * result.columns + column < result.cells.size())
                value = result.cells[row * result.columns + column];
            SetCell(CallingSheet(), r, c, value);
        }
    }
}

bool Overlaps(const CellArea& a, const CellArea& b) {
    return a.rowFirst <= b.rowLast && b.rowFirst <= a.rowLast && a.columnFirst <= b.columnLast &&
           b.columnFirst <= a.columnLast;
}

bool ReadsFrom(const SheetEntry& formula, const CellArea& area) {
    for (const FormulaArgument& argument : formula.arguments)
        if (argument.kind == FormulaArgument::Reference && Overlaps(argument.area, area)) return true;
    return false;
}

// A formula waiting for its turn on a recalculation thread, and its result once computed.
struct Job {
    const SheetEntry* entry;
    CallResult result;
};

// True when `entry` may not run beside the waiting formulas: it writes a cell one of them
// reads or writes, or reads a cell one of them writes.
bool Conflicts(const SheetEntry& entry, const std::vector<Job>& waiting) {
    for (const Job& job : waiting) {
        if (Overlaps(entry.target, job.entry->target) || ReadsFrom(*job.entry, entry.target)) return true;
        if (entry.isFormula && ReadsFrom(entry, job.entry->target)) return true;
    }
    return false;
}

CallResult EvaluateOnRecalculationThread(const LoadedAddin& addin, const SheetEntry& entry) {
    uint16_t before = ReadPrecisionControl();
    CallResult result = Evaluate(addin, entry);
    if (ReadPrecisionControl() != before) NoteFault(entry.function + " left the thread's x87 precision changed");
    return result;
}

// Computes the waiting formulas on up to `threads` new recalculation threads, then writes
// their results in file order.
void RunWaiting(const LoadedAddin& addin, std::vector<Job>* waiting, unsigned threads) {
    std::atomic<size_t> next{0};
    auto work = [&] {
        MarkRecalculationThread();
        SetPrecisionControl(kPrecision53);
        for (size_t i; (i = next++) < waiting->size();)
            (*waiting)[i].result = EvaluateOnRecalculationThread(addin, *(*waiting)[i].entry);
    };
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads && t < waiting->size(); ++t) workers.emplace_back(work);
    for (std::thread& worker : workers) worker.join();
    for (const Job& job : *waiting) Spill(job.result, job.entry->target);
    waiting->clear();
}

}  // namespace

Recalculation EvaluateSheet(const LoadedAddin& addin, const std::vector<SheetEntry>& entries, unsigned threads) {
    Recalculation done;
    done.threads = threads ? threads : 1;
    std::vector<Job> waiting;
    for (const SheetEntry& entry : entries) {
        if (Conflicts(entry, waiting)) RunWaiting(addin, &waiting, done.threads);
        if (!entry.isFormula) {
            SetCell(CallingSheet(), entry.target.rowFirst, entry.target.columnFirst, entry.value);
        } else if (done.threads > 1 && IsThreadSafe(entry.function)) {
            waiting.push_back(Job{&entry, CallResult{}});
            ++done.threadSafe;
        } else {
            Spill(Evaluate(addin, entry), entry.target);
            ++done.onMainThread;
        }
    }
    RunWaiting(addin, &waiting, done.threads);
    return done;
}

std::string FormatCell(const CellValue& cell) {
    switch (cell.type) {
    case xltypeNum: return FormatGeneral(cell.num);
    case xltypeStr: return cell.text;
    case xltypeBool: return cell.flag ? "TRUE" : "FALSE";
    case xltypeErr:
        switch (cell.err) {
        case xlerrNull: return "#NULL!";
        case xlerrDiv0: return "#DIV/0!";
        case xlerrValue: return "#VALUE!";
        case xlerrRef: return "#REF!";
        case xlerrName: return "#NAME?";
        case xlerrNum: return "#NUM!";
        case xlerrNA: return "#N/A";
        default: return "#ERR" + std::to_string(cell.err);
        }
    default: return "";
    }
}

std::string FormatGrid(DWORD sheet) {
    const Sheet* found = FindSheet(sheet);
    if (!found || found->cells.empty()) return "(empty sheet)\n";
    int rows = 0, columns = 0;
    for (const auto& cell : found->cells) {
        rows = std::max(rows, int(cell.first / kColumns) + 1);
        columns = std::max(columns, int(cell.first % kColumns) + 1);
    }
    std::vector<size_t> widths(size_t(columns), 0);
    for (int c = 0; c < columns; ++c) {
        widths[size_t(c)] = ColumnLetters(c).size();
        for (int r = 0; r < rows; ++r) widths[size_t(c)] = std::max(widths[size_t(c)], FormatCell(GetCell(sheet, r, c)).size());
    }
    size_t labelWidth = std::to_string(rows).size();
    auto line = [&](const std::string& label, auto textOf) {
        std::string out = label + std::string(labelWidth - label.size(), ' ');
        for (int c = 0; c < columns; ++c) {
            std::string text = textOf(c);
            out += " | " + text + std::string(widths[size_t(c)] - text.size(), ' ');
        }
        while (!out.empty() && out.back() == ' ') out.pop_back();
        return out + "\n";
    };
    std::string grid = line("", [](int c) { return ColumnLetters(c); });
    for (int r = 0; r < rows; ++r)
        grid += line(std::to_string(r + 1), [&](int c) { return FormatCell(GetCell(sheet, r, c)); });
    return grid;
}

}  // namespace xlhost
