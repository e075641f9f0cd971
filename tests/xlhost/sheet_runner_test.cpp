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

TEST(SheetFileTest, RefusesLinesItCannotRead) {
    const char* const lines[] = {
        "A1 12",           "A0 = 1",       "IW1 = 1",          "A65537 = 1",       "A1 = \"open",
        "A1 = F(1",        "A1 = F(1,)",   "A1 = inches",      "A1:B1 = 3",        "B2:A1 = F()",
        "A1 = F(1) extra", "= 5",          "A1 = F(\"x\" 2)",
    };
    for (const char* line : lines) {
        std::vector<xlhost::SheetEntry> entries;
        std::string error;
        EXPECT_FALSE(xlhost::ParseSheet(std::string("A5 = 1\n") + line + "\n", &entries, &error)) << line;
        EXPECT_NE(error.find("line 2"), std::string::npos) << line << ": " << error;
    }
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
