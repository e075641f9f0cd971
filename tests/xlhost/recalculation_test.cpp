// Multi-threaded recalculation: one sheet, the same grid on one thread and on many, the ledger balanced on each.
#include <string>

#include "addin_calls.h"
#include "emulated_excel_fixture.h"
#include "registry.h"
#include "sheet_eval.h"

namespace {

// Conversions by label from cells and by index, tank volumes, errors, and a second block of
// formulas that reads the first block's results, so that some cells must wait for others.
std::string ManyFormulas() {
    const char* labels[] = {"\"inches\"", "\"FEET\"", "\"meters\"", "\"cubits\""};
    std::string sheet;
    for (int row = 1; row <= 120; ++row) {
        std::string r = std::to_string(row);
        sheet += "A" + r + " = " + std::to_string(row * 0.37) + "\nB" + r + " = " + labels[row % 4] + "\n";
        sheet += "C" + r + ":D" + r + " = CvtLength(A" + r + ", B" + r + ", \"feet\")\n";
        sheet += "E" + r + " = VolHorzCylCap(A" + r + ", 2, 10, 12)\n";
        sheet += "F" + r + ":G" + r + " = CvtTemperature(A" + r + ", 1, " + std::to_string(row % 4 + 1) + ")\n";
    }
    for (int row = 1; row <= 120; ++row) {
        std::string r = std::to_string(row);
        sheet += "H" + r + ":I" + r + " = CvtLength(C" + r + ", \"feet\", \"inches\")\n";
    }
    return sheet;
}

class RecalculationTest : public LoadedAddinTest {
protected:
    std::string Grid(const char* version, unsigned threads) {
        xlhost::StartEmulatedExcel();
        xlhost::SetHostVersion(version);
        EXPECT_EQ(xlhost::OpenAddin(addin_), 1);
        std::vector<xlhost::SheetEntry> entries;
        std::string error;
        EXPECT_TRUE(xlhost::ParseSheet(ManyFormulas(), &entries, &error)) << error;
        xlhost::Recalculation done = xlhost::EvaluateSheet(addin_, entries, threads);
        EXPECT_EQ(done.threadSafe, threads > 1 && std::string(version) != "5.0" ? 480u : 0u) << version;
        xlhost::CloseAddin(addin_);
        std::string problems;
        for (const auto& problem : xlhost::LedgerProblems()) problems += "\n  " + problem;
        EXPECT_EQ(problems, "") << version << " on " << threads << " threads";
        return xlhost::FormatGrid(xlhost::CallingSheet());
    }
};

TEST_F(RecalculationTest, OneSheetGivesOneGridOnEveryPathAndThreadCount) {
    std::string today = Grid("5.0", 8);
    EXPECT_NE(today.find("#NAME?"), std::string::npos);
    EXPECT_EQ(Grid("16.0", 1), today);
    EXPECT_EQ(Grid("16.0", 8), today);
}

}  // namespace
