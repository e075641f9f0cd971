// The runner's sheet files: reading them, and evaluating formulas through the loaded add-in.
#include "addin_calls.h"
#include "addin_loader.h"
#include "emulated_excel_fixture.h"
#include "registry.h"
#include "sheet_eval.h"
#include "sheet_file.h"

namespace {

TEST(SheetFileTest, ReadsValuesFormulasAndAreas) {
    std::vector<xlhost::SheetEntry> entries;
    std::string error;
    ASSERT_TRUE(xlhost::ParseSheet("# comment\n\nA1 = 12\r\nB1 = \"say \"\"hi\"\"\"\nIV65536 = -1.5e-3\nC2 = true\n"
                                   "C1:D1 = CvtLength(A1, B1:B3, \"feet\", 2, FALSE)\nE5 = F()\n",
                                   &entries, &error))
        << error;
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(entries[0].line, 3);
    EXPECT_EQ(entries[0].value.num, 12);
    EXPECT_EQ(entries[1].value.text, "say \"hi\"");
    EXPECT_EQ(entries[2].target.rowFirst, 65535);
    EXPECT_EQ(entries[2].target.columnFirst, 255);
    EXPECT_EQ(entries[2].value.num, -1.5e-3);
    EXPECT_EQ(entries[3].value.type, xltypeBool);
    EXPECT_TRUE(entries[3].value.flag);

    const xlhost::SheetEntry& formula = entries[4];
    EXPECT_TRUE(formula.isFormula);
    EXPECT_EQ(formula.function, "CvtLength");
    EXPECT_EQ(formula.target.columnLast, 3);
    ASSERT_EQ(formula.arguments.size(), 5u);
    EXPECT_EQ(formula.arguments[0].kind, xlhost::FormulaArgument::Reference);
    EXPECT_EQ(formula.arguments[1].area.rowLast, 2);
    EXPECT_EQ(formula.arguments[2].value.text, "feet");
    EXPECT_EQ(formula.arguments[3].value.num, 2);
    EXPECT_EQ(formula.arguments[4].value.type, xltypeBool);
    EXPECT_TRUE(entries[5].arguments.empty());
}

TEST(SheetFileTest, RefusesLinesItCannotReadAndSaysWhatAndWhere) {
    struct Row { const char* line; const char* says; };
    const Row rows[] = {
        {"A1 12", "column 4: \"=\" expected after A1"},
        {"A0 = 1", "column 1: row 0 does not exist"},
        {"IW1 = 1", "column 1: column IW is past IV, the last column"},
        {"C1 = F(IW1)", "column 8: column IW is past IV"},
        {"A65537 = 1", "column 1: row 65537 is past 65536, the last row"},
        {"A1 = \"open", "column 6: the text that starts here has no closing quote"},
        {"A1 = F(1", "column 7: the \"(\" of F is never closed: \")\" is missing"},
        {"A1 = F(1,)", "column 10: an argument is missing"},
        {"A1 = inches", "column 6: \"inches\" is not a number, TRUE, FALSE or a cell: a text goes in quotes"},
        {"A1 = CvtLength(1, feet, \"in\")", "column 19: \"feet\" is not a number"},
        {"A1:B1 = 3", "column 9: a value fills one cell: A1:B1 needs a formula"},
        {"B2:A1 = F()", "column 1: the range B2:A1 runs backwards"},
        {"A1 = F(1) extra", "column 11: \"extra\" after the formula is not understood"},
        {"A1 = 12  # twelve", "column 10: a comment needs a line of its own"},
        {"A1 = F(1) # why", "column 11: a comment needs a line of its own"},
        {"= 5", "column 1: no cell before \"=\""},
        {"A1 = =F(1)", "column 6: a second \"=\""},
        {"A1 =", "column 5: the value after \"=\" is missing"},
        {"A1 = B1", "column 6: a cell's value cannot be another cell"},
        {"A1 = F(\"x\" 2)", "column 12: \",\" or \")\" expected between the arguments of F"},
    };
    for (const Row& row : rows) {
        std::vector<xlhost::SheetEntry> entries;
        std::string error;
        EXPECT_FALSE(xlhost::ParseSheet(std::string("A5 = 1\n") + row.line + "\n", &entries, &error)) << row.line;
        EXPECT_NE(error.find(std::string("line 2, ") + row.says), std::string::npos) << row.line << ": " << error;
        EXPECT_NE(error.find(std::string("\n  ") + row.line + "\n"), std::string::npos) << "quotes the line: " << error;
    }
}

TEST(SheetFileTest, SkipsAByteOrderMarkAndRefusesAGridTooLargeToShow) {
    std::vector<xlhost::SheetEntry> entries;
    std::string error;
    ASSERT_TRUE(xlhost::ParseSheet("\xEF\xBB\xBF" "A1 = 1\nA1:A65536 = F()\n", &entries, &error)) << error;
    EXPECT_EQ(entries.size(), 2u);
    EXPECT_TRUE(xlhost::CheckGridSize(entries, &error)) << "a whole column is shown: " << error;
    ASSERT_TRUE(xlhost::ParseSheet("B1 = 2\n", &entries, &error));
    EXPECT_FALSE(xlhost::CheckGridSize(entries, &error));
    EXPECT_NE(error.find("line 1: the grid would reach from A1 to B65536, 131072 cells"), std::string::npos) << error;
}

TEST(SheetFileTest, ColumnLettersRunFromAToIV) {
    const std::pair<int, const char*> rows[] = {{0, "A"}, {25, "Z"}, {26, "AA"}, {51, "AZ"}, {52, "BA"}, {255, "IV"}};
    for (const auto& row : rows) {
        EXPECT_EQ(xlhost::ColumnLetters(row.first), row.second) << row.first;
        xlhost::CellArea area;
        ASSERT_TRUE(xlhost::ParseArea(std::string(row.second) + "1", &area)) << row.second;
        EXPECT_EQ(area.columnFirst, row.first) << row.second;
    }
}

class SheetEvaluationTest : public OpenedAddinTest {
protected:

