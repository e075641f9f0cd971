// Workbook stream: the globals Excel requires, one substream per sheet, offsets patched in.
#include "workbook_stream.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "biff_records.h"
#include "../little_endian.h"

namespace {

constexpr uint16_t kBiff8 = 0x0600;
constexpr uint16_t kGlobalsSubstream = 0x0005;
constexpr uint16_t kWorksheetSubstream = 0x0010;
constexpr uint16_t kUnicodeCodepage = 1200;
constexpr uint16_t kStyleXfCount = 15;
constexpr uint16_t kNormalCellXf = 15;
constexpr uint16_t kBoldCellXf = 16;
constexpr uint16_t kFirstFormatXf = 17;       // then one cell XF per number format
constexpr uint16_t kFirstCustomFormat = 164;  // below are the built-in formats
// Font index 4 does not exist: the fifth FONT record is font 5.
constexpr uint16_t kBoldFont = 5;
// Rows run to 65535, as far as a cell's row field reaches; columns to 255 (IV).
constexpr uint16_t kMaxColumns = 255;
constexpr size_t kMaxCellText = 32767;

SheetCell MakeCell(uint16_t row, uint16_t column) { return SheetCell{row, column, false, "", 0.0, false, ""}; }

void AppendBof(std::vector<uint8_t>* stream, uint16_t substream) {
    RecordBody body;
    PutWord(body, kBiff8);
    PutWord(body, substream);
    PutWord(body, 0x0DBB);  // build and year of the writing application, as Excel 97 stamps them
    PutWord(body, 0x07CC);
    PutDword(body, 0);       // file history flags
    PutDword(body, kBiff8);  // lowest BIFF version that can read all records
    AppendRecord(stream, BiffRecord::kBof, body);
}

void AppendEof(std::vector<uint8_t>* stream) { AppendRecord(stream, BiffRecord::kEof, RecordBody{}); }

void AppendFont(std::vector<uint8_t>* stream, bool bold) {
    RecordBody body;
    PutWord(body, 200);              // height in twips: 10 points
    PutWord(body, 0);                // not italic, struck out, outlined or shadowed
    PutWord(body, 0x7FFF);           // the window text colour
    PutWord(body, bold ? 700 : 400);
    PutWord(body, 0);                // neither superscript nor subscript
    PutByte(body, 0);                 // not underlined
    PutByte(body, 2);                 // family: swiss
    PutByte(body, 0);                 // character set: ANSI
    PutByte(body, 0);
    BiffText name;
    name.units = u"Arial";
    AddShortText(body, name);
    AppendRecord(stream, BiffRecord::kFont, body);
}

// A style XF (parent 0xFFF) or a cell XF whose parent is the Normal style XF 0.
void AppendXf(std::vector<uint8_t>* stream, uint16_t font, bool isStyle, uint8_t usedAttributes, uint16_t format = 0) {
    RecordBody body;
    PutWord(body, font);
    PutWord(body, format);                            // 0: General
    PutWord(body, isStyle ? 0xFFF5 : 0x0001);         // locked; style flag and parent
    PutByte(body, 0x20);                               // aligned to the bottom, horizontally general
    PutByte(body, 0);                                  // no rotation
    PutByte(body, 0);                                  // no indent
    PutByte(body, static_cast<uint8_t>(usedAttributes << 2));
    PutDword(body, 0);                                 // no borders
    PutDword(body, 0);                                 // no pattern
    PutWord(body, 0x20C0);                            // pattern colours: system foreground, background
    AppendRecord(stream, BiffRecord::kXf, body);
}

// The number formats of the cells in order of first use, each with a format index and a cell XF
// of its own.
using NumberFormats = std::vector<std::string>;

uint16_t FormatPlace(const NumberFormats& formats, const std::string& code) {
    return static_cast<uint16_t>(std::find(formats.begin(), formats.end(), code) - formats.begin());
}

void AppendGlobals(std::vector<uint8_t>* stream, const NumberFormats& formats) {
    AppendBof(stream, kGlobalsSubstream);
    RecordBody codepage;
    PutWord(codepage, kUnicodeCodepage);
    AppendRecord(stream, BiffRecord::kCodepage, codepage);

    RecordBody window;
    PutWord(window, 0x0168);  // position and size in twips
    PutWord(window, 0x001E);
    PutWord(window, 0x3A5C);
    PutWord(window, 0x2328);
    PutWord(window, 0x0038);  // horizontal and vertical scroll bars, sheet tabs
    PutWord(window, 0);       // the first sheet is active
    PutWord(window, 0);       // and its tab shown first
    PutWord(window, 1);       // one sheet selected
    PutWord(window, 600);     // tab bar width, in thousandths of the window
    AppendRecord(stream, BiffRecord::kWindow1, window);

    for (int font = 0; font < 4; ++font) AppendFont(stream, false);
    AppendFont(stream, true);
    for (uint16_t place = 0; place < formats.size(); ++place) {
        const std::string& code = formats[place];
        RecordBody format;
        PutWord(format, kFirstCustomFormat + place);
        BiffText text;
        text.units.assign(code.begin(), code.end());  // format codes are ASCII
        AddText(format, text);
        AppendRecord(stream, BiffRecord::kFormat, format);
    }

    // Style XFs 0 to 14 (Normal first), then the cell XFs 15 (plain) and 16 (bold).
    AppendXf(stream, 0, true, 0);
    for (uint16_t xf = 1; xf < kStyleXfCount; ++xf) AppendXf(stream, 0, true, 0x3D);
    AppendXf(stream, 0, false, 0);
    AppendXf(stream, kBoldFont, false, 0x02);  // the font differs from the style's
    for (uint16_t place = 0; place < formats.size(); ++place)
        AppendXf(stream, 0, false, 0x01, kFirstCustomFormat + place);  // the number format differs from the style's

    RecordBody normal;
    PutWord(normal, 0x8000);  // built-in style on XF 0
    PutByte(normal, 0);        // Normal
    PutByte(normal, 0xFF);     // not a row or column level style
    AppendRecord(stream, BiffRecord::kStyle, normal);
}

bool CheckSheet(const WorkbookSheet& sheet, std::string* error) {
    const std::string& name = sheet.name;
    if (name.empty() || name.size() > 31 || name.find_first_of("[]:*?/\\") != std::string::npos) {
        *error = "sheet name \"" + name + "\" is empty, longer than 31 characters or holds one of []:*?/\\";
        return false;
    }
    if (sheet.columnWidths.size() > kMaxColumns + 1u) {
        *error = name + ": widths for more columns than a sheet has";
        return false;
    }
    return true;
}

// Excel tells sheet names apart without regard to letter case.
bool SameSheetName(const std::string& a, const std::string& b) {
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return fold(x) == fold(y); });
}

