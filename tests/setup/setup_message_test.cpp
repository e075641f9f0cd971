// The installer's texts and the functions around them: ShowMessage, the default and the
// creation of the destination, the destination checks, the loader's allocation failure.
#ifdef _WIN32
#include <windows.h>

#include <cstdint>
#include <string>

#include "setup/program/dest_checks.h"
#include "setup/program/dialogs.h"
#include "setup/program/directories.h"
#include "setup/program/setup_state.h"
#include "setup/program/show_message.h"
#include "setup/program/load_setup_script.h"
#include "setup/script/setup_script.h"
#include "setup_fixture.h"

namespace {

struct StringRow {
    UINT id;
    const char* text;
};
const StringRow kStrings[] = {
    {1001, "Setup recommends installing %s in the directory shown."},
    {1002, "If you prefer a different location, type the full path name (including both drive and directory) below:"},
    {1003, "Insufficient memory to run Setup.\nClose some applications and try again."},
    {1004, "The %s file cannot be found.\nPlease verify the distribution diskette."},
    {1005, "The selected drive does not have enough space. \nPlease select another drive."},
    {1006, "The %s directory cannot be created.\nEnter another directory or try another drive."},
    {1007, "Setup has not completed installing the software.\nAre you sure you want to cancel?"},
    {1008, "The software has not been successfully installed.\nYou must run Setup again before using the software."},
    {1010, "There is an error in the setup.inf file.\nThe Program cannot be installed properly."},
    {1011, "Setup has installed the software successfully\nand added the application(s) to the Program Manager."},
    {1012, "Setup has installed the software successfully\nbut could not add the application(s) to the Program Manager."},
    {1014, "The file %s is in use by Windows.\n Please shut down the application and run Setup again."},
    {1015, "The full path of the installation directory is too long.\nSetup is terminating."},
    {1016, "Unable to create a required temporary file.\nSetup is terminating."},
    {1017, "Unable to delete the existing version of a file.\nSetup is terminating."},
    {1018, "Unable to rename a temporary file.\nSetup is terminating."},
    {1019, "You have run out of space on the destination drive.\nSetup is terminating."},
    {1020, "Setup encountered an unusual access violation.\nSetup is terminating."},
    {1021, "Setup encountered a sharing violation.\nSetup is terminating."},
    {1022, "Insufficient memory to continue.\nSetup is terminating."},
    {1023, "Unable to read the source file.\nSetup is terminating."},
    {1024, "Unable to read an existing file.\nSetup is terminating."},
    {1025, "This program requires a code page that cannot be displayed by the currently running version of windows.\nSetup is terminating."},
    {1026, "A required file is in use by windows.\nSetup is terminating."},
    {1027, "An older version of a file is write protected.\nSetup is terminating."},
    {1028, "Source and Destination conflict.  Select another directory."},
    {1029, "This program requires Microsoft Excel, but it does not appear to be in your registration database.  Please install Excel before installing this program."},
    {1030, "Module: %s"},
    {1031, "Setup was unable to update the Excel Add-In manager.  You must follow the instructions in the help file to add the Module to Excel."},
};

TEST_F(InstallerTest, StringTableHoldsEveryMessageAsWritten) {
    for (const StringRow& row : kStrings) EXPECT_EQ(SetupString(row.id), row.text) << row.id;
}

// The formatted message holds at most 199 characters: a long argument is cut, never written
// past the buffer; shorter ones arrive whole.
TEST_F(InstallerTest, ShowMessageCutsLongTextsAt199Characters) {
    const std::string longPath = "C:\\" + std::string(124, 'D') + "\\SETUP.INF";  // 127 + 9 characters
    const std::string shortPath(99, 'P');
    struct Row {
        UINT id;
        std::string argument;
        size_t expectedLength;
    };
    const Row rows[] = {
        {1004, longPath, 199},
        {1006, shortPath, std::string(kStrings[5].text).size() - 2 + 99},
        {1008, "", std::string(kStrings[7].text).size()},
    };
    for (const Row& row : rows) {
        shown_.clear();
        answers_ = {IDYES};
        EXPECT_EQ(ShowMessage(g_instance, nullptr, row.id, "Corvane", MB_ICONINFORMATION | MB_TASKMODAL,
                              row.argument.c_str()),
                  IDYES);
        ASSERT_EQ(shown_.size(), 1u);
        char full[600];
        wsprintfA(full, SetupString(row.id).c_str(), row.argument.c_str());
        EXPECT_EQ(shown_[0].text, std::string(full).substr(0, 199)) << row.id;
        EXPECT_EQ(shown_[0].text.size(), row.expectedLength) << row.id;
        EXPECT_EQ(shown_[0].caption, "Corvane");
        EXPECT_EQ(shown_[0].style, UINT(MB_ICONINFORMATION | MB_TASKMODAL));
    }
}

HGLOBAL WINAPI NoMemory(UINT, SIZE_T) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
}

