// Test fixture: a fresh emulated Excel for each test, and a balanced ledger required after it.
#include "emulated_excel_fixture.h"

#include "addin_calls.h"

void HostTest::SetUp() {
    // Every test starts as Excel's calculation thread runs, with 53-bit precision: a 32-bit
    // Windows thread starts so, while Linux and Wine's runtimes start with 64-bit mantissas,
    // which would hide a forgotten switch on every target the tests can run on.
    SetPrecisionControl(xlhost::kPrecision53);
    xlhost::StartEmulatedExcel();
}

void HostTest::TearDown() {
    std::string report;
    for (const auto& problem : xlhost::LedgerProblems()) report += "\n  " + problem;
    EXPECT_TRUE(report.empty()) << "ledger not balanced:" << report;
}

void LoadedAddinTest::SetUp() {
    HostTest::SetUp();
    std::string error;
    ASSERT_TRUE(xlhost::LoadAddin(AddinModulePath(), &addin_, &error)) << error;
}

void LoadedAddinTest::TearDown() {
    xlhost::UnloadAddin(&addin_);
    HostTest::TearDown();
}

void OpenedAddinTest::SetUp() {
    LoadedAddinTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_EQ(xlhost::OpenAddin(addin_), 1);
    opened_ = true;
}

void OpenedAddinTest::TearDown() {
    if (opened_) xlhost::CloseAddin(addin_);
    LoadedAddinTest::TearDown();
}

HINSTANCE TestInstance() {
#ifdef _WIN32
    return GetModuleHandleA(nullptr);
#else
    return nullptr;
#endif
}

std::string AddinModulePath() { return xlhost::BesideProgram(MEZURA_ADDIN_FILE); }

static XLOPER Typed(WORD type) {
    XLOPER record{};
    record.xltype = type;
    return record;
}

XLOPER Num(double value) { XLOPER r = Typed(xltypeNum); r.val.num = value; return r; }
XLOPER Int(short value) { XLOPER r = Typed(xltypeInt); r.val.w = value; return r; }
XLOPER Bool(bool value) { XLOPER r = Typed(xltypeBool); r.val.xbool = value; return r; }
XLOPER Err(WORD code) { XLOPER r = Typed(xltypeErr); r.val.err = code; return r; }
XLOPER Missing() { return Typed(xltypeMissing); }
XLOPER Nil() { return Typed(xltypeNil); }

XLOPER CellRef(int row, int column) { return AreaRef(row, row, column, column); }

XLOPER AreaRef(int rowFirst, int rowLast, int columnFirst, int columnLast) {
    XLOPER r = Typed(xltypeSRef);
    r.val.sref.count = 1;
    r.val.sref.ref = XLREF{WORD(rowFirst), WORD(rowLast), BYTE(columnFirst), BYTE(columnLast)};
    return r;
}

CountedText::CountedText(const std::string& text) : bytes_(1, char(text.size())) { bytes_ += text; }

XLOPER CountedText::Record() {
    XLOPER r = Typed(xltypeStr);
    r.val.str = get();
    return r;
}

std::string TextOf(const char* counted) {
    return std::string(counted + 1, static_cast<unsigned char>(counted[0]));
}
