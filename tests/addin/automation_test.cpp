// The instance check's registration, the version text, the cost of the coercion path tests, the host's quiet mode.
#include <cstring>

#include "addin/host/automation.h"
#include "addin/host/coerce.h"
#include "addin/host/posix_strings.h"
#include "xlhost/emulated_excel_fixture.h"
#include "registry.h"
#include "worksheet_calls.h"

namespace {

const char kAddinPath[] = "C:\\ADDINS\\MEZURA32.XLL";

class AutomationTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        xlhost::SetAddinPath(kAddinPath);
        std::strcpy(g_szExcelVersion, "      ");
    }
    void TearDown() override {
        // Other tests expect the add-in's state as loaded: no version read yet.
        std::strcpy(g_szExcelVersion, "      ");
        g_fMessageShown = false;
        xlhost::RefuseRegistrations(false);
        HostTest::TearDown();
    }

    size_t CheckInstanceRegistrations() {
        size_t count = 0;
        for (const auto& registration : xlhost::LiveRegistrations())
            if (registration.procedure == "CheckInstance" && registration.module == kAddinPath) ++count;
        return count;
    }

    // Every host call the coercion entry can make.
    size_t CoercionCalls() {
        return xlhost::CallCount(xlCoerce) + xlhost::CallCount(xlcActivate) + xlhost::CallCount(xlfIstext) +
               xlhost::CallCount(xlfOr);
    }
};

TEST_F(AutomationTest, StartRegistersCheckInstanceOnceAndStopUnregistersIt) {
    xlhost::SetHostVersion("5.0");
    EXPECT_EQ(StartAutomation().code(), 0);
    EXPECT_STREQ(g_szExcelVersion, "5.0");
    EXPECT_EQ(CheckInstanceRegistrations(), 1u);
    // A second start stops the first: still one registration.
    EXPECT_EQ(StartAutomation().code(), 0);
    EXPECT_EQ(CheckInstanceRegistrations(), 1u);
    StopAutomation();
    EXPECT_EQ(CheckInstanceRegistrations(), 0u);
    StopAutomation();  // nothing left to unregister
    EXPECT_EQ(xlhost::CallCount(xlfUnregister), 2u) << "the two starts and the first stop each unregistered once";
}

TEST_F(AutomationTest, AHostThatRefusesTheRegistrationLeavesTheVersionUnread) {
    xlhost::SetHostVersion("8.0");
    xlhost::RefuseRegistrations(true);
#ifndef _WIN32
    ClearDebugOutputLog();
#endif
    EXPECT_EQ(StartAutomation().code(), kAutomationFailed.code());
    EXPECT_STREQ(g_szExcelVersion, "      ") << "the version is read only after the registration";
    EXPECT_EQ(xlhost::CallCount(xlfGetWorkspace), 0u);
#ifndef _WIN32
    EXPECT_STREQ(DebugOutputLog(), "KeepDLLLoaded Failed\n");
#endif

    xlhost::SetAddinPath("");  // the host cannot name the add-in
    EXPECT_EQ(KeepDLLLoaded().code(), xlretFailed);
    EXPECT_EQ(xlhost::CallCount(xlfRegister), 1u) << "no registration is tried without the path";
}

TEST_F(AutomationTest, ReadHostVersionKeepsAtMostSevenCharacters) {
    struct Row { const char* host; const char* kept; };
    const Row rows[] = {{"8.0", "8.0"}, {"", ""}, {"1234567", "1234567"}, {"12345678901", "1234567"}, {"5.0", "5.0"}};
    for (const Row& row : rows) {
        xlhost::SetHostVersion(row.host);
        EXPECT_EQ(ReadHostVersion().code(), 0) << row.host;
        EXPECT_STREQ(g_szExcelVersion, row.kept) << "host version '" << row.host << "'";
    }
}

TEST_F(AutomationTest, CheckInstanceConfirmsOnlyDuringTheAddinsOwnCheck) {
    g_fInstanceConfirmed = false;
    g_fCheckingInstance = false;
    EXPECT_EQ(CheckInstance(), 1);
    EXPECT_FALSE(g_fInstanceConfirmed) << "another copy's check must change nothing here";
    g_fCheckingInstance = true;
    EXPECT_EQ(CheckInstance(), 1);
    g_fCheckingInstance = false;
    EXPECT_TRUE(g_fInstanceConfirmed);
    g_fInstanceConfirmed = false;
}

