// The installer's host integration through the platform seam and against Wine's own registry
// and profiles: Excel's lookup and quotes, the INI data, the macros, the Program Manager
// conversation and the start of Excel.
#ifdef _WIN32
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "setup/program/dialogs.h"
#include "setup/program/host_integration.h"
#include "setup/program/setup_state.h"
#include "setup/program/setup_syscalls.h"
#include "setup/script/setup_script.h"
#include "setup_fixture.h"
#include "setup_install_fixture.h"

namespace {

class HostIntegrationTest : public InstallerTest {};

TEST_F(HostIntegrationTest, ExpandItemMacrosReplacesFromTheLastMacroAndRefusesTheRest) {
    struct Row {
        std::string dest;
        std::string excel;
        std::string text;
        int expected;
        std::string expanded;  // when expected is 0
    };
    const std::string fill(60, 'x');
    const Row rows[] = {
        {"C:\\MEZ", "C:\\XL\\EXCEL.EXE", "%E", 0, "C:\\XL\\EXCEL.EXE"},
        {"C:\\MEZ", "", "%AMEZURA32.XLL", 0, "C:\\MEZ\\MEZURA32.XLL"},
        {"C:\\", "", "%AMEZURA32.XLL", 0, "C:\\MEZURA32.XLL"},  // exactly one backslash
        {"C:\\MEZ", "C:\\XL\\EXCEL.EXE", "%E %AMEZURA32.XLL", 0, "C:\\XL\\EXCEL.EXE C:\\MEZ\\MEZURA32.XLL"},
        {"C:\\MEZ", "X", "no macro", 0, "no macro"},
        {"C:\\MEZ", "X", "%e", -1, ""},
        {"C:\\MEZ", "X", "%a", -1, ""},
        {"C:\\MEZ", "X", "%X", -1, ""},
        {"C:\\MEZ", "X", "%AHELP%", -1, ""},  // a percent sign at the end
        {"C:\\MEZ", "X", "50%", -1, ""},
        // A percent sign inside the destination is read by the next pass.
        {"C:\\100%E", "EXCEL", "%AFILE", 0, "C:\\100EXCEL\\FILE"},
        {"C:\\100%", "EXCEL", "%AFILE", -1, ""},
        // 79 characters fit the 80-byte buffer, 80 do not.
        {"C:\\MEZ", std::string(79 - 8, 'e'), "%E 1234567", 0, std::string(71, 'e') + " 1234567"},
        {"C:\\MEZ", std::string(80 - 8, 'e'), "%E 1234567", -1, ""},
        {"C:\\MEZ", "EXCEL", fill + "%E" + std::string(79 - 60 - 5, 'y'), 0, fill + "EXCEL" + std::string(14, 'y')},
        {"C:\\MEZ", "EXCEL", fill + "%E" + std::string(79 - 60 - 4, 'y'), -1, ""},
        // Excel's command naming itself would be replaced forever.
        {"C:\\MEZ", "%E", "%E", -1, ""},
        {"%A", "X", "%A", -1, ""},
    };
    for (const Row& row : rows) {
        lstrcpyA(destDir, row.dest.c_str());
        lstrcpyA(excelCommand, row.excel.c_str());
        char text[80];
        lstrcpyA(text, row.text.c_str());
        EXPECT_EQ(ExpandItemMacros(text, sizeof text), row.expected) << row.text << " with " << row.dest;
        if (row.expected == 0) { EXPECT_EQ(std::string(text), row.expanded) << row.text; }
    }
}

TEST_F(HostIntegrationTest, StripExcelQuotesKeepsTheProgramPathAndOnlyUnquotedArguments) {
    struct Row {
        const char* command;
        const char* expected;
    };
    const Row rows[] = {
        {"\"C:\\Office\\EXCEL.EXE\" \"%1\"", "C:\\Office\\EXCEL.EXE"},  // a quoted argument
        {"\"C:\\Program Files\\Office\\EXCEL.EXE\" /e", "C:\\Program Files\\Office\\EXCEL.EXE"},
        {"\"C:\\Office\\EXCEL.EXE\"", "C:\\Office\\EXCEL.EXE"},
        {"\"C:\\Office\\EXCEL.EXE", "C:\\Office\\EXCEL.EXE"},  // never closed
        {"C:\\Office\\EXCEL.EXE /e", "C:\\Office\\EXCEL.EXE /e"},
        {"C:\\Office\\EXCEL.EXE \"%1\"", "C:\\Office\\EXCEL.EXE \"%1\""},
        {"\"\"", ""},
        {"", ""},
    };
    for (const Row& row : rows) {
        char command[kExcelCommandChars + 1];
        lstrcpyA(command, row.command);
        StripExcelQuotes(command);
        EXPECT_STREQ(command, row.expected) << row.command;
    }
}

TEST_F(HostIntegrationTest, FindExcelFollowsTheXlsClassToItsOpenCommand) {
    syscalls_.Use(&SetupSyscalls::RegQueryValueA, FakeRegQueryValue);
    const std::string longest(179, 'C'), tooLong(180, 'C'), command = "\"C:\\XL\\EXCEL.EXE\" \"%1\"";
    struct Row {
        const char* what;
        std::map<std::string, std::string> registry;
        int expected;
    };
    const Row rows[] = {
        {"registered", {{".xls", "Sheet"}, {"Sheet", ""}, {"Sheet\\shell\\open\\command", command}}, 0},
        {"no .xls", {{"Sheet", ""}, {"Sheet\\shell\\open\\command", command}}, -1},
        {"class without its key", {{".xls", "Sheet"}, {"Sheet\\shell\\open\\command", command}}, -1},
        {"no open command", {{".xls", "Sheet"}, {"Sheet", ""}}, -1},
        {"179-character class", {{".xls", longest}, {longest, ""}, {longest + "\\shell\\open\\command", command}}, 0},
        {"180-character class", {{".xls", tooLong}, {tooLong, ""}, {tooLong + "\\shell\\open\\command", command}}, -1},
        {"command of 254 characters",
         {{".xls", "Sheet"}, {"Sheet", ""}, {"Sheet\\shell\\open\\command", std::string(254, 'x')}}, 0},
        {"command of 255 characters",
         {{".xls", "Sheet"}, {"Sheet", ""}, {"Sheet\\shell\\open\\command", std::string(255, 'x')}}, -1},
    };
    for (const Row& row : rows) {
        g_registry = row.registry;
        lstrcpyA(excelCommand, "untouched");
        EXPECT_EQ(FindExcel(), row.expected) << row.what;
        if (row.expected == 0) { EXPECT_EQ(std::string(excelCommand), g_registry.rbegin()->second) << row.what; }
    }
}

// The same lookup against the prefix's registry, written as an installation of Excel would.
TEST_F(HostIntegrationTest, FindExcelReadsWinesRegistry) {
    {
        XlsRegistration xls("Mezura.TestSheet", "\"C:\\Test Office\\EXCEL.EXE\" \"%1\"");
        ASSERT_EQ(FindExcel(), 0);
        EXPECT_STREQ(excelCommand, "\"C:\\Test Office\\EXCEL.EXE\" \"%1\"");
    }
    {
        XlsRegistration xls("Mezura.TestSheet", "");
        EXPECT_EQ(FindExcel(), -1) << "a class without an open command";
    }
    XlsRegistration none("", "");
    EXPECT_EQ(FindExcel(), -1) << "no .xls class";
}

TEST_F(HostIntegrationTest, WriteIniDataWritesEveryEntryThenTheNameAndRemembersTheDestination) {
    ScratchDir dir("mezura_ini");
    lstrcpyA(destDir, dir.path().c_str());
    ApplicationSettings& settings = g_setupScript.settings;
    lstrcpyA(settings.AppCode, "MEZ");
    lstrcpyA(settings.AppName, "Mezura");
    const IniEntry entries[] = {{"AddIn", "MEZURA32.XLL"}, {"Formula", "a=b,c"}, {"Version", "1.0"}};
    for (const IniEntry& entry : entries) g_setupScript.iniEntries[g_setupScript.iniEntryCount++] = entry;
    HWND status = g_statusWindow = CreateStatusWindow();
    SetDlgItemTextA(status, 104, "left over");
    const std::string before = RememberedDestination();

    WriteIniData(status);
    EXPECT_EQ(ItemText(status, 103), "Writing initialization data...");
    EXPECT_EQ(ItemText(status, 104), "");
    const std::vector<std::string> expected = {"[MEZ]", "AddIn=MEZURA32.XLL", "Formula=a=b,c", "Version=1.0",
                                               "Name=Mezura"};
    EXPECT_EQ(ReadLines(dir / "CORVANE.INI"), expected);
    EXPECT_EQ(RememberedDestination(), dir.path());
    if (before.empty()) ForgetDestination();
    else WriteProfileStringA("CORVANE", "Install", before.c_str());
}

class ProgramManagerTest : public HostIntegrationTest {
protected:
    ProgramManagerTest() {
        UseFakeProgramManager(syscalls_);
        // Program Manager's main window, found by its class.
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "PROGMAN";
        RegisterClassA(&windowClass);
        window_ = CreateWindowA("PROGMAN", "Program Manager", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                nullptr);
        lstrcpyA(destDir, "C:\\MEZURA");
        lstrcpyA(excelCommand, "C:\\XL\\EXCEL.EXE");
    }
    ~ProgramManagerTest() override {
        DestroyWindow(window_);
        UnregisterClassA("PROGMAN", nullptr);
    }
    HWND window_ = nullptr;
};

TEST_F(ProgramManagerTest, SendsTheGroupThenEachItemAndReleasesEverythingOnEveryPath) {
    struct Item {
        const char* commandLine;
        const char* name;
    };
    struct Row {
        const char* what;
        const char* groupFile;
        std::vector<Item> items;
        bool connects;
        int refuseCommand;
        int expected;
        std::vector<std::string> commands;
    };
    const std::vector<Item> two = {{"%E %AMEZURA32.XLL", "Mezura in Excel"}, {"NOTEPAD.EXE %AREADME.TXT", "Read me"}};
    const std::vector<std::string> all = {
        "[CreateGroup(Mezura,MEZURA.GRP)]",
        "[ReplaceItem(Mezura in Excel)]",
        "[AddItem(C:\\XL\\EXCEL.EXE C:\\MEZURA\\MEZURA32.XLL,Mezura in Excel)]",
        "[ReplaceItem(Read me)]",
        "[AddItem(NOTEPAD.EXE C:\\MEZURA\\README.TXT,Read me)]",
    };
    const Row rows[] = {
        {"every item added", "MEZURA.GRP", two, true, -1, 0, all},
        {"CreateGroup refused", "MEZURA.GRP", two, true, 0, 0, all},
        {"second ReplaceItem refused", "MEZURA.GRP", two, true, 3, 0, all},
        {"first AddItem refused", "MEZURA.GRP", two, true, 2, -1, {all.begin(), all.begin() + 3}},
        {"last AddItem refused", "MEZURA.GRP", two, true, 4, -1, all},
        {"no Program Manager", "MEZURA.GRP", two, false, -1, -1, {}},
        {"a lower-case macro", "MEZURA.GRP", {two[0], {"%a", "Bad"}}, true, -1, -1, {all.begin(), all.begin() + 3}},
        {"a trailing percent", "MEZURA.GRP", {{"RUN 5%", "Bad"}}, true, -1, -1, {all[0]}},
        {"no items", "MEZURA.GRP", {}, true, -1, 0, {}},
        {"no group", "", two, true, -1, -1, {}},
    };
    for (const Row& row : rows) {
        g_pm = FakeProgramManager{};
        g_pm.connects = row.connects;
        g_pm.refuseCommand = row.refuseCommand;
        g_pm.window = window_;
        lstrcpyA(g_setupScript.settings.groupFile, row.groupFile);
        lstrcpyA(g_setupScript.settings.groupName, "Mezura");
        g_setupScript.programItemCount = 0;
        for (const Item& item : row.items) {
            ProgramItem& entry = g_setupScript.programItems[g_setupScript.programItemCount++];
            lstrcpyA(entry.commandLine, item.commandLine);
            lstrcpyA(entry.itemName, item.name);
        }
        HWND status = g_statusWindow = CreateStatusWindow();
        SetDlgItemTextA(status, 104, "left over");

        EXPECT_EQ(SetupProgramManager(status), row.expected) << row.what;
        EXPECT_EQ(g_pm.commands, row.commands) << row.what;
        EXPECT_EQ(ItemText(status, 103), "Setting up Program Manager...") << row.what;
        EXPECT_EQ(ItemText(status, 104), "") << row.what;
        const bool talks = row.groupFile[0] && !row.items.empty();
        EXPECT_EQ(g_pm.connections, talks ? 1 : 0) << row.what;
        EXPECT_EQ(g_pm.disconnects, talks && row.connects ? 1 : 0) << row.what;
        EXPECT_EQ(g_pm.handlesMade, talks ? 2 : 0) << row.what;
        EXPECT_EQ(g_pm.handlesFreed, g_pm.handlesMade) << row.what;
        EXPECT_TRUE(g_pm.wellFormed) << row.what;
        for (bool enabled : g_pm.windowEnabled) EXPECT_FALSE(enabled) << row.what << ": window enabled during a command";
        EXPECT_TRUE(IsWindowEnabled(window_)) << row.what;
        DestroyWindow(status);
        g_statusWindow = nullptr;
    }
}

// A window that was disabled before the conversation stays disabled after it.
TEST_F(ProgramManagerTest, LeavesADisabledProgramManagerDisabled) {
    g_pm = FakeProgramManager{};
    lstrcpyA(g_setupScript.settings.groupFile, "MEZURA.GRP");
    g_setupScript.programItemCount = 1;
    lstrcpyA(g_setupScript.programItems[0].commandLine, "%E");
    EnableWindow(window_, FALSE);
    EXPECT_EQ(SetupProgramManager(nullptr), 0);
    EXPECT_FALSE(IsWindowEnabled(window_));
}

TEST_F(HostIntegrationTest, UpdateAddInManagerStartsExcelOnTheUnquotedWorkbookPath) {
    syscalls_.Use(&SetupSyscalls::WinExec, FakeWinExec);
    lstrcpyA(excelCommand, "C:\\Program Files\\XL\\EXCEL.EXE /e");
    lstrcpyA(sourceDir, "D:\\MEZURA DISK\\");
    const struct {
        UINT result;
        int expected;
    } rows[] = {{33, 0}, {32, 0}, {31, -1}, {ERROR_FILE_NOT_FOUND, -1}, {0, -1}};
    for (const auto& row : rows) {
        g_execs.clear();
        g_execResult = row.result;
        EXPECT_EQ(UpdateAddInManager(nullptr), row.expected) << row.result;
        ASSERT_EQ(g_execs.size(), 1u);
        EXPECT_EQ(g_execs[0].command, "C:\\Program Files\\XL\\EXCEL.EXE /e D:\\MEZURA DISK\\install.xls");
        EXPECT_EQ(g_execs[0].show, UINT(SW_SHOW));
    }
}

}  // namespace
#endif
