// STATUS: the modeless progress window and its Cancel button, whose disabled state is the
// cancel request the copy loop acts on.
#include "setup/program/dialogs.h"
#include "setup/program/setup_ids.h"
#include "setup/program/setup_log.h"
#include "setup/program/setup_state.h"
#include "setup/program/show_message.h"
#include "setup/script/setup_script.h"

namespace {

INT_PTR OnInit(HWND dialog) {
    SetWindowTextA(dialog, kCaption);
    char text[kMessageChars + 1];
    SetDlgItemTextA(dialog, IDC_STATUS_MODULE,
                    FormatString(g_instance, IDS_MODULE, text, sizeof text, g_setupScript.settings.AppName));
    PlaceWindow(dialog, 3);
    return TRUE;
}

// Every showing starts a phase: Cancel available again, no text left from the last one.
void OnShow(HWND dialog) {
    EnableWindow(GetDlgItem(dialog, IDCANCEL), TRUE);
    SetStatusTexts(dialog, "", "");
}

// A confirmed cancel only disables the button: the copy loop notices it between two files.
void OnCancel(HWND dialog) {
    HWND cancel = GetDlgItem(dialog, IDCANCEL);
    if (!IsWindowEnabled(cancel)) return;  // already requested
    if (ShowMessage(g_instance, dialog, IDS_CONFIRM_CANCEL, g_setupScript.settings.AppName,
                    MB_YESNO | MB_ICONQUESTION) == IDYES)
        EnableWindow(cancel, FALSE);
}

}  // namespace

void SetStatusTexts(HWND status, LPCSTR phase, LPCSTR detail) {
    // Each phase is a line of the log, a silent run's only account of its steps.
    if (phase && phase[0]) LogLine(detail && detail[0] ? "%s %s" : "%s", phase, detail);
    if (phase) SetDlgItemTextA(status, IDC_STATUS_PHASE, phase);
    if (detail) SetDlgItemTextA(status, IDC_STATUS_DETAIL, detail);
}

INT_PTR CALLBACK StatusDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OnInit(dialog);
    case WM_SHOWWINDOW:
        if (wParam) OnShow(dialog);
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            OnCancel(dialog);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
