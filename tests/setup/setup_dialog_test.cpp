// WELCOME, STATUS and COMPARE of the built SETUP.EXE, driven as a user would by a robot thread.
#ifdef _WIN32
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "setup/program/copy_files.h"
#include "setup/program/dialogs.h"
#include "setup/program/setup_state.h"
#include "setup/script/setup_script.h"
#include "setup_fixture.h"
#include "setup_install_fixture.h"

namespace {

// Where a window of `box`'s size belongs: centred, and 1/`divisor` of the free height down.
void ExpectPlaced(const RECT& box, int divisor, const char* what) {
    int width = box.right - box.left, height = box.bottom - box.top;
    EXPECT_EQ(box.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2) << what;
    EXPECT_EQ(box.top, (GetSystemMetrics(SM_CYSCREEN) - height) / divisor) << what;
}

std::string TextOfWindow(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

class WelcomeTest : public InstallerTest {
protected:
    WelcomeTest() {
        lstrcpyA(g_setupScript.settings.AppName, "Mezura");
        SetCurrentDirectoryA(dir_.path().c_str());
    }
    // Runs WELCOME with `drive` as the user; answers its result.
    INT_PTR Run(std::function<void(HWND)> drive) {
        DialogRobot robot(GetCurrentThreadId(), drive);
        return DialogBoxParamA(g_instance, "WELCOME", nullptr, WelcomeDlgProc, 0);
    }
    ScratchDir dir_{"mezura_welcome"};
};

TEST_F(WelcomeTest, ShowsTheDirectoriesUppercasesEntriesAndEnablesOkOnlyWithBoth) {
    lstrcpyA(destDir, "c:\\mezura");
    lstrcpyA(sourceDir, "C:\\DIST\\");
    RECT box{};
    std::string recommend, prompt, dest, source, typed, set;
    bool okAtStart = false, okWithoutDest = true, okWithoutSource = true, okWithBoth = false;
    LRESULT limit = 0;
    INT_PTR result = Run([&](HWND dialog) {
        GetWindowRect(dialog, &box);
        recommend = ItemText(dialog, 103);
        prompt = ItemText(dialog, 104);
        dest = ItemText(dialog, 101);
        source = ItemText(dialog, 106);
        HWND ok = GetDlgItem(dialog, IDOK);
        okAtStart = IsWindowEnabled(ok);
        SetDlgItemTextA(dialog, 101, "");
        okWithoutDest = IsWindowEnabled(ok);
        SetDlgItemTextA(dialog, 101, "c:\\target dir\\");
        set = ItemText(dialog, 101);
        SetDlgItemTextA(dialog, 106, "");
        okWithoutSource = IsWindowEnabled(ok);
        HWND edit = GetDlgItem(dialog, 106);
        for (char c : std::string("c:\\dist")) SendMessageA(edit, WM_CHAR, WPARAM(c), 0);
        typed = ItemText(dialog, 106);
        okWithBoth = IsWindowEnabled(ok);
        limit = SendMessageA(edit, EM_GETLIMITTEXT, 0, 0);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    ExpectPlaced(box, 3, "WELCOME");
    EXPECT_EQ(recommend, "Setup recommends installing Mezura in the directory shown.");
    EXPECT_EQ(prompt, "If you prefer a different location, type the full path name (including both drive and directory) below:");
    EXPECT_EQ(dest, "C:\\MEZURA");
    EXPECT_EQ(source, "C:\\DIST\\");
    EXPECT_TRUE(okAtStart);
    EXPECT_FALSE(okWithoutDest);
    EXPECT_FALSE(okWithoutSource);
    EXPECT_TRUE(okWithBoth);
    EXPECT_EQ(set, "C:\\TARGET DIR\\");
    EXPECT_EQ(typed, "C:\\DIST");
    EXPECT_EQ(limit, 99);
    EXPECT_STREQ(destDir, "C:\\TARGET DIR");
    EXPECT_STREQ(sourceDir, "C:\\DIST\\");
    EXPECT_TRUE(shown_.empty());
}

// OK expands both entries with the system's path parser; the next opening shows the results.
TEST_F(WelcomeTest, OkStoresExpandedPathsWhichTheNextOpeningShows) {
    // The parser keeps the current directory's spelling and completes it with the entry.
    const std::string here = dir_.path();
    auto upper = [](std::string text) {
        CharUpperA(&text[0]);
        return text;
    };
    struct Row {
        const char* dest;
        const char* source;
        std::string expectedDest;
        std::string expectedSource;
    };
    const Row rows[] = {
        {"c:\\apps\\mezura\\", "c:\\dist", "C:\\APPS\\MEZURA", "C:\\DIST\\"},
        {"C:\\", "C:\\", "C:", "C:\\"},  // a drive root loses its backslash
        {"sub", "disk\\", here + "\\SUB", here + "\\DISK\\"},
        {"c:\\a\\..\\b", "c:\\x\\.\\y", "C:\\B", "C:\\X\\Y\\"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Run([&](HWND dialog) {
                      SetDlgItemTextA(dialog, 101, row.dest);
                      SetDlgItemTextA(dialog, 106, row.source);
                      Click(dialog, IDOK);
                  }),
                  IDOK)
            << row.dest;
        EXPECT_EQ(std::string(destDir), row.expectedDest) << row.dest;
        EXPECT_EQ(std::string(sourceDir), row.expectedSource) << row.source;
        std::string shownDest, shownSource;
        EXPECT_EQ(Run([&](HWND dialog) {
                      shownDest = ItemText(dialog, 101);
                      shownSource = ItemText(dialog, 106);
                      Click(dialog, IDCANCEL);
                  }),
                  IDCANCEL);
        EXPECT_EQ(shownDest, upper(row.expectedDest)) << "after a failed check WELCOME shows what was stored";
        EXPECT_EQ(shownSource, upper(row.expectedSource));
        EXPECT_EQ(std::string(destDir), row.expectedDest) << "Cancel changes nothing";
    }
    EXPECT_TRUE(shown_.empty());
}

// A destination whose full path would not fit is refused in the dialog, which stays open
// with the entry as typed; a shorter one then passes.
TEST_F(WelcomeTest, ADestinationLongerThan99CharactersOnceExpandedIsRefused) {
    lstrcpyA(destDir, "C:\\KEEP");
    lstrcpyA(sourceDir, "C:\\DIST\\");
    // Relative to the current directory: its full path is one character too long.
    const std::string entry(std::max<size_t>(1, 99 - dir_.path().size()), 'X');
    bool openAfterRefusal = false;
    std::string kept;
    INT_PTR result = Run([&](HWND dialog) {
        SetDlgItemTextA(dialog, 101, entry.c_str());
        Click(dialog, IDOK);
        openAfterRefusal = IsWindow(dialog) && IsWindowVisible(dialog);
        kept = ItemText(dialog, 101);
        SetDlgItemTextA(dialog, 101, "C:\\SHORT");
        Click(dialog, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ(kept, entry);
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].caption, "Corvane");
    EXPECT_EQ(shown_[0].style, UINT(MB_ICONINFORMATION));
    EXPECT_NE(shown_[0].owner, nullptr);
    EXPECT_EQ(shown_[0].text, "The directory " + entry +
                                  " cannot be used: its full path is too long or not valid.\nEnter another directory.");
    EXPECT_STREQ(destDir, "C:\\SHORT");
}

// The path parser answers at most 127 characters: a source of that length keeps the backslash
// appended to it, and a longer one is refused like a destination that does not fit.
TEST_F(WelcomeTest, ASourceOf127CharactersKeepsItsBackslashAndLongerIsRefused) {
    const std::string deep = dir_.path() + "\\" + std::string(99 - dir_.path().size(), 'S');  // 100 characters
    ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr)) << deep;
    SetCurrentDirectoryA(deep.c_str());
    struct Row {
        std::string entry;
        std::string expectedSource;  // empty: refused
    };
    const Row rows[] = {
        {std::string(26, 'E'), deep + "\\" + std::string(26, 'E') + "\\"},
        {std::string(27, 'E'), ""},
        {std::string(60, 'E'), ""},
    };
    for (const Row& row : rows) {
        shown_.clear();
        lstrcpyA(sourceDir, "C:\\DIST\\");
        INT_PTR result = Run([&](HWND dialog) {
            SetDlgItemTextA(dialog, 101, "C:\\MEZURA");
            SetDlgItemTextA(dialog, 106, row.entry.c_str());
            Click(dialog, IDOK);
            // An accepted OK has ended the dialog, but its window lives on until the modal loop
            // next runs, so IsWindow cannot tell; a refusal leaves the source as it was.
            if (std::strcmp(sourceDir, "C:\\DIST\\") == 0) Click(dialog, IDCANCEL);
        });
        if (row.expectedSource.empty()) {
            EXPECT_EQ(result, IDCANCEL) << row.entry.size();
            EXPECT_STREQ(sourceDir, "C:\\DIST\\");
            ASSERT_EQ(shown_.size(), 1u) << row.entry.size();
            EXPECT_NE(shown_[0].text.find(row.entry), std::string::npos) << shown_[0].text;
        } else {
            EXPECT_EQ(result, IDOK);
            EXPECT_EQ(std::string(sourceDir), row.expectedSource);
            EXPECT_EQ(std::strlen(sourceDir), 128u);
            EXPECT_TRUE(shown_.empty());
        }
    }
}

class StatusTest : public InstallerTest {};

// STATUS starts hidden with its caption, product line and place; each showing enables Cancel
// and clears the phase texts; Cancel asks with the product as caption and Yes disables it.
TEST_F(StatusTest, ShowingResetsItAndCancelIsConfirmedByDisablingTheButton) {
    lstrcpyA(g_setupScript.settings.AppName, "Mezura");
    HWND status = g_statusWindow = CreateStatusWindow();
    ASSERT_NE(status, nullptr);
    EXPECT_FALSE(IsWindowVisible(status));
    EXPECT_EQ(TextOfWindow(status), "Corvane");
    EXPECT_EQ(ItemText(status, 105), "Module: Mezura");
    RECT box{};
    GetWindowRect(status, &box);
    ExpectPlaced(box, 3, "STATUS");

    HWND cancel = GetDlgItem(status, IDCANCEL);
    SetStatusTexts(status, "Copying Common files...", "MEZURA32.XLL");
    EnableWindow(cancel, FALSE);
    ShowWindow(status, SW_SHOW);
    EXPECT_TRUE(IsWindowVisible(status));
    EXPECT_TRUE(IsWindowEnabled(cancel));
    EXPECT_EQ(ItemText(status, 103), "");
    EXPECT_EQ(ItemText(status, 104), "");
    SetStatusTexts(status, "Creating destination directory...", nullptr);
    EXPECT_EQ(ItemText(status, 103), "Creating destination directory...");

    answers_ = {IDNO, IDYES};
    SendMessageA(cancel, BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(cancel)) << "No keeps the installation going";
    SendMessageA(cancel, BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowEnabled(cancel)) << "Yes is the cancel request";
    ASSERT_EQ(shown_.size(), 2u);
    for (const ShownMessage& shown : shown_) {
        EXPECT_EQ(shown.owner, status);
        EXPECT_EQ(shown.caption, "Mezura");
        EXPECT_EQ(shown.style, UINT(MB_YESNO | MB_ICONQUESTION));
        EXPECT_EQ(shown.text, "Setup has not completed installing the software.\nAre you sure you want to cancel?");
    }
    ShowWindow(status, SW_HIDE);
    ShowWindow(status, SW_SHOW);
    EXPECT_TRUE(IsWindowEnabled(cancel)) << "a new showing withdraws the request";
}

// The tab stops COMPARE sets, caught on their way to the list and the header.
std::vector<std::vector<int>> g_tabStops;

LRESULT CALLBACK CatchTabStops(int code, WPARAM wParam, LPARAM lParam) {
    auto* call = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && (call->message == LB_SETTABSTOPS || call->message == EM_SETTABSTOPS)) {
        const int* stops = reinterpret_cast<const int*>(call->lParam);
        g_tabStops.emplace_back(stops, stops + call->wParam);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class CompareTest : public InstallerTest {
protected:
    // What the robot saw of COMPARE.
    struct Seen {
        RECT box{};
        std::vector<std::string> rows;
        std::string header;
        std::vector<int> expectedStops;  // from the texts measured in the dialog's font
        int widestLabel = 0, unit = 0;   // in pixels
        LONG listStyle = 0;
    };

    // Runs CompareVersions on `source` as the temporary copy and `existing` as the installed
    // file; the robot reads the dialog and presses `button`.
    int Compare(const char* source, const char* existing, int button, Seen* seen) {
        CopySample(source, dir_ / "VER1A2B.TMP");
        CreateDirectoryA((dir_ / "old").c_str(), nullptr);
        const std::string existingPath = dir_ / "old\\SAMPLE.DLL";
        if (existing) {
            CopySample(existing, existingPath);
        } else {  // a file without a version resource
            WriteWholeFile(existingPath, "text");
        }
        g_tabStops.clear();
        HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CatchTabStops, nullptr, GetCurrentThreadId());
        DialogRobot robot(GetCurrentThreadId(), [&](HWND dialog) { Read(dialog, seen); Click(dialog, button); });
        int result = CompareVersions(nullptr, dir_.path().c_str(), "VER1A2B.TMP", (dir_ / "old").c_str(), "SAMPLE.DLL");
        UnhookWindowsHookEx(hook);
        return result;
    }

    static void Read(HWND dialog, Seen* seen) {
        GetWindowRect(dialog, &seen->box);
        HWND list = GetDlgItem(dialog, 1101);
        seen->listStyle = GetWindowLongA(list, GWL_STYLE);
        HDC dc = GetDC(dialog);
        HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)));
        int widestLabel = 0, widestSource = 0;
        int count = int(SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char line[256] = "";
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
            seen->rows.push_back(line);
            std::string text = line;
            size_t first = text.find('\t'), second = text.find('\t', first + 1);
            SIZE size{};
            GetTextExtentPoint32A(dc, line, int(first), &size);
            widestLabel = std::max(widestLabel, int(size.cx));
            GetTextExtentPoint32A(dc, line + first + 1, int(second - first - 1), &size);
            widestSource = std::max(widestSource, int(size.cx));
        }
        SelectObject(dc, previous);
        ReleaseDC(dialog, dc);
        // Tab stops are in the dialog's own units: four of them are its font's average width.
        RECT fourUnits = {0, 0, 4, 0};
        MapDialogRect(dialog, &fourUnits);
        int unit = fourUnits.right;
        int firstStop = (widestLabel * 4 + 12) / unit;
        seen->expectedStops = {firstStop, std::min(firstStop + (widestSource * 4 + 12) / unit, 165)};
        seen->widestLabel = widestLabel;
        seen->unit = unit;
        seen->header = ItemText(dialog, 1100);
    }

