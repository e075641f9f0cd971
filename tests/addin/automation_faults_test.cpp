// The automation path against platform faults: quiet mode, the one message box, reads with no host connected.
#ifdef _WIN32
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "addin/host/automation.h"
#include "addin/host/automation_ole.h"
#include "addin/host/addin_syscalls.h"
#include "addin/host/coerce.h"
#include "xlhost/emulated_excel_fixture.h"
#include "registry.h"
#include "syscall_swap.h"
#include "worksheet_calls.h"

namespace {

const char kAddinPath[] = "C:\\ADDINS\\MEZURA32.XLL";

// What the faked platform calls saw.
struct Seen {
    int oleInitialize = 0, oleUninitialize = 0;
    std::vector<std::string> boxes;  // caption, a bar, the text
    UINT boxType = 0xdeadbeef;
    HWND boxOwner = reinterpret_cast<HWND>(0xdeadbeef);
    std::string debugOutput;
};
Seen g_seen;
HRESULT g_oleInitializeAnswer = S_OK;

HRESULT WINAPI FakeOleInitialize(LPVOID) {
    ++g_seen.oleInitialize;
    return g_oleInitializeAnswer;
}
void WINAPI FakeOleUninitialize() { ++g_seen.oleUninitialize; }
HRESULT WINAPI NoProgId(LPCOLESTR, LPCLSID) { return CO_E_CLASSSTRING; }
HRESULT WINAPI NoActiveObject(REFCLSID, void*, IUnknown**) { return MK_E_UNAVAILABLE; }
BSTR WINAPI NoString(const OLECHAR*) { return nullptr; }
int WINAPI RecordBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    g_seen.boxes.push_back(std::string(caption) + "|" + text);
    g_seen.boxType = type;
    g_seen.boxOwner = owner;
    return IDOK;
}

void WINAPI RecordDebugOutput(LPCSTR text) { g_seen.debugOutput += text; }

class HostConnectionTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        xlhost::SetAddinPath(kAddinPath);
        xlhost::SetHostVersion("8.0");
        xlhost::SetCell(xlhost::CallingSheet(), 0, 0, xlhost::CellValue::Text("feet"));
        xlhost::SetCell(xlhost::CallingSheet(), 1, 0, xlhost::CellValue::Number(3));
        g_seen = Seen();
        g_oleInitializeAnswer = S_OK;
        // OLE itself is faked: no test here may reach a real automation object.
        syscalls_.Use(&AddinSyscalls::OleInitialize, FakeOleInitialize)
            .Use(&AddinSyscalls::OleUninitialize, FakeOleUninitialize)
            .Use(&AddinSyscalls::CLSIDFromProgID, NoProgId)
            .Use(&AddinSyscalls::MessageBoxA, RecordBox)
            .Use(&AddinSyscalls::OutputDebugStringA, RecordDebugOutput);
    }
    void TearDown() override {
        StopAutomation();
        std::strcpy(g_szExcelVersion, "      ");
        g_fInstanceConfirmed = false;
        g_fMessageShown = false;
        HostTest::TearDown();
    }
    SyscallSwap<AddinSyscalls> syscalls_{g_addinSyscalls};
};

