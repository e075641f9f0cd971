// The "Workbook" stream of an Excel 97 file: globals, shared strings and worksheets of values.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One cell: a text (stored in the shared string table) or a number.
struct SheetCell {
    uint16_t row;
    uint16_t column;
    bool isNumber;
    std::string text;  // UTF-8
    double number;
    bool bold;
    std::string format;  // a number's format code ("0.000"); empty for General
};

// Every sheet prints scaled to one page width, as many pages long as it takes.
struct WorkbookSheet {
    std::string name;                    // 1 to 31 characters, none of []:*?/\ .
    std::vector<uint16_t> columnWidths;  // in characters, from column A; 0 keeps the default
    std::vector<SheetCell> cells;        // any order, one per position
};

SheetCell TextCell(uint16_t row, uint16_t column, const std::string& text, bool bold = false);
SheetCell NumberCell(uint16_t row, uint16_t column, double number, const std::string& format = "");

// Builds the BIFF8 stream of the sheets, the first one active; false with `error` set for a
// sheet or cell Excel would not accept.
bool BuildWorkbookStream(const std::vector<WorkbookSheet>& sheets, std::vector<uint8_t>* stream, std::string* error);