    ScratchDir dir_{"mezura_compare"};
};

TEST_F(CompareTest, ShowsSixRowsOfBothFilesCentredAndAnswersTheButton) {
    Seen install, skip;
    EXPECT_EQ(Compare("sample_old.dll", "sample_new.dll", IDOK, &install), 1);
    EXPECT_EQ(Compare("sample_old.dll", "sample_new.dll", IDCANCEL, &skip), 0);
    const std::vector<std::string> expected = {
        "File Name:\tSAMPLE.DLL\tSAMPLE.DLL",          "File Version:\t1.0\t2.0",
        "File Description:\tSample file, old\tSample file, new", "Company Name:\tCorvane\tCorvane",
        "Product Name:\tMezura Sample\tMezura Sample",  "Product Version:\t1.0\t2.0",
    };
    EXPECT_EQ(install.rows, expected);
    EXPECT_EQ(skip.rows, expected);
    EXPECT_EQ(install.header, "Property\tSource\tExisting");
    ExpectPlaced(install.box, 2, "COMPARE");
    EXPECT_EQ(install.listStyle & (LBS_SORT | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT),
              LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT);
    // The same two stops for the list and for the header.
    ASSERT_EQ(g_tabStops.size(), 2u);
    EXPECT_EQ(g_tabStops[0], install.expectedStops);
    EXPECT_EQ(g_tabStops[1], install.expectedStops);
    EXPECT_LT(install.expectedStops[1], 165) << "short values leave the second stop below its limit";
    EXPECT_GT(MulDiv(g_tabStops[0][0], install.unit, 4), install.widestLabel)
        << "in pixels of the dialog's font the first column holds the widest label";
}

// Values too long for the columns: each cut to 49 characters, the second stop at 165; a file
// without a version resource shows empty cells.
TEST_F(CompareTest, LongValuesAreCutAndTheSecondTabStopStopsAt165) {
    Seen seen;
    EXPECT_EQ(Compare("sample_wide.dll", nullptr, IDCANCEL, &seen), 0);
    ASSERT_EQ(seen.rows.size(), 6u);
    EXPECT_EQ(seen.rows[1], "File Version:\t0.5\t");
    EXPECT_EQ(seen.rows[2], "File Description:\t" + std::string(49, 'W') + "\t");
    EXPECT_EQ(seen.rows[3], "Company Name:\t" + std::string(49, 'W') + "\t");
    ASSERT_EQ(g_tabStops.size(), 2u);
    EXPECT_EQ(g_tabStops[0][1], 165);
    EXPECT_EQ(g_tabStops[0], seen.expectedStops);
}

}  // namespace
#endif
