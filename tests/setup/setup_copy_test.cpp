// The copy phase against a scripted version library: every answer of the lookup and the
// installation, the messages they lead to, the forced retry, the cancel between two files.
#ifdef _WIN32
#include <windows.h>

#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "setup/program/copy_files.h"
#include "setup/program/dialogs.h"
#include "setup/program/setup_ids.h"
#include "setup/program/setup_options.h"
#include "setup/program/setup_state.h"
#include "setup/script/setup_script.h"
#include "setup_fixture.h"

namespace {

const char kTempName[] = "VER0001.TMP";

// What the scripted version library answers, and what it was asked.
struct InstallCall {
    DWORD flags;
    std::string source, dest, sourceDir, destDir, currentDir, tempIn;
};
struct FakeVersionLibrary {
    DWORD findResult = 0;
    std::string currentDir;
    std::string recommendedDir;
    std::deque<DWORD> installResults;  // one per call; 0 once they run out
    std::function<void()> onInstall;   // runs inside each install call
    int finds = 0;
    std::vector<InstallCall> installs;
};
FakeVersionLibrary g_fake;

DWORD WINAPI FakeVerFindFile(DWORD, LPSTR, LPSTR, LPSTR, LPSTR currentDir, PUINT currentLength,
                             LPSTR recommendedDir, PUINT recommendedLength) {
    ++g_fake.finds;
    lstrcpynA(currentDir, g_fake.currentDir.c_str(), int(*currentLength));
    lstrcpynA(recommendedDir, g_fake.recommendedDir.c_str(), int(*recommendedLength));
    return g_fake.findResult;
}

// Leaves a temporary copy in the destination on every call that starts without one, as the
// service does, whether or not the result reports it.
DWORD WINAPI FakeVerInstallFile(DWORD flags, LPSTR source, LPSTR dest, LPSTR sourceDir, LPSTR destDir,
                                LPSTR currentDir, LPSTR tempFile, PUINT tempLength) {
    g_fake.installs.push_back({flags, source, dest, sourceDir, destDir, currentDir, tempFile});
    if (g_fake.onInstall) g_fake.onInstall();
    DWORD result = 0;
    if (!g_fake.installResults.empty()) {
        result = g_fake.installResults.front();
        g_fake.installResults.pop_front();
    }
    if (!tempFile[0] && result != 0) {
        lstrcpynA(tempFile, kTempName, int(*tempLength));
        *tempLength = UINT(std::strlen(kTempName) + 1);
        HANDLE file = CreateFileA((std::string(destDir) + "\\" + kTempName).c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        CloseHandle(file);
    }
    return result;
}

struct ErrorBit {
    DWORD bit;
    UINT message;
};
const ErrorBit kErrorBits[] = {
    {VIF_CANNOTCREATE, 1016}, {VIF_CANNOTDELETE, 1017},    {VIF_CANNOTRENAME, 1018}, {VIF_OUTOFSPACE, 1019},
    {VIF_ACCESSVIOLATION, 1020}, {VIF_SHARINGVIOLATION, 1021}, {VIF_OUTOFMEMORY, 1022}, {VIF_CANNOTREADSRC, 1023},
    {VIF_CANNOTREADDST, 1024}, {VIF_BUFFTOOSMALL, 1015},    {VIF_DIFFCODEPG, 1025},   {VIF_FILEINUSE, 1026},
    {VIF_WRITEPROT, 1027},
};

class CopyFilesTest : public InstallerTest {
protected:
    CopyFilesTest() : InstallerTest(Status::kOpen) {
        g_fake = FakeVersionLibrary{};
        g_fake.recommendedDir = dir_.path();
        syscalls_.Use(&SetupSyscalls::VerFindFileA, FakeVerFindFile)
            .Use(&SetupSyscalls::VerInstallFileA, FakeVerInstallFile);
        lstrcpyA(destDir, dir_.path().c_str());
        lstrcpyA(sourceDir, "A:\\DIST\\");
        lstrcpyA(g_setupScript.settings.AppName, "Mezura");
        for (int i = 0; i < 3; ++i) {
            FileEntry& entry = files_[i];
            wsprintfA(entry.description, "File number %d", i + 1);
            wsprintfA(entry.sourceName, "SRC%d.DLL", i + 1);
            wsprintfA(entry.destName, "DEST%d.DLL", i + 1);
        }
    }

    // Runs CopyFiles on the first `count` entries with fresh records.
    int Copy(int count = 1) {
        shown_.clear();
        g_fake.installs.clear();
        g_fake.finds = 0;
        DeleteFileA(TempPath().c_str());
        return CopyFiles(g_statusWindow, files_, count);
    }
    std::string TempPath() const { return dir_ / kTempName; }
    HWND CancelButton() const { return GetDlgItem(g_statusWindow, IDCANCEL); }

    ScratchDir dir_{"mezura_copy_seam"};
    FileEntry files_[3]{};
};

// The first error bit in the table's order names the message, alone and with any later one;
// the temporary copy goes only when the service reported it.
TEST_F(CopyFilesTest, TheFirstErrorBitInTableOrderDecidesTheMessage) {
    for (size_t i = 0; i < std::size(kErrorBits); ++i) {
        for (size_t j = i; j < std::size(kErrorBits); ++j) {
            for (DWORD temp : {DWORD(0), DWORD(VIF_TEMPFILE)}) {
                DWORD result = kErrorBits[i].bit | kErrorBits[j].bit | temp;
                g_fake.installResults = {result};
                std::string context = "result 0x" + std::to_string(result);
                EXPECT_EQ(Copy(), -1) << context;
                ASSERT_EQ(shown_.size(), 1u) << context;
                EXPECT_EQ(shown_[0].text, SetupString(kErrorBits[i].message)) << context;
                EXPECT_EQ(shown_[0].caption, "Corvane") << context;
                EXPECT_EQ(shown_[0].owner, g_statusWindow) << context;
                EXPECT_EQ(shown_[0].style, UINT(MB_ICONEXCLAMATION)) << context;
                EXPECT_EQ(g_fake.installs.size(), 1u) << context << ": no retry after an error";
                EXPECT_EQ(FileExists(TempPath()), temp == 0) << context << ": temporary copy";
            }
        }
    }
}

// Answers without an error bit: installed, forced without a question, or left as they are.
TEST_F(CopyFilesTest, AnswersWithoutErrorsInstallForceOrGoOn) {
    struct Row {
        const char* what;
        DWORD findResult;
        const char* currentDir;
        DWORD result;
        bool forced;
        DWORD flags;        // of both calls (the retry adds VIFF_FORCEINSTALL)
        bool tempRemains;
    };
    const Row rows[] = {
        {"installed", 0, "", 0, false, 0, false},
        {"different language", 0, "", VIF_DIFFLANG | VIF_TEMPFILE, true, 0, true},
        {"different type", 0, "", VIF_DIFFTYPE | VIF_TEMPFILE, true, 0, true},
        {"both differences", 0, "", VIF_DIFFLANG | VIF_DIFFTYPE | VIF_TEMPFILE, true, 0, true},
        {"old copy not deleted, alone", 0, "", VIF_CANNOTDELETECUR, false, 0, true},
        {"a temporary copy alone", 0, "", VIF_TEMPFILE, false, 0, true},
        {"existing copy elsewhere", VFF_CURNEDEST, "C:\\ELSEWHERE", VIF_DIFFTYPE | VIF_TEMPFILE, true,
         VIFF_DONTDELETEOLD, true},
        {"elsewhere, but no directory named", VFF_CURNEDEST, "", VIF_DIFFTYPE | VIF_TEMPFILE, true, 0, true},
        {"existing copy in the destination", 0, "C:\\DEST", VIF_DIFFLANG | VIF_TEMPFILE, true, 0, true},
    };
    for (const Row& row : rows) {
        g_fake.findResult = row.findResult;
        g_fake.currentDir = row.currentDir;
        g_fake.installResults = {row.result, 0};
        EXPECT_EQ(Copy(), 0) << row.what;
        EXPECT_TRUE(shown_.empty()) << row.what << ": " << (shown_.empty() ? "" : shown_[0].text);
        ASSERT_EQ(g_fake.installs.size(), row.forced ? 2u : 1u) << row.what;
        const InstallCall& first = g_fake.installs[0];
        EXPECT_EQ(first.flags, row.flags) << row.what;
        EXPECT_EQ(first.source, "SRC1.DLL") << row.what;
        EXPECT_EQ(first.dest, "DEST1.DLL") << row.what;
        EXPECT_EQ(first.sourceDir, "A:\\DIST\\") << row.what;
        EXPECT_EQ(first.destDir, dir_.path()) << row.what;
        EXPECT_EQ(first.currentDir, row.currentDir) << row.what;
        EXPECT_EQ(first.tempIn, "") << row.what;
        if (row.forced) {
            const InstallCall& retry = g_fake.installs[1];
            EXPECT_EQ(retry.flags, row.flags | VIFF_FORCEINSTALL) << row.what;
            EXPECT_EQ(retry.destDir, g_fake.recommendedDir) << row.what;
            EXPECT_EQ(retry.currentDir, row.currentDir) << row.what;
            EXPECT_EQ(retry.tempIn, kTempName) << row.what << ": the retry names the first call's copy";
        }
        EXPECT_EQ(FileExists(TempPath()), row.tempRemains && row.result != 0) << row.what;
    }
}

// A forced install that fails is an error like the first call's: its message, the temporary
// copy removed, and the copy ends, never reported as installed.
TEST_F(CopyFilesTest, AFailedForcedInstallEndsTheCopyWithItsMessage) {
    g_fake.installResults = {VIF_DIFFLANG | VIF_TEMPFILE, VIF_CANNOTRENAME | VIF_TEMPFILE};
    EXPECT_EQ(Copy(2), -1);
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].text, SetupString(1018));
    EXPECT_EQ(shown_[0].owner, g_statusWindow);
    EXPECT_EQ(g_fake.installs.size(), 2u) << "the second file must not be tried";
    EXPECT_FALSE(FileExists(TempPath()));

