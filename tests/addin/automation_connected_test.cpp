// The built add-in opened by an "8.0" host with an automation model: confirmed, also past another copy of the host.
#ifdef _WIN32
#include <initializer_list>
#include <string>
#include <vector>

#include "addin_calls.h"
#include "addin_loader.h"
#include "automation_server.h"
#include "xlhost/emulated_excel_fixture.h"
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
        EXPECT_EQ(xlhost::LiveAutomationObjects(), serverObjects_) << "objects kept after closing";
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
        {AreaRef(0, 1, 0, 0), CellRef(0, 1), xltypeErr, xlerrName, nullptr, 1,
         "a range is read as an array, which the host will not make one text: no unit"},
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

// A second copy of the emulated host with the same add-in open, started first so that it
// owns the active object: `xlhost --version 8.0 --serve READY STOP add-in`.
class OtherHostProcess {
public:
    OtherHostProcess() = default;
    OtherHostProcess(const OtherHostProcess&) = delete;
    OtherHostProcess& operator=(const OtherHostProcess&) = delete;
    ~OtherHostProcess() {
        if (stop_) SetEvent(stop_);
        if (process_.hProcess) {
            WaitForSingleObject(process_.hProcess, 30000);
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
        for (HANDLE event : {ready_, stop_})
            if (event) CloseHandle(event);
    }

    bool Start(const std::string& addinPath) {
        std::string suffix = std::to_string(GetCurrentProcessId());
        std::string ready = "xlhost-ready-" + suffix, stop = "xlhost-stop-" + suffix;
        ready_ = CreateEventA(nullptr, TRUE, FALSE, ready.c_str());
        stop_ = CreateEventA(nullptr, TRUE, FALSE, stop.c_str());
        std::string command = "\"" + xlhost::BesideProgram("xlhost.exe") + "\" --version 8.0 --serve " + ready + " " +
                              stop + " \"" + addinPath + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_))
            return false;
        HANDLE both[2] = {ready_, process_.hProcess};
        return WaitForMultipleObjects(2, both, FALSE, 60000) == WAIT_OBJECT_0;
    }

private:
    HANDLE ready_ = nullptr, stop_ = nullptr;
    PROCESS_INFORMATION process_{};
};

TEST_F(HostTest, TheInstanceCheckPassesOverACopyOfTheHostThatDidNotLoadThisAddin) {
    xlhost::LoadedAddin addin;
    std::string error;
    ASSERT_TRUE(xlhost::LoadAddin(AddinModulePath(), &addin, &error)) << error;
    {
        OtherHostProcess other;
        ASSERT_TRUE(other.Start(addin.path)) << "the second host did not start serving";
        // The other copy is registered before this one: it is the add-in's first candidate.
        CLSID hostClass;
        IUnknown* active = nullptr;
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        ASSERT_EQ(CLSIDFromProgID(L"Excel.Application", &hostClass), S_OK);
        ASSERT_EQ(GetActiveObject(hostClass, nullptr, &active), S_OK);
        active->Release();
        CoUninitialize();
        ASSERT_TRUE(xlhost::StartAutomationServer(&error)) << error;
        xlhost::SetHostVersion("8.0");
        xlhost::SetCell(xlhost::CallingSheet(), 0, 0, xlhost::CellValue::Text("inches"));
        ASSERT_EQ(xlhost::OpenAddin(addin), 1);
        EXPECT_EQ(xlhost::MacroRuns(), 1u) << "this host ran the check once, after the other copy's";

        xlhost::CallResult result;
        ASSERT_EQ(xlhost::CallRegistered(addin, "CvtLength", {Num(12), CellRef(0, 0), Num(8)}, &result),
                  xlhost::CallStatus::Called);
        ASSERT_EQ(result.cells.size(), 2u);
        EXPECT_DOUBLE_EQ(result.cells[0].num, 0.9999999999999999);
        EXPECT_EQ(xlhost::ValueReads(), 1u) << "the cell was read from this host, not the other";
        xlhost::CloseAddin(addin);
        xlhost::StopAutomationServer();
    }
    xlhost::UnloadAddin(&addin);
}

}  // namespace
#endif