std::string CellPlace(const std::string& sheet, const SheetCell& cell) {
    return sheet + " row " + std::to_string(cell.row) + " column " + std::to_string(cell.column) + ": ";
}

// The cells in row order; false for a cell outside the sheet, two at one position, or a number
// a cell cannot hold.
bool SortCells(const WorkbookSheet& sheet, std::vector<SheetCell>* cells, std::string* error) {
    *cells = sheet.cells;
    std::sort(cells->begin(), cells->end(), [](const SheetCell& a, const SheetCell& b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    });
    for (size_t i = 0; i < cells->size(); ++i) {
        const SheetCell& cell = (*cells)[i];
        if (cell.column > kMaxColumns) {
            *error = CellPlace(sheet.name, cell) + "outside the sheet";
            return false;
        }
        if (i > 0 && cell.row == (*cells)[i - 1].row && cell.column == (*cells)[i - 1].column) {
            *error = CellPlace(sheet.name, cell) + "two cells at one position";
            return false;
        }
        if (cell.isNumber && !std::isfinite(cell.number)) {
            *error = CellPlace(sheet.name, cell) + "a cell holds no infinity or NaN";
            return false;
        }
    }
    return true;
}

// The table of unique texts in order of first use, and each text's index.
struct SharedStrings {
    std::vector<BiffText> texts;
    std::map<std::string, uint32_t> index;
    uint32_t references = 0;
};

bool ShareText(SharedStrings* shared, const std::string& text, uint32_t* index, std::string* error) {
    ++shared->references;
    auto found = shared->index.find(text);
    if (found != shared->index.end()) {
        *index = found->second;
        return true;
    }
    BiffText encoded;
    if (!EncodeBiffText(text, &encoded, error)) return false;
    if (encoded.units.size() > kMaxCellText) {
        *error = "text longer than a cell holds";
        return false;
    }
    *index = static_cast<uint32_t>(shared->texts.size());
    shared->index.emplace(text, *index);
    shared->texts.push_back(std::move(encoded));
    return true;
}