    std::string Cell(const char* address) {
        xlhost::CellArea area;
        EXPECT_TRUE(xlhost::ParseArea(address, &area));
        return xlhost::FormatCell(xlhost::GetCell(xlhost::CallingSheet(), area.rowFirst, area.columnFirst));
    }

};

TEST_F(SheetEvaluationTest, ArrayResultsSpillAndUnknownNamesGiveNameErrors) {
    std::vector<xlhost::SheetEntry> entries;
    std::string error;
    ASSERT_TRUE(xlhost::ParseSheet("A1 = 12\nB1 = \"inches\"\n"
                                   "C1:D1 = CvtLength(A1, B1, \"feet\")\n"
                                   "C2 = cvtlength(A1, 10, 8)\n"
                                   "C3:E3 = CvtLength(24, \"INCHES\", \"feet\")\n"
                                   "C4:D5 = CvtLength(36, B1, \"feet\")\n"
                                   "C6 = NoSuchFunction(1)\n"
                                   "C7 = CheckInstanceX()\n",
                                   &entries, &error))
        << error;
    xlhost::EvaluateSheet(addin_, entries);
    struct Row { const char* cell; const char* shows; };
    const Row rows[] = {
        {"C1", "1"},      {"D1", "feet"}, {"C2", "1"},      {"C3", "2"},      {"D3", "feet"},
        {"E3", "#N/A"},   {"C4", "3"},    {"D4", "feet"},   {"C5", "3"},      {"D5", "feet"},
        {"C6", "#NAME?"}, {"C7", "#NAME?"},
    };
    for (const Row& row : rows) EXPECT_EQ(Cell(row.cell), row.shows) << row.cell;
    xlhost::LedgerSummary ledger = xlhost::ReadLedger();
    EXPECT_EQ(ledger.addinBlocks, 4u) << "one owned result block per conversion";
    EXPECT_EQ(ledger.addinFreed, 4u);
}

TEST_F(SheetEvaluationTest, TheGridShowsTheUsedRangeWithColumnLetters) {
    std::vector<xlhost::SheetEntry> entries;
    std::string error;
    ASSERT_TRUE(xlhost::ParseSheet("A1 = 12\nB2:C2 = CvtLength(A1, \"inches\", \"feet\")\n", &entries, &error));
    xlhost::EvaluateSheet(addin_, entries);
    EXPECT_EQ(xlhost::FormatGrid(xlhost::CallingSheet()),
              "  | A  | B | C\n"
              "1 | 12 |   |\n"
              "2 |    | 1 | feet\n");
}

}  // namespace
