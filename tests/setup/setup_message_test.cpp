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
#include "setup/program/setup_ids.h"
#include "setup/script/setup_script.h"
#include "setup_fixture.h"

namespace {

struct StringRow {
    UINT id;
    const char* text;
};
// The installer's string table as its source lists it.
const StringRow kStrings[] = {
#define SETUP_STRING(id, text) {id, text},
#include "setup/program/setup_strings.inc"
#undef SETUP_STRING
};

std::string ListedText(UINT id) {
    for (const StringRow& row : kStrings)
        if (row.id == id) return row.text;
    ADD_FAILURE() << "no string " << id << " in the list";
    return "";
}

// What the resource compiler made of each listed text, read from the built SETUP.EXE: the
// whole text with its line breaks. ShowMessage loads at most 198 characters and hands the
// text to wvsprintfA with the caller's arguments, so every message must fit and name no
// argument but "%s": one in the specified texts, two in a few of ours.
TEST_F(InstallerTest, StringTableHoldsEveryListedTextWholeAndFormattable) {
    for (const StringRow& row : kStrings) {
        EXPECT_EQ(SetupString(row.id), row.text) << row.id;
        const std::string text = row.text;
        EXPECT_LE(text.size(), 198u) << row.id << ": ShowMessage would cut it";
        const size_t hole = text.find('%');
        if (hole != std::string::npos) {
            EXPECT_EQ(text.compare(hole, 2, "%s"), 0) << row.id << ": " << text;
            const size_t second = text.find('%', hole + 1);
            if (row.id <= IDS_NO_ADDIN_MANAGER || second == std::string::npos) {
                EXPECT_EQ(second, std::string::npos) << row.id << ": more than one argument";
            } else {
                EXPECT_EQ(text.compare(second, 2, "%s"), 0) << row.id << ": " << text;
                EXPECT_EQ(text.find('%', second + 1), std::string::npos) << row.id << ": more than two arguments";
            }
        }
    }
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
        {1006, shortPath, ListedText(1006).size() - 2 + 99},
        {1008, "", ListedText(1008).size()},
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
    syscalls_.Use(&SetupSyscalls::GlobalAlloc, NoMemory);
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
    syscalls_.Use(&SetupSyscalls::GetProfileStringA, FakeGetProfileString);
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
    HWND status = g_statusWindow = CreateStatusWindow();
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
    syscalls_.Use(&SetupSyscalls::GetDiskFreeSpaceA, FakeGetDiskFreeSpace);
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
