// The copy phase against Wine's real version library: older files, protected, held-open and
// missing files, a missing destination, and COMPARE answered by a robot.
#ifdef _WIN32
#include <windows.h>

#include <string>
#include <vector>

#include "setup/program/copy_files.h"
#include "setup/program/dialogs.h"
#include "setup/program/setup_state.h"
#include "setup/script/setup_script.h"
#include "setup_fixture.h"

namespace {

class VersionCopyTest : public InstallerTest {
protected:
    VersionCopyTest() : InstallerTest(Status::kOpen) {
        CreateDirectoryA(Source().c_str(), nullptr);
        CreateDirectoryA(Dest().c_str(), nullptr);
        lstrcpyA(sourceDir, (Source() + "\\").c_str());
        lstrcpyA(destDir, Dest().c_str());
    }

    std::string Source() const { return root_ / "src"; }
    std::string Dest() const { return root_ / "dest"; }

    // Adds an entry SOURCE -> DEST to the files to copy.
    void Entry(const char* source, const char* dest) {
        FileEntry entry{};
        lstrcpyA(entry.description, dest);
        lstrcpyA(entry.sourceName, source);
        lstrcpyA(entry.destName, dest);
        files_.push_back(entry);
    }
    int Copy() { return CopyFiles(g_statusWindow, files_.data(), int(files_.size())); }

    // Temporary files the service left in the destination.
    int TempFilesLeft() const {
        int count = 0;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((Dest() + "\\*.tmp").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return 0;
        do ++count; while (FindNextFileA(search, &found));
        FindClose(search);
        return count;
    }

    ScratchDir root_{"mezura_copy_real"};
    std::vector<FileEntry> files_;
};

// An older source over a newer file: COMPARE with both files' values; Skip keeps the newer
// file and removes the temporary copy, Install replaces it.
TEST_F(VersionCopyTest, AnOlderSourceAsksAndTheAnswerDecides) {
    struct Row {
        int button;
        const char* versionAfter;
    };
    for (const Row& row : {Row{IDCANCEL, "2.0"}, Row{IDOK, "1.0"}}) {
        ASSERT_TRUE(CopySample("sample_old.dll", Source() + "\\SAMPLE.DLL"));
        ASSERT_TRUE(CopySample("sample_new.dll", Dest() + "\\SAMPLE.DLL"));
        files_.clear();
        Entry("SAMPLE.DLL", "SAMPLE.DLL");
        std::vector<std::string> rows;
        std::string header;
        int result;
        {
            DialogRobot robot(GetCurrentThreadId(), [&](HWND dialog) {
                HWND list = GetDlgItem(dialog, 1101);
                int count = int(SendMessageA(list, LB_GETCOUNT, 0, 0));
                for (int i = 0; i < count; ++i) {
                    char line[256] = "";
                    SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
                    rows.push_back(line);
                }
                header = ItemText(dialog, 1100);
                SendMessageA(GetDlgItem(dialog, row.button), BM_CLICK, 0, 0);
            }, {g_statusWindow});
            result = Copy();
        }
        EXPECT_EQ(result, 0);
        EXPECT_TRUE(shown_.empty());
        const std::vector<std::string> expected = {
            "File Name:\tSAMPLE.DLL\tSAMPLE.DLL",
            "File Version:\t1.0\t2.0",
            "File Description:\tSample file, old\tSample file, new",
            "Company Name:\tCorvane\tCorvane",
            "Product Name:\tMezura Sample\tMezura Sample",
            "Product Version:\t1.0\t2.0",
        };
        EXPECT_EQ(rows, expected) << "button " << row.button;
        EXPECT_EQ(header, "Property\tSource\tExisting");
        EXPECT_EQ(FileVersionOf(Dest() + "\\SAMPLE.DLL"), row.versionAfter) << "button " << row.button;
        EXPECT_EQ(TempFilesLeft(), 0) << "button " << row.button;
    }
}

// The errors Wine's service produces, each with its message; files installed before stay.
TEST_F(VersionCopyTest, ServiceErrorsEndTheCopyWithTheirMessage) {
    enum Setup { kReadOnlyTarget, kHeldOpenTarget, kMissingSource, kMissingDestination };
    struct Row {
        const char* what;
        Setup setup;
        UINT message;
    };
    const Row rows[] = {
        {"a read-only older target", kReadOnlyTarget, 1027},
        {"a target held open", kHeldOpenTarget, 1017},
        {"a missing source", kMissingSource, 1023},
        {"a missing destination directory", kMissingDestination, 1016},
    };
    for (const Row& row : rows) {
        shown_.clear();
        files_.clear();
        lstrcpyA(destDir, Dest().c_str());
        DeleteFileA((Dest() + "\\FIRST.DLL").c_str());
        // A first file that installs, then the one that fails.
        ASSERT_TRUE(CopySample("sample_new.dll", Source() + "\\FIRST.DLL"));
        Entry("FIRST.DLL", "FIRST.DLL");
        ASSERT_TRUE(CopySample("sample_new.dll", Source() + "\\SAMPLE.DLL"));
        const std::string target = Dest() + "\\SAMPLE.DLL";
        SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
        ASSERT_TRUE(CopySample("sample_old.dll", target));
        Entry(row.setup == kMissingSource ? "ABSENT.DLL" : "SAMPLE.DLL", "SAMPLE.DLL");
        HANDLE held = INVALID_HANDLE_VALUE;
        switch (row.setup) {
        case kReadOnlyTarget: SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY); break;
        case kHeldOpenTarget:
            held = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(held, INVALID_HANDLE_VALUE);
            break;
        case kMissingSource: break;
        case kMissingDestination:
            files_.erase(files_.begin());
            lstrcatA(destDir, "\\MISSING");
            break;
        }
        EXPECT_EQ(Copy(), -1) << row.what;
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        ASSERT_EQ(shown_.size(), 1u) << row.what;
        EXPECT_EQ(shown_[0].text, SetupString(row.message)) << row.what;
        EXPECT_EQ(shown_[0].owner, g_statusWindow) << row.what;
        EXPECT_EQ(FileVersionOf(target), "1.0") << row.what << ": the existing file stays";
        EXPECT_EQ(TempFilesLeft(), 0) << row.what;
        if (row.setup != kMissingDestination) {
            EXPECT_EQ(FileVersionOf(Dest() + "\\FIRST.DLL"), "2.0") << row.what << ": the file before stays installed";
        }
        SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// A newer source replaces an older file without a question.
TEST_F(VersionCopyTest, ANewerSourceReplacesSilently) {
    ASSERT_TRUE(CopySample("sample_new.dll", Source() + "\\SAMPLE.DLL"));
    ASSERT_TRUE(CopySample("sample_old.dll", Dest() + "\\TARGET.DLL"));
    Entry("SAMPLE.DLL", "TARGET.DLL");
    Entry("SAMPLE.DLL", "FRESH.DLL");
    EXPECT_EQ(Copy(), 0);
    EXPECT_TRUE(shown_.empty());
    EXPECT_EQ(FileVersionOf(Dest() + "\\TARGET.DLL"), "2.0");
    EXPECT_EQ(FileVersionOf(Dest() + "\\FRESH.DLL"), "2.0");
    EXPECT_EQ(TempFilesLeft(), 0);
}

}  // namespace
#endif
