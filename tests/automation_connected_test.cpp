// The built add-in opened by an "8.0" host with an automation model: confirmed, and reading text cells through it.
#ifdef _WIN32
#include <string>
#include <vector>

#include "addin_calls.h"
#include "automation_server.h"
#include "host_fixture.h"
#include "registry.h"
#include "worksheet_calls.h"

namespace {

class ConnectedAddinTest : public LoadedAddinTest {
protected:
    void SetUp() override {
        LoadedAddinTest::SetUp();
        std::string error;
        ASSERT_TRUE(xlhost::StartAutomationServer(&error)) << error;
        serverObjects_ = xlhost::LiveAutomationObjects();  // the book the running object table keeps
        xlhost::SetHostVersion("8.0");
        DWORD sheet = xlhost::CallingSheet();
        xlhost::SetCell(sheet, 0, 0, xlhost::CellValue::Text("inches"));
        xlhost::SetCell(sheet, 0, 1, xlhost::CellValue::Text("FEET"));
        xlhost::SetCell(sheet, 1, 0, xlhost::CellValue::Number(10));  // unit index 10: inches
        xlhost::SetCell(sheet, 1, 1, xlhost::CellValue::Text("cubits"));
    }
    void TearDown() override {
        xlhost::CloseAddin(addin_);
        EXPECT_EQ(xlhost::LiveAutomationObjects(), serverObjects_) << "the add-in kept automation objects after closing";
        xlhost::StopAutomationServer();
        LoadedAddinTest::TearDown();
    }
    long serverObjects_ = 0;
};

TEST_F(ConnectedAddinTest, OpeningConfirmsTheHostInQuietMode) {
    ASSERT_EQ(xlhost::OpenAddin(addin_), 1);
    EXPECT_EQ(xlhost::MacroRuns(), 1u) << "the active object is this host: one check confirms it";
    const std::vector<std::string> quiet = {"ECHO(FALSE)", "NEW(6)", "CLOSE(FALSE)", "ECHO(TRUE)"};
    EXPECT_EQ(xlhost::QuietModeCommands(), quiet);
    EXPECT_EQ(xlhost::OpenNewWindows(), 0);
}

TEST_F(ConnectedAddinTest, TextCellsAreReadThroughTheModelAndNumbersThroughTheHost) {
    ASSERT_EQ(xlhost::OpenAddin(addin_), 1);
    struct Row {
        XLOPER from, to;
        WORD type;
        double number;
        const char* label;
        size_t reads;
        const char* what;
    };
    const Row rows[] = {
        {CellRef(0, 0), CellRef(0, 1), xltypeNum, 0.9999999999999999, "feet", 2, "both units from text cells"},
        {CellRef(1, 0), CellRef(0, 1), xltypeNum, 0.9999999999999999, "feet", 1, "an index from a number cell"},
        {CellRef(0, 0), CellRef(1, 1), xltypeErr, xlerrName, nullptr, 2, "a label of no unit"},
    };
    for (const Row& row : rows) {
        size_t before = xlhost::ValueReads();
        xlhost::CallResult result;
        ASSERT_EQ(xlhost::CallRegistered(addin_, "CvtLength", {Num(12), row.from, row.to}, &result),
                  xlhost::CallStatus::Called);
        EXPECT_EQ(xlhost::ValueReads() - before, row.reads) << row.what;
        ASSERT_FALSE(result.cells.empty());
        EXPECT_EQ(result.cells[0].type, row.type) << row.what;
        if (row.type == xltypeNum) {
            EXPECT_DOUBLE_EQ(result.cells[0].num, row.number) << row.what;
            ASSERT_EQ(result.cells.size(), 2u);
            EXPECT_EQ(result.cells[1].text, row.label) << row.what;
        } else {
            EXPECT_EQ(result.cells[0].err, WORD(row.number)) << row.what;
        }
    }
    EXPECT_EQ(xlhost::LiveAutomationObjects(), serverObjects_ + 1) << "between reads the add-in holds only Workbooks";
}

}  // namespace
#endif