TEST_F(HostConnectionTest, AFailedSearchEndsQuietModeAndHoldsNothing) {
    struct Row {
        HRESULT oleInitialize;
        bool noActiveObject;
        HRESULT status;
        int uninitialized;
        const char* debugOutput;
        const char* what;
    };
    const Row rows[] = {
        {S_OK, false, E_FAIL, 1, "", "no class registered for the host"},
        {S_FALSE, false, E_FAIL, 1, "", "OLE already initialised on the thread: still balanced"},
        {S_OK, true, E_FAIL, 1, "", "no active object"},
        {E_OUTOFMEMORY, false, E_OUTOFMEMORY, 0, "OleInitialize Failed\n", "OleInitialize fails"},
    };
    for (const Row& row : rows) {
        xlhost::ResetQuietMode();
        g_seen = Seen();
        g_oleInitializeAnswer = row.oleInitialize;
        syscalls_.Use(&AddinSyscalls::CLSIDFromProgID, row.noActiveObject ? kRealAddinSyscalls.CLSIDFromProgID : NoProgId)
            .Use(&AddinSyscalls::GetActiveObject, NoActiveObject);
        EXPECT_EQ(StartAutomation().code(), int(row.status)) << row.what;
        EXPECT_EQ(g_pdispXL, nullptr) << row.what;
        EXPECT_EQ(g_pdispWorkbooks, nullptr) << row.what;
        EXPECT_EQ(g_fOleInitialized, SUCCEEDED(row.oleInitialize)) << row.what;
        const std::vector<std::string> quiet = {"ECHO(FALSE)", "NEW(6)", "CLOSE(FALSE)", "ECHO(TRUE)"};
        EXPECT_EQ(xlhost::QuietModeCommands(), quiet) << row.what;
        EXPECT_EQ(xlhost::OpenNewWindows(), 0) << row.what << ": the quiet-mode window stayed open";
        StopAutomation();
        EXPECT_FALSE(g_fOleInitialized) << row.what;
        EXPECT_EQ(g_seen.oleInitialize, 1) << row.what;
        EXPECT_EQ(g_seen.oleUninitialize, row.uninitialized) << row.what;
        EXPECT_EQ(g_seen.debugOutput, row.debugOutput) << row.what;
    }
}

TEST_F(HostConnectionTest, ASearchWhileStillConnectedIsRefusedAndEndsQuietMode) {
    // Never dereferenced: the search must stop at the mere presence of an object.
    g_pdispXL = reinterpret_cast<IDispatch*>(uintptr_t(0xdeadbeef));
    EXPECT_EQ(FindHostInstance(), E_FAIL);
    g_pdispXL = nullptr;
    EXPECT_EQ(g_seen.debugOutput, "NULL != g_pdispXL\n");
    EXPECT_EQ(g_seen.oleInitialize, 0);
    EXPECT_EQ(xlhost::OpenNewWindows(), 0);
    EXPECT_EQ(xlhost::QuietModeCommands().back(), "ECHO(TRUE)");
}

TEST_F(HostConnectionTest, OtherVersionsNeverStartOle) {
    xlhost::SetHostVersion("5.0");
    EXPECT_EQ(StartAutomation().code(), 0);
    EXPECT_EQ(g_seen.oleInitialize, 0);
    EXPECT_TRUE(xlhost::QuietModeCommands().empty());
}

TEST_F(HostConnectionTest, AnUnconfirmedHostShowsTheMessageOnceAndThenRefusesTextReferences) {
    StartAutomation();
    ASSERT_FALSE(g_fInstanceConfirmed);
    XLOPER textCell = CellRef(0, 0), numberCell = CellRef(1, 0);
    XLOPER asText = MakeTypeRecord(xltypeStr), asNumber = MakeTypeRecord(xltypeNum);
    XLOPER result;

    EXPECT_EQ(CoerceArgument(&result, 2, &textCell, &asText), xlretFailed);
    EXPECT_EQ(result.xltype, xltypeErr);
    ASSERT_EQ(g_seen.boxes.size(), 1u);
    EXPECT_EQ(g_seen.boxes[0],
              "Error|Unable to complete calculation with other instances of Excel Opened\n"
              "Please close all other instances of Excel, then Click OK");
    EXPECT_EQ(g_seen.boxType, UINT(MB_OK));
    EXPECT_EQ(g_seen.boxOwner, GetActiveWindow());
    EXPECT_EQ(xlhost::CallCount(xlCoerce), 0u) << "the text reference must not reach xlCoerce";
    EXPECT_EQ(xlhost::CallCount(xlfGetWorkspace), 2u) << "the box is followed by a fresh start";
    size_t registrations = 0;
    for (const auto& registration : xlhost::LiveRegistrations())
        registrations += registration.procedure == "CheckInstance";
    EXPECT_EQ(registrations, 1u);

    // Never again while loaded, even after a close and a new opening.
    StopAutomation();
    StartAutomation();
    EXPECT_EQ(CoerceArgument(&result, 1, &textCell, nullptr), xlretFailed);
    EXPECT_EQ(g_seen.boxes.size(), 1u);
    // Numbers still take the plain path.
    EXPECT_EQ(CoerceArgument(&result, 2, &numberCell, &asNumber), xlretSuccess);
    EXPECT_EQ(result.xltype, xltypeNum);
}