TEST_F(InstallerTest, LoadSetupScriptAnswers1003WhenItsBufferCannotBeHad) {
    g_setupSyscalls.GlobalAlloc = NoMemory;
    const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    SetCursor(arrow);
    const std::string sample = std::string(MEZURA_SETUP_INF);
    EXPECT_EQ(LoadSetupScript(sample.c_str()), 1003);
    EXPECT_EQ(GetCursor(), arrow);
    EXPECT_EQ(g_setupScript.settings.AppName[0], '\0') << "nothing parsed";
}

std::string g_profileInstall;
DWORD WINAPI FakeGetProfileString(LPCSTR section, LPCSTR key, LPCSTR fallback, LPSTR out, DWORD size) {
    std::string value = std::string(section) == "CORVANE" && std::string(key) == "Install" ? g_profileInstall : fallback;
    lstrcpynA(out, value.c_str(), int(size));
    return DWORD(lstrlenA(out));
}

TEST_F(InstallerTest, ReadDefaultDirPrefersTheRememberedDestination) {
    g_setupSyscalls.GetProfileStringA = FakeGetProfileString;
    const std::string longDefDir(99, 'L');
    struct Row {
        std::string remembered, excel, defDir, expected;
    };
    const Row rows[] = {
        {"D:\\TOOLS\\MEZURA", "C:\\OFFICE\\EXCEL.EXE", "MEZURA", "D:\\TOOLS\\MEZURA"},
        {"", "C:\\OFFICE\\EXCEL.EXE /e", "MEZURA", "C:\\OFFICE\\MEZURA"},
        {"", "EXCEL.EXE", "MEZURA", "C:\\MEZURA"},
        {"", "C:\\OFFICE\\EXCEL.EXE", "", "C:\\OFFICE\\"},
        // Excel's directory and DefDir do not fit: "C:\\" rather than a path cut in the middle
        {"", "C:\\OFFICE\\EXCEL.EXE", longDefDir, ("C:\\" + longDefDir).substr(0, 99)},
        {"", "C:\\OFFICE\\EXCEL.EXE", std::string(89, 'F'), "C:\\OFFICE\\" + std::string(89, 'F')},
        {"", "C:\\OFFICE\\EXCEL.EXE", std::string(90, 'F'), "C:\\" + std::string(90, 'F')},
        {"", "", longDefDir, ("C:\\" + longDefDir).substr(0, 99)},
        {std::string(120, 'R'), "", "X", std::string(99, 'R')},
    };
    for (const Row& row : rows) {
        g_profileInstall = row.remembered;
        lstrcpyA(excelCommand, row.excel.c_str());
        lstrcpyA(g_setupScript.settings.DefDir, row.defDir.c_str());
        lstrcpyA(destDir, "untouched");
        ReadDefaultDir();
        EXPECT_EQ(std::string(destDir), row.expected) << row.excel << " / " << row.defDir;
    }
}