    // The retry need not name the temporary copy again: the first call's goes all the same.
    g_fake.installResults = {VIF_DIFFTYPE | VIF_TEMPFILE, VIF_WRITEPROT};
    EXPECT_EQ(Copy(), -1);
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].text, SetupString(1027));
    EXPECT_FALSE(FileExists(TempPath()));
}

// A silent run answers COMPARE itself: the existing file stays when the new one is older, the
// new one goes in when the two only differ; nothing is asked.
TEST_F(CopyFilesTest, ASilentRunKeepsTheNewerFileWithoutAsking) {
    g_options.quiet = true;
    const struct {
        DWORD result;
        bool forced;
    } rows[] = {{VIF_SRCOLD | VIF_MISMATCH | VIF_TEMPFILE, false}, {VIF_MISMATCH | VIF_TEMPFILE, true}};
    for (const auto& row : rows) {
        g_fake.installResults = {row.result, 0};
        EXPECT_EQ(Copy(), 0) << row.result;
        EXPECT_EQ(g_fake.installs.size(), row.forced ? 2u : 1u) << row.result;
        EXPECT_EQ(FileExists(TempPath()), row.forced) << row.result << ": a skipped file's copy goes";
        EXPECT_TRUE(shown_.empty()) << row.result;
    }
}

