// WELCOME: the user confirms or types the source and destination directories.
#include <cstring>

#include "setup/program/dest_checks.h"
#include "setup/program/dialogs.h"
#include "setup/program/setup_ids.h"
#include "setup/program/setup_state.h"
#include "setup/program/show_message.h"
#include "setup/script/setup_script.h"

namespace {

// What the edits accept from the keyboard; the path parser may answer longer paths.
constexpr int kEntryChars = 99;

void UpdateOkButton(HWND dialog) {
    bool both = GetWindowTextLengthA(GetDlgItem(dialog, IDC_WELCOME_DEST)) > 0 &&
                GetWindowTextLengthA(GetDlgItem(dialog, IDC_WELCOME_SOURCE)) > 0;
    EnableWindow(GetDlgItem(dialog, IDOK), both);
}

INT_PTR OnInit(HWND dialog) {
    SetWindowTextA(dialog, kCaption);
    PlaceWindow(dialog, 3);
    char text[kMessageChars + 1];
    SetDlgItemTextA(dialog, IDC_WELCOME_RECOMMEND,
                    FormatString(g_instance, IDS_RECOMMEND, text, sizeof text, g_setupScript.settings.AppName));
    SetDlgItemTextA(dialog, IDC_WELCOME_PROMPT, FormatString(g_instance, IDS_PROMPT, text, sizeof text));
    SendDlgItemMessageA(dialog, IDC_WELCOME_DEST, EM_LIMITTEXT, kEntryChars, 0);
    SendDlgItemMessageA(dialog, IDC_WELCOME_SOURCE, EM_LIMITTEXT, kEntryChars, 0);
    SetDlgItemTextA(dialog, IDC_WELCOME_DEST, destDir);
    SetDlgItemTextA(dialog, IDC_WELCOME_SOURCE, sourceDir);
    UpdateOkButton(dialog);
    return TRUE;
}

// Expands the entry of edit `id` to a full path (at most 127 characters). On a path the parser
// refuses, or one longer than `capacity`, tells the user, puts the caret into the edit and
// answers false.
bool ExpandEntry(HWND dialog, int id, int capacity, char* path) {
    char entry[kEntryChars + 1] = "";
    GetDlgItemTextA(dialog, id, entry, sizeof entry);
    if (ExpandPath(entry, path, capacity)) return true;
    ShowMessage(g_instance, dialog, IDS_BAD_DIRECTORY, kCaption, MB_ICONINFORMATION, entry);
    SendDlgItemMessageA(dialog, id, EM_SETSEL, 0, -1);
    SetFocus(GetDlgItem(dialog, id));
    return false;
}

// Stores both directories, or neither when one cannot be used (the dialog then stays open).
void OnOk(HWND dialog) {
    char dest[OFS_MAXPATHNAME];
    char source[OFS_MAXPATHNAME];
    if (!ExpandEntry(dialog, IDC_WELCOME_DEST, kDestDirChars, dest)) return;
    // The source always has room for its separator: 127 characters at most, and 128 kept.
    if (!ExpandEntry(dialog, IDC_WELCOME_SOURCE, kSourceDirChars - 1, source)) return;

    SetDestDir(dest);
    std::strcpy(sourceDir, source);
    size_t length = std::strlen(sourceDir);
    if (length == 0 || sourceDir[length - 1] != '\\') std::strcat(sourceDir, "\\");
    EndDialog(dialog, IDOK);
}

INT_PTR OnCommand(HWND dialog, WORD id, WORD code) {
    switch (id) {
    case IDOK: OnOk(dialog); return TRUE;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
    case IDC_WELCOME_DEST:
    case IDC_WELCOME_SOURCE:
        if (code == EN_CHANGE) UpdateOkButton(dialog);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK WelcomeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OnInit(dialog);
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}