TEST_F(InstallerTest, CreateDestDirMakesOneLevelOrSays1006) {
    ScratchDir root("mezura_dest");
    HWND status = g_statusWindow = CreateDialogParamA(g_instance, "STATUS", nullptr, StatusDlgProc, 0);
    ASSERT_NE(status, nullptr);
    struct Row {
        std::string dir;
        int expected;
        bool becomesCurrent;
    };
    const Row rows[] = {
        {root.path(), 0, true},
        {root / "NEW", 0, false},
        {root / "NEW", 0, true},  // now it exists
        {root / "NO\\PARENT", -1, false},
    };
    for (const Row& row : rows) {
        shown_.clear();
        SetCurrentDirectoryA("C:\\");
        lstrcpyA(destDir, row.dir.c_str());
        EXPECT_EQ(CreateDestDir(status), row.expected) << row.dir;
        EXPECT_EQ(ItemText(status, 103), "Creating destination directory...");
        EXPECT_EQ(ItemText(status, 104), row.dir);
        char current[MAX_PATH] = "";
        GetCurrentDirectoryA(MAX_PATH, current);
        EXPECT_EQ(lstrcmpiA(current, row.dir.c_str()) == 0, row.becomesCurrent) << row.dir << " current " << current;
        EXPECT_EQ(FileExists(row.dir), row.expected == 0) << row.dir;
        if (row.expected == 0) {
            EXPECT_TRUE(shown_.empty()) << row.dir;
        } else {
            ASSERT_EQ(shown_.size(), 1u);
            EXPECT_EQ(shown_[0].text, "The " + row.dir +
                                          " directory cannot be created.\nEnter another directory or try another drive.");
            EXPECT_EQ(shown_[0].owner, status);
            EXPECT_EQ(shown_[0].style, UINT(MB_ICONINFORMATION));
        }
    }
}

// The free space of the destination's drive, in kilobytes of a 64-bit product.
struct DiskAnswer {
    BOOL ok;
    DWORD sectorsPerCluster, bytesPerSector, freeClusters;
    std::string root;
};
DiskAnswer g_disk;
BOOL WINAPI FakeGetDiskFreeSpace(LPCSTR root, LPDWORD sectors, LPDWORD bytes, LPDWORD freeClusters, LPDWORD clusters) {
    g_disk.root = root ? root : "";
    *sectors = g_disk.sectorsPerCluster;
    *bytes = g_disk.bytesPerSector;
    *freeClusters = g_disk.freeClusters;
    *clusters = g_disk.freeClusters;
    return g_disk.ok;
}

TEST_F(InstallerTest, HasFreeSpaceComparesKilobytesWithoutOverflow) {
    g_setupSyscalls.GetDiskFreeSpaceA = FakeGetDiskFreeSpace;
    struct Row {
        BOOL ok;
        DWORD sectors, bytes, clusters;
        uint32_t needed;
        bool expected;
    };
    const Row rows[] = {
        {TRUE, 8, 512, 1, 0, true},           // 4 KB free, nothing needed
        {TRUE, 8, 512, 1, 4, true},           // exactly enough
        {TRUE, 8, 512, 1, 5, false},
        {TRUE, 64, 4096, 0x40000000, 0xFFFFFFFFu, true},  // 256 TB: past 32 bits
        {TRUE, 8, 512, 0, 0, true},
        {TRUE, 8, 512, 1000, 0xFFFFFFFFu, false},         // a negative SpaceNeeded
        {FALSE, 8, 512, 1000, 0, true},       // a drive that cannot be read is not known to be too small
        {FALSE, 8, 512, 1000, 0xFFFFFFFFu, true},
        {TRUE, 8, 512, 0x100000, 4u << 20, true},          // 4 GiB free (2^32 bytes), exactly needed
        {TRUE, 8, 512, 0x100000, (4u << 20) + 1, false},
    };
    lstrcpyA(destDir, "E:\\MEZURA");
    for (const Row& row : rows) {
        g_disk = {row.ok, row.sectors, row.bytes, row.clusters, ""};
        g_setupScript.settings.SpaceNeeded = row.needed;
        EXPECT_EQ(HasFreeSpace(), row.expected) << row.clusters << " clusters, " << row.needed << " KB needed";
        EXPECT_EQ(g_disk.root, "E:\\");
    }
}

TEST_F(InstallerTest, SourceDestConflictComparesTheSourceWithoutItsBackslash) {
    struct Row {
        const char* source;
        const char* dest;
        bool conflict;
    };
    const Row rows[] = {
        {"A:\\", "A:\\MEZURA", true},      {"A:\\", "a:", true},           {"A:\\", "C:\\MEZURA", false},
        {"C:\\SETUP\\", "C:\\SETUP", true}, {"C:\\SETUP\\", "c:\\setup\\sub", true},
        {"C:\\SETUP\\", "C:\\SETUPX", true}, {"C:\\SETUP\\", "C:\\SET", false},
    };
    for (const Row& row : rows) {
        lstrcpyA(sourceDir, row.source);
        lstrcpyA(destDir, row.dest);
        EXPECT_EQ(SourceDestConflict(), row.conflict) << row.source << " / " << row.dest;
    }
}

}  // namespace
#endif