// The lookup's refusals end the copy before anything is installed, in a task-modal box
// without owner.
TEST_F(CopyFilesTest, LookupRefusalsEndTheCopyBeforeTheFile) {
    struct Row {
        DWORD findResult;
        std::string expected;
    };
    const Row rows[] = {
        {VFF_BUFFTOOSMALL, SetupString(1015)},
        {VFF_BUFFTOOSMALL | VFF_FILEINUSE, SetupString(1015)},
        {VFF_FILEINUSE, "The file DEST1.DLL is in use by Windows.\n Please shut down the application and run Setup again."},
        {VFF_FILEINUSE | VFF_CURNEDEST, "The file DEST1.DLL is in use by Windows.\n Please shut down the application and run Setup again."},
    };
    for (const Row& row : rows) {
        g_fake.findResult = row.findResult;
        EXPECT_EQ(Copy(2), -1) << row.findResult;
        EXPECT_TRUE(g_fake.installs.empty()) << row.findResult;
        EXPECT_EQ(g_fake.finds, 1) << row.findResult;
        ASSERT_EQ(shown_.size(), 1u) << row.findResult;
        EXPECT_EQ(shown_[0].text, row.expected);
        EXPECT_EQ(shown_[0].owner, nullptr);
        EXPECT_EQ(shown_[0].caption, "Corvane");
        EXPECT_EQ(shown_[0].style, UINT(MB_ICONINFORMATION | MB_TASKMODAL));
    }
}