TEST_F(AutomationTest, OnlyAnEightHostPaysForThePathTestsAndOnlyForTextReferences) {
    CountedText literal("feet");
    struct Row {
        const char* version;
        XLOPER source;
        int count;
        WORD wanted;
        size_t hostCalls;  // xlCoerce included
        const char* what;
        bool passesTheTests = false;  // every test of the second path passes
    };
    const Row rows[] = {
        {"5.0", CellRef(0, 0), 2, xltypeStr, 1, "5.0: text cell to text"},
        {"5.0", CellRef(0, 0), 1, 0, 1, "5.0: one-argument form"},
        {"8.0 ", CellRef(0, 0), 2, xltypeStr, 1, "trailing blank is another version"},
        {"8.00", CellRef(0, 0), 2, xltypeStr, 1, "longer text is another version"},
        {"8", CellRef(0, 0), 2, xltypeStr, 1, "shorter text is another version"},
        {"8.0", CellRef(1, 0), 2, xltypeNum, 1, "8.0: number wanted"},
        {"8.0", CellRef(1, 0), 2, xltypeInt, 1, "8.0: integer wanted"},
        {"8.0", literal.Record(), 2, xltypeStr, 1, "8.0: a text value, no reference"},
        {"8.0", Num(3), 1, 0, 1, "8.0: a number value, one-argument form"},
        {"8.0", CellRef(0, 0), 2, xltypeStr, 4, "8.0: text cell to text: probe, ISTEXT, OR", true},
        {"8.0", CellRef(0, 0), 1, 0, 4, "8.0: text cell, one-argument form", true},
        {"8.0", AreaRef(0, 1, 0, 1), 2, xltypeMulti, 4, "8.0: range to array", true},
        {"8.0", AreaRef(1, 1, 0, 1), 2, xltypeMulti, 4, "8.0: numbers only: ISTEXT and OR answer no"},
    };
    for (Row row : rows) {
        xlhost::StartEmulatedExcel();
        xlhost::SetAddinPath(kAddinPath);
        xlhost::SetCell(xlhost::CallingSheet(), 0, 0, xlhost::CellValue::Text("feet"));
        xlhost::SetCell(xlhost::CallingSheet(), 1, 0, xlhost::CellValue::Number(3));
        xlhost::SetCell(xlhost::CallingSheet(), 1, 1, xlhost::CellValue::Number(4));
        xlhost::SetHostVersion(row.version);
        ASSERT_EQ(ReadHostVersion().code(), 0);
        // Where the second path is built, an unconfirmed add-in whose message was shown
        // answers 32 at once: the tests' host calls are then the only ones.
        g_fMessageShown = true;
        bool secondPath = kAutomationPathBuilt && row.passesTheTests;
        size_t before = CoercionCalls();
        XLOPER type = MakeTypeRecord(row.wanted);
        XLOPER result;
        int status = CoerceArgument(&result, row.count, &row.source, row.count == 2 ? &type : nullptr);
        EXPECT_EQ(CoercionCalls() - before, row.hostCalls - secondPath) << row.what;
        EXPECT_EQ(xlhost::CallCount(xlCoerce), secondPath ? 0u : 1u) << row.what;
        // Without the second path the value is the plain coercion's.
        EXPECT_EQ(status, secondPath ? xlretFailed : xlretSuccess) << row.what;
        FreeHostRecord(&result);
        EXPECT_TRUE(xlhost::LedgerProblems().empty()) << row.what << ": a host record was not given back";
    }
}

TEST_F(AutomationTest, TheProbeAndTextTestsAreSkippedOnceTheRecordsRuleThePathOut) {
    // A coercion the host refuses still costs no more than its own call.
    xlhost::SetHostVersion("5.0");
    ASSERT_EQ(ReadHostVersion().code(), 0);
    XLOPER twoCells = AreaRef(0, 1, 0, 0);
    XLOPER type = MakeTypeRecord(xltypeStr);
    XLOPER result;
    EXPECT_NE(CoerceArgument(&result, 2, &twoCells, &type), xlretSuccess);
    EXPECT_EQ(result.xltype, xltypeErr);
    EXPECT_EQ(CoercionCalls(), 1u);
}

}  // namespace

namespace {

TEST_F(HostTest, TheHostRecordsQuietModeAndClosesOnlyTheWindowsItOpened) {
    XLOPER off = Bool(false), on = Bool(true), six = Num(6), five = Num(5), text = Nil();
    struct Row { int xlfn; int count; XLOPER* argument; WORD answerType; WORD answer; const char* recorded; };
    const Row rows[] = {
        {xlcEcho, 1, &off, xltypeBool, 1, "ECHO(FALSE)"},
        {xlcNew, 1, &six, xltypeBool, 1, "NEW(6)"},
        {xlcClose, 1, &off, xltypeBool, 1, "CLOSE(FALSE)"},
        {xlcClose, 1, &off, xltypeBool, 0, "CLOSE(FALSE)"},  // nothing of NEW's left to close
        {xlcEcho, 1, &on, xltypeBool, 1, "ECHO(TRUE)"},
        {xlcNew, 1, &five, xltypeErr, xlerrValue, nullptr},  // only the kind the add-in asks for
        {xlcEcho, 1, &text, xltypeErr, xlerrValue, nullptr},
        {xlcEcho, 0, nullptr, xltypeErr, xlerrValue, nullptr},
    };
    std::vector<std::string> expected;
    for (const Row& row : rows) {
        XLOPER answer = Int(0x7ead);
        int status = row.count ? Excel4(row.xlfn, &answer, 1, row.argument) : Excel4(row.xlfn, &answer, 0);
        EXPECT_EQ(status, xlretSuccess) << row.xlfn;
        EXPECT_EQ(answer.xltype, row.answerType) << row.xlfn;
        EXPECT_EQ(row.answerType == xltypeBool ? answer.val.xbool : answer.val.err, row.answer) << row.xlfn;
        if (row.recorded) expected.push_back(row.recorded);
    }
    EXPECT_EQ(xlhost::QuietModeCommands(), expected);
    EXPECT_EQ(xlhost::OpenNewWindows(), 0);
    EXPECT_TRUE(xlhost::UnhandledCalls().empty());
}

}  // namespace
