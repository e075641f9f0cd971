// CompareVersions and COMPARE: six version values of the new and the existing file, side by side.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "setup/program/copy_files.h"
#include "setup/program/dialogs.h"
#include "setup/program/setup_ids.h"
#include "setup/program/setup_state.h"
#include "setup/program/show_message.h"
#include "version_string.h"

namespace {

constexpr int kComparePathChars = 264;
constexpr WORD kValueBuffer = 50;
constexpr int kSecondTabStopLimit = 165;

// The files COMPARE reads: the new file's temporary copy and the existing file.
char g_sourcePath[kComparePathChars];
char g_existingPath[kComparePathChars];

struct CompareRow {
    const char* label;
    const char* value;
};
constexpr CompareRow kCompareRows[] = {
    {"File Name:", "OriginalFilename"},
    {"File Version:", "FileVersion"},
    {"File Description:", "FileDescription"},
    {"Company Name:", "CompanyName"},
    {"Product Name:", "ProductName"},
    {"Product Version:", "ProductVersion"},
};

int TextWidth(HDC dc, const char* text) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text, int(std::strlen(text)), &size);
    return size.cx;
}

// Fills the list with one row per value and answers the widest label and source value.
void FillRows(HWND list, HDC dc, int* widestLabel, int* widestSource) {
    *widestLabel = *widestSource = 0;
    for (const CompareRow& row : kCompareRows) {
        char source[kValueBuffer] = "";
        char existing[kValueBuffer] = "";
        *widestLabel = std::max(*widestLabel, TextWidth(dc, row.label));
        GetVersionString(g_sourcePath, row.value, source, kValueBuffer);
        *widestSource = std::max(*widestSource, TextWidth(dc, source));
        GetVersionString(g_existingPath, row.value, existing, kValueBuffer);
        char line[3 * kValueBuffer + 8];
        std::snprintf(line, sizeof line, "%s\t%s\t%s", row.label, source, existing);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
    }
}

// The dialog's horizontal base unit in pixels, from the font the dialog really got: the list
// box and the header turn their tab stops back into pixels with their font's average character
// width, which is this unit. GetDialogBaseUnits() gives the stock system font's instead, which
// differs wherever the template's font is drawn with another face or size.
int DialogBaseUnitX(HWND dialog) {
    RECT fourUnits = {0, 0, 4, 0};
    MapDialogRect(dialog, &fourUnits);
    return fourUnits.right > 0 ? int(fourUnits.right) : LOWORD(GetDialogBaseUnits());
}

INT_PTR OnInit(HWND dialog) {
    SetWindowTextA(dialog, kCaption);
    PlaceWindow(dialog, 2);
    HWND list = GetDlgItem(dialog, IDC_COMPARE_LIST);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    HDC dc = GetDC(dialog);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;

    int widestLabel, widestSource;
    FillRows(list, dc, &widestLabel, &widestSource);
    int stops[2];
    ComputeTabStops(widestLabel, widestSource, DialogBaseUnitX(dialog), stops);
    SendMessageA(list, LB_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(stops));
    SetDlgItemTextA(dialog, IDC_COMPARE_HEADER, "Property\tSource\tExisting");
    SendDlgItemMessageA(dialog, IDC_COMPARE_HEADER, EM_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(stops));

    if (previous) SelectObject(dc, previous);
    ReleaseDC(dialog, dc);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    return TRUE;
}

}  // namespace

void ComputeTabStops(int widestLabel, int widestSource, int baseUnitX, int stops[2]) {
    stops[0] = (widestLabel * 4 + 12) / baseUnitX;
    stops[1] = std::min(stops[0] + (widestSource * 4 + 12) / baseUnitX, kSecondTabStopLimit);
}

int CompareVersions(HWND owner, LPCSTR recommendedDir, LPCSTR tempFile, LPCSTR currentDir, LPCSTR destName) {
    JoinPath(g_sourcePath, sizeof g_sourcePath, recommendedDir, tempFile);
    JoinPath(g_existingPath, sizeof g_existingPath, currentDir, destName);
    // A dialog that cannot be shown keeps the existing, newer file.
    return DialogBoxParamA(g_instance, "COMPARE", owner, CompareDlgProc, 0) == 1 ? 1 : 0;
}

INT_PTR CALLBACK CompareDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OnInit(dialog);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) EndDialog(dialog, 1);
        else if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}