// Every entry in order, each announced in STATUS, and every entry gets its own lookup.
TEST_F(CopyFilesTest, CopiesEveryEntryInOrderShowingItsDescription) {
    std::vector<std::string> details;
    g_fake.onInstall = [&] { details.push_back(ItemText(g_statusWindow, 104)); };
    EXPECT_EQ(Copy(3), 0);
    ASSERT_EQ(g_fake.installs.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(g_fake.installs[i].source, files_[i].sourceName);
        EXPECT_EQ(details[i], files_[i].description);
    }
    EXPECT_EQ(g_fake.finds, 3);
}

// A cancel confirmed in STATUS is asked again before the next file: Yes ends the copy with 2,
// No enables Cancel again and the copy goes on.
TEST_F(CopyFilesTest, ACancelTakesTwoConfirmations) {
    struct Row {
        std::deque<int> answers;
        int expected;
        size_t installs;
        bool cancelEnabledAfter;
    };
    const Row rows[] = {
        {{IDYES, IDYES}, 2, 1, false},
        {{IDYES, IDNO}, 0, 3, true},
        {{IDNO}, 0, 3, true},
    };
    for (const Row& row : rows) {
        answers_ = row.answers;
        // The user presses Cancel while the first file is copied.
        g_fake.onInstall = [this] {
            if (g_fake.installs.size() == 1) PostMessageA(CancelButton(), BM_CLICK, 0, 0);
        };
        EnableWindow(CancelButton(), TRUE);
        EXPECT_EQ(Copy(3), row.expected);
        EXPECT_EQ(g_fake.installs.size(), row.installs);
        ASSERT_EQ(shown_.size(), row.answers.size());
        // First the window's own question, with the product as caption, then the copy's.
        EXPECT_EQ(shown_[0].caption, "Mezura");
        EXPECT_EQ(shown_[0].owner, g_statusWindow);
        EXPECT_EQ(shown_[0].style, UINT(MB_YESNO | MB_ICONQUESTION));
        EXPECT_EQ(shown_[0].text, "Setup has not completed installing the software.\nAre you sure you want to cancel?");
        if (shown_.size() > 1) {
            EXPECT_EQ(shown_[1].caption, "Corvane");
            EXPECT_EQ(shown_[1].owner, g_statusWindow);
            EXPECT_EQ(shown_[1].style, UINT(MB_YESNO | MB_ICONQUESTION));
            EXPECT_EQ(shown_[1].text, shown_[0].text);
        }
        EXPECT_EQ(IsWindowEnabled(CancelButton()) != 0, row.cancelEnabledAfter);
    }
}

}  // namespace
#endif
