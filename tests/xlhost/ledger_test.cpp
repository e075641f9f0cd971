// The host's ledger: leaks, double frees and unknown pointers are found and reported.
#include "addin/host/coerce.h"
#include "emulated_excel_fixture.h"

namespace {

using LedgerTest = HostTest;

XLOPER CoercedText(const char* text) {
    CountedText source(text);
    XLOPER record = source.Record();
    XLOPER type = MakeTypeRecord(xltypeStr);
    XLOPER result{};
    EXPECT_EQ(Excel4(xlCoerce, &result, 2, &record, &type), xlretSuccess);
    return result;
}

bool Mentions(const std::vector<std::string>& problems, const std::string& words) {
    for (const auto& problem : problems)
        if (problem.find(words) != std::string::npos) return true;
    return false;
}

TEST_F(LedgerTest, TextsHandedOutAreCountedStringsWithoutTerminator) {
    XLOPER text = CoercedText("feet");
    ASSERT_EQ(text.xltype, xltypeStr);
    EXPECT_EQ(TextOf(text.val.str), "feet");
    EXPECT_EQ(xlhost::ReadLedger().outstanding, 1u);
    FreeHostRecord(&text);
    EXPECT_EQ(xlhost::ReadLedger().outstanding, 0u);
    EXPECT_EQ(xlhost::ReadLedger().released, 1u);
}

TEST_F(LedgerTest, ReportsALeakUntilTheTextIsGivenBack) {
    XLOPER text = CoercedText("inches");
    EXPECT_TRUE(Mentions(xlhost::LedgerProblems(), "never given back"));
    FreeHostRecord(&text);
    EXPECT_TRUE(xlhost::LedgerProblems().empty());
}

TEST_F(LedgerTest, ReportsDoubleFreesAndPointersNeverHandedOut) {
    XLOPER text = CoercedText("feet");
    XLOPER copy = text;
    FreeHostRecord(&text);
    FreeHostRecord(&copy);
    CountedText own("mine");
    XLOPER foreign = own.Record();
    Excel4(xlFree, nullptr, 1, &foreign);
    auto problems = xlhost::LedgerProblems();
    EXPECT_TRUE(Mentions(problems, "released twice")) << "double free not reported";
    EXPECT_TRUE(Mentions(problems, "never handed out")) << "foreign pointer not reported";
    EXPECT_EQ(problems.size(), 2u);
    xlhost::StartEmulatedExcel();  // this test's faults were expected; start the books again
}

TEST_F(LedgerTest, AddinBlocksMustComeBackThroughAutoFreeExactlyOnce) {
    XLOPER block{};
    block.xltype = xltypeStr | xlbitDLLFree;
    xlhost::NoteAddinBlock(&block);
    EXPECT_TRUE(Mentions(xlhost::LedgerProblems(), "never passed to xlAutoFree"));
    xlhost::NoteAddinBlockFreed(&block);
    EXPECT_TRUE(xlhost::LedgerProblems().empty());
    xlhost::NoteAddinBlockFreed(&block);
    EXPECT_TRUE(Mentions(xlhost::LedgerProblems(), "handed back twice"));
    xlhost::StartEmulatedExcel();
}

}  // namespace
