// Reads a sheet file: the cells the runner puts on Sheet1 and the formulas it evaluates.
//
// One cell (or one range, for a formula whose array result spills) per line:
//
//     # a comment; blank lines are skipped
//     A1 = 12                              a number
//     B1 = "inches"                        a text ("" inside stands for one ")
//     B2 = TRUE                            a boolean (TRUE or FALSE, any case)
//     C1:D1 = CvtLength(A1, B1, "feet")    a formula: a registered function and its arguments
//     E1 = VolSphere(2, A1)
//
// Cells are written with column letters A to IV and row numbers 1 to 65536. An argument is
// a number, a text, a boolean, a cell (A1) or a range (A1:B2). Formulas are evaluated in
// file order, so a formula sees the cells written on the lines above it. A comment takes a
// line of its own; a UTF-8 byte order mark at the start of the file is skipped.
#pragma once

#include <string>
#include <vector>

#include "workbook.h"

namespace xlhost {

struct CellArea {
    int rowFirst = 0, rowLast = 0;        // counted from 0
    int columnFirst = 0, columnLast = 0;  // counted from 0
};

struct FormulaArgument {
    enum Kind { Value, Reference } kind = Value;
    CellValue value;  // a number, text or boolean
    CellArea area;
};

struct SheetEntry {
    int line = 0;
    CellArea target;
    bool isFormula = false;
    CellValue value;       // when not a formula
    std::string function;  // when a formula
    std::vector<FormulaArgument> arguments;
};

// Parses a whole sheet file; false when it cannot, with `error` saying what is wrong, on which
// line and column, followed by that line and a mark under the place.
bool ParseSheet(const std::string& text, std::vector<SheetEntry>* entries, std::string* error);

// The most cells the runner's grid shows: from A1 to the last row and column the sheet uses.
constexpr long long kMaxGridCells = 65536;

// False, with `error` naming the line that takes the grid past kMaxGridCells, when the
// sheet's cells reach too far to be shown (or kept: the host holds every cell it fills).
bool CheckGridSize(const std::vector<SheetEntry>& entries, std::string* error);

// "A1" or "A1:B2" into an area; false when it is neither, with `why` saying what is wrong.
bool ParseArea(const std::string& text, CellArea* area, std::string* why = nullptr);

// Column letters of a column counted from 0: 0 is A, 26 is AA, 255 is IV.
std::string ColumnLetters(int column);

}  // namespace xlhost
