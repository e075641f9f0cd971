// Writes workbooks and compound files at the writer's edges for check_workbook_samples.py, which
// reads them with other programs, and lists what the writer must refuse.
//
//     workbook_samples OUTDIR
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "workbook/compound_file.h"
#include "workbook/workbook_stream.h"

namespace {

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written;
}

std::string Repeat(const std::string& piece, size_t times) {
    std::string text;
    for (size_t i = 0; i < times; ++i) text += piece;
    return text;
}

// Texts of every length from 0 to 36 pieces, so that record ends fall inside texts, between
// them and inside their headers; plus texts longer than a record, 8-bit and 16-bit.
// check_workbook_samples.py builds the same rows.
WorkbookSheet TextsSheet() {
    WorkbookSheet sheet{"Texts", {30, 12}, {}};
    uint16_t row = 0;
    for (; row < 3000; ++row) {
        sheet.cells.push_back(TextCell(row, 0, Repeat("t" + std::to_string(row) + " ", row % 37)));
        sheet.cells.push_back(NumberCell(row, 1, row / 7.0));
    }
    sheet.cells.push_back(TextCell(row++, 0, Repeat("0123456789", 2000)));
    sheet.cells.push_back(TextCell(row++, 0, Repeat("\xD0\x96", 9001)));            // U+0416, 16-bit
    sheet.cells.push_back(TextCell(row++, 0, Repeat("caf\xC3\xA9 ", 3000)));        // U+00E9 fits 8 bits
    sheet.cells.push_back(TextCell(row++, 0, "t1 "));  // a repeated text shares its entry
    return sheet;
}

// Numbers a text form would round: the cells must keep their exact bits.
WorkbookSheet NumbersSheet() {
    WorkbookSheet sheet{"Numbers", {}, {}};
    const double numbers[] = {-0.0, 5e-324, 2.2250738585072014e-308, 1.7976931348623157e308, 0.1, -1.0 / 3.0,
                              0.9999999999999999};
    uint16_t row = 0;
    for (double number : numbers) sheet.cells.push_back(NumberCell(row++, 3, number));
    return sheet;
}

// Streams around the sizes where the FAT needs another sector: 126 stream sectors fill one FAT
// with the directory and the FAT itself, 127 need a second.
const size_t kStreamSizes[] = {4096, 4097, 126 * 512, 126 * 512 + 1, 127 * 512, 300000};

struct Refusal {
    const char* name;
    std::vector<WorkbookSheet> sheets;
};

std::vector<Refusal> Refusals() {
    WorkbookSheet twice{"Twice", {}, {TextCell(1, 1, "a"), NumberCell(1, 1, 2.0)}};
    WorkbookSheet wide{"Wide", {}, {TextCell(0, 256, "beyond IV")}};
    WorkbookSheet longText{"Long", {}, {TextCell(0, 0, std::string(32768, 'x'))}};
    WorkbookSheet badText{"Bad", {}, {TextCell(0, 0, "caf\xE9")}};
    return {
        {"no-sheets", {}},
        {"long-sheet-name", {WorkbookSheet{std::string(32, 'S'), {}, {}}}},
        {"sheet-name-colon", {WorkbookSheet{"A:B", {}, {}}}},
        {"same-sheet-names", {WorkbookSheet{"Same", {}, {}}, WorkbookSheet{"sAME", {}, {}}}},
        {"widths-257-columns", {WorkbookSheet{"Widths", std::vector<uint16_t>(257, 10), {}}}},
        {"number-infinite", {WorkbookSheet{"Inf", {}, {NumberCell(0, 0, HUGE_VAL)}}}},
        {"number-nan", {WorkbookSheet{"NaN", {}, {NumberCell(0, 0, std::nan(""))}}}},
        {"two-cells-one-place", {twice}},
        {"column-256", {wide}},
        {"text-32768", {longText}},
        {"text-not-utf8", {badText}},
    };
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: workbook_samples OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    std::string error;
    std::vector<uint8_t> stream;
    std::vector<uint8_t> file;
    if (!BuildWorkbookStream({TextsSheet(), NumbersSheet()}, &stream, &error) ||
        !BuildCompoundFile("Workbook", stream, &file, &error) || !WriteBytes(dir + "/samples.xls", file)) {
        std::fprintf(stderr, "samples.xls: %s\n", error.c_str());
        return 1;
    }
    for (size_t size : kStreamSizes) {
        std::vector<uint8_t> pattern(size);
        for (size_t i = 0; i < size; ++i) pattern[i] = static_cast<uint8_t>(i * 7 + 3);
        const std::string path = dir + "/stream-" + std::to_string(size) + ".cfb";
        if (!BuildCompoundFile("Data", pattern, &file, &error) || !WriteBytes(path, file)) {
            std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
            return 1;
        }
    }

    // One line per case: its name and the writer's error, or "accepted".
    std::printf("stream-4095\t%s\n", BuildCompoundFile("Data", std::vector<uint8_t>(4095), &file, &error) ? "accepted" : error.c_str());
    std::printf("stream-name-32\t%s\n", BuildCompoundFile(std::string(32, 'N'), stream, &file, &error) ? "accepted" : error.c_str());
    for (const Refusal& refusal : Refusals())
        std::printf("%s\t%s\n", refusal.name, BuildWorkbookStream(refusal.sheets, &stream, &error) ? "accepted" : error.c_str());
    return 0;
}