TEST_F(HostConnectionTest, AConfirmedButUnconnectedAddinAnswersNotConnectedAndGivesTheReferenceBack) {
    g_fInstanceConfirmed = true;
    std::strcpy(g_szExcelVersion, "8.0");
    XLOPER textCell = CellRef(0, 0);
    XLOPER asText = MakeTypeRecord(xltypeStr);
    XLOPER result;
    EXPECT_EQ(CoerceArgument(&result, 2, &textCell, &asText), int(kNotConnected));
    EXPECT_EQ(result.xltype, xltypeErr);
    EXPECT_EQ(xlhost::CallCount(xlCoerce), 1u) << "only the coercion to a reference";
    EXPECT_EQ(xlhost::CallCount(xlSheetNm), 1u);
    EXPECT_TRUE(g_seen.boxes.empty());
}

// An external reference to one area of the calling sheet (or of sheet `sheet`).
struct ExternalRef {
    XLMREF areas[2];
    XLOPER record{};
    ExternalRef(WORD count, XLREF area, DWORD sheet) {
        areas[0].count = count;
        areas[0].reftbl[0] = area;
        areas[1].count = 0;
        areas[1].reftbl[0] = area;  // room for the second area of a two-area list
        record.xltype = xltypeRef;
        record.val.mref.lpmref = areas;
        record.val.mref.idSheet = sheet;
    }
};

std::string TextOfVariant(const VARIANT& v) {
    if (v.vt != VT_BSTR) return "<not a text>";
    char text[64] = {};
    WideCharToMultiByte(CP_ACP, 0, v.bstrVal, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

TEST_F(HostConnectionTest, TheRangeIsNamedByBookSheetAndAddress) {
    ExternalRef area(1, XLREF{1, 2, 1, 2}, xlhost::CallingSheet());
    VARIANT book, sheet, address;
    ASSERT_EQ(BuildRangeAddress(&area.record, &book, &sheet, &address).code(), 0);
    EXPECT_EQ(TextOfVariant(book), "Book1");
    EXPECT_EQ(TextOfVariant(sheet), "Sheet1");
    EXPECT_EQ(TextOfVariant(address), "b2:c3");
    for (VARIANT* v : {&book, &sheet, &address}) VariantClear(v);

    XLOPER result;
    XLOPER asText = MakeTypeRecord(xltypeStr);
    ExternalRef twoAreas(2, XLREF{0, 0, 0, 0}, xlhost::CallingSheet());
    EXPECT_EQ(ReadThroughAutomation(&result, &asText, &twoAreas.record).code(), xlretFailed);
    ExternalRef noSheet(1, XLREF{0, 0, 0, 0}, 999);
    EXPECT_EQ(ReadThroughAutomation(&result, &asText, &noSheet.record).code(), xlretFailed) << "the host's own code";
    {
        SyscallSwap<AddinSyscalls> noStrings(g_addinSyscalls);
        noStrings.Use(&AddinSyscalls::SysAllocString, NoString);
        EXPECT_EQ(BuildRangeAddress(&area.record, &book, &sheet, &address).code(), xlretFailed);
    }
    EXPECT_EQ(ReadRangeValue(&book, &sheet, &address, &book), kNotConnected);
}

}  // namespace
#endif