void AppendSheet(std::vector<uint8_t>* stream, const WorkbookSheet& sheet, const std::vector<SheetCell>& cells,
                 const std::vector<uint32_t>& textIndex, const NumberFormats& formats, bool active) {
    AppendBof(stream, kWorksheetSubstream);
    RecordBody options;
    PutWord(options, 0x04C1 | 0x0100);  // automatic page breaks, outline defaults; fit the printout to pages
    AppendRecord(stream, BiffRecord::kWsBool, options);
    RecordBody setup;
    // Every setting given and marked valid: some readers that find the printer's settings "not
    // initialised" drop the fit to the page width with them.
    PutWord(setup, 1);       // paper size: US Letter
    PutWord(setup, 100);     // scale, which the fit below overrides
    PutWord(setup, 1);       // first page number
    PutWord(setup, 1);       // fit to one page wide...
    PutWord(setup, 0);       // ...and as many pages long as it takes
    PutWord(setup, 0x0002);  // portrait
    PutWord(setup, 300);     // print resolution, dots per inch, across...
    PutWord(setup, 300);     // ...and down
    PutDouble(setup, 0.5);  // header and footer margins, inches
    PutDouble(setup, 0.5);
    PutWord(setup, 1);  // copies
    AppendRecord(stream, BiffRecord::kSetup, setup);
    for (size_t column = 0; column < sheet.columnWidths.size(); ++column) {
        if (sheet.columnWidths[column] == 0) continue;
        RecordBody info;
        PutWord(info, static_cast<uint16_t>(column));
        PutWord(info, static_cast<uint16_t>(column));
        PutWord(info, static_cast<uint16_t>(std::min(255, int{sheet.columnWidths[column]}) * 256));
        PutWord(info, kNormalCellXf);
        PutWord(info, 0);  // visible, not outlined
        PutWord(info, 0);
        AppendRecord(stream, BiffRecord::kColInfo, info);
    }

    RecordBody dimensions;
    uint16_t lastColumn = 0;
    for (const SheetCell& cell : cells) lastColumn = std::max<uint16_t>(lastColumn, cell.column + 1);
    PutDword(dimensions, 0);
    PutDword(dimensions, cells.empty() ? 0 : cells.back().row + 1u);  // one past the last row
    PutWord(dimensions, 0);
    PutWord(dimensions, lastColumn);                                  // one past the last column
    PutWord(dimensions, 0);
    AppendRecord(stream, BiffRecord::kDimensions, dimensions);

    for (size_t i = 0; i < cells.size(); ++i) {
        const SheetCell& cell = cells[i];
        RecordBody body;
        PutWord(body, cell.row);
        PutWord(body, cell.column);
        uint16_t xf = cell.bold ? kBoldCellXf : kNormalCellXf;
        if (cell.isNumber && !cell.format.empty()) xf = static_cast<uint16_t>(kFirstFormatXf + FormatPlace(formats, cell.format));
        PutWord(body, xf);
        if (cell.isNumber) PutDouble(body, cell.number);
        else PutDword(body, textIndex[i]);
        AppendRecord(stream, cell.isNumber ? BiffRecord::kNumber : BiffRecord::kLabelSst, body);
    }

    RecordBody window;
    // Grid, headers, zeros, outline symbols, automatic grid colour; the active sheet is also
    // selected and shown.
    PutWord(window, active ? 0x06B6 : 0x00B6);
    PutWord(window, 0);   // top row
    PutWord(window, 0);   // left column
    PutDword(window, 64);  // grid colour index: automatic
    PutWord(window, 0);   // page break preview zoom: default
    PutWord(window, 0);   // normal zoom: default
    PutDword(window, 0);
    AppendRecord(stream, BiffRecord::kWindow2, window);
    AppendEof(stream);
}

}  // namespace

SheetCell TextCell(uint16_t row, uint16_t column, const std::string& text, bool bold) {
    SheetCell cell = MakeCell(row, column);
    cell.text = text;
    cell.bold = bold;
    return cell;
}

SheetCell NumberCell(uint16_t row, uint16_t column, double number, const std::string& format) {
    SheetCell cell = MakeCell(row, column);
    cell.isNumber = true;
    cell.number = number;
    cell.format = format;
    return cell;
}

bool BuildWorkbookStream(const std::vector<WorkbookSheet>& sheets, std::vector<uint8_t>* stream, std::string* error) {
    if (sheets.empty()) {
        *error = "a workbook needs a sheet";
        return false;
    }
    SharedStrings shared;
    NumberFormats formats;
    std::vector<std::vector<SheetCell>> sorted(sheets.size());
    std::vector<std::vector<uint32_t>> textIndex(sheets.size());
    for (size_t s = 0; s < sheets.size(); ++s) {
        if (!CheckSheet(sheets[s], error) || !SortCells(sheets[s], &sorted[s], error)) return false;
        for (size_t other = 0; other < s; ++other) {
            if (SameSheetName(sheets[other].name, sheets[s].name)) {
                *error = "two sheets named \"" + sheets[s].name + "\"";
                return false;
            }
        }
        for (const SheetCell& cell : sorted[s]) {
            if (cell.isNumber && !cell.format.empty() && FormatPlace(formats, cell.format) == formats.size())
                formats.push_back(cell.format);
            uint32_t index = 0;
            if (!cell.isNumber && !ShareText(&shared, cell.text, &index, error)) {
                *error = CellPlace(sheets[s].name, cell) + *error;
                return false;
            }
            textIndex[s].push_back(index);
        }
    }

    stream->clear();
    AppendGlobals(stream, formats);
    // Each BOUNDSHEET holds its sheet's stream offset, known once the globals are written.
    std::vector<size_t> offsetFields;
    for (const WorkbookSheet& sheet : sheets) {
        BiffText name;
        if (!EncodeBiffText(sheet.name, &name, error)) return false;
        RecordBody body;
        PutDword(body, 0);
        PutByte(body, 0);  // visible
        PutByte(body, 0);  // worksheet
        AddShortText(body, name);
        offsetFields.push_back(stream->size() + 4);
        AppendRecord(stream, BiffRecord::kBoundSheet, body);
    }
    AppendSharedStrings(stream, shared.texts, shared.references);
    AppendEof(stream);

    for (size_t s = 0; s < sheets.size(); ++s) {
        PutDwordAt(stream->data() + offsetFields[s], static_cast<uint32_t>(stream->size()));
        AppendSheet(stream, sheets[s], sorted[s], textIndex[s], formats, s == 0);
    }
    return true;
}
