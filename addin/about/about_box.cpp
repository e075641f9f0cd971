// The About box: the product's name with the add-in file's version, and the way to its help files.
#include "about_box.h"

#include "about_ids.h"
#include "addin_directory.h"
#include "addin_module.h"
#include "automation.h"
#include "host_records.h"
#include "version_string.h"

namespace {

constexpr int kLabelSize = 256;

// The box's help request goes to the help system on behalf of this window, not of the box.
HWND g_hwndOwner;
// Holds in turn the add-in's path, the composed label and the help file's path.
char g_szLabel[kLabelSize];
// Keeps the last version read: an opening that cannot read one shows the earlier value.
char g_szVersion[kLabelSize];

// HTML Help's one entry point and the command that opens a file at its table of contents.
using HtmlHelpFunction = HWND(WINAPI*)(HWND caller, LPCSTR file, UINT command, DWORD_PTR data);
constexpr UINT kHtmlHelpDisplayToc = 0x0001;

// HtmlHelpA from the system's hhctrl.ocx (by full path: a file of that name in Excel's or the
// current folder is not ours to run), or null where it cannot be had. Loaded once and never
// unloaded: the help windows it opens outlive the box and belong to it.
HtmlHelpFunction LoadHtmlHelp() {
    static HtmlHelpFunction htmlHelp = [] {
        char path[MAX_PATH];
        UINT length = GetSystemDirectoryA(path, MAX_PATH - 16);
        if (length == 0 || length >= MAX_PATH - 16) return HtmlHelpFunction(nullptr);
        lstrcatA(path, "\\hhctrl.ocx");
        HMODULE library = LoadLibraryA(path);
        FARPROC entry = library ? GetProcAddress(library, "HtmlHelpA") : nullptr;
        return reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(entry));
    }();
    return htmlHelp;
}

// The help file's contents, on behalf of the box's owner: through HTML Help where the host
// names MEZURA.CHM, else (and where HTML Help cannot be loaded) through the Windows help
// engine on MEZURA.HLP, as always.
void OpenHelpContents() {
    const char* helpFile = HelpFileFor(HostMajorVersion());
    HtmlHelpFunction htmlHelp = helpFile == kHtmlHelpFile ? LoadHtmlHelp() : nullptr;
    if (htmlHelp) {
        wsprintfA(g_szLabel, "%s%s", g_szAddinDirectory, kHtmlHelpFile);
        htmlHelp(g_hwndOwner, g_szLabel, kHtmlHelpDisplayToc, 0);
        return;
    }
    wsprintfA(g_szLabel, "%s%s", g_szAddinDirectory, kWinHelpFile);
    WinHelpA(g_hwndOwner, g_szLabel, HELP_CONTENTS, 0);
}

void CentreOnScreen(HWND dialog) {
    RECT box;
    GetWindowRect(dialog, &box);
    int width = box.right - box.left;
    int height = box.bottom - box.top;
    SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

BOOL OnInitDialog(HWND dialog) {
    CentreOnScreen(dialog);
    GetModuleFileNameA(g_hInstance, g_szLabel, kLabelSize - 1);
    GetVersionString(g_szLabel, "FileVersion", g_szVersion, kLabelSize - 1);

    // The control's text is the template's at every opening, so the version is appended once.
    int length = GetDlgItemTextA(dialog, IDC_ABOUT_VERSION, g_szLabel, kLabelSize - 1);
    // A version too long for the label is cut at the buffer's end rather than overrunning it.
    lstrcpynA(g_szLabel + length, g_szVersion, kLabelSize - length);
    SetDlgItemTextA(dialog, IDC_ABOUT_VERSION, g_szLabel);

    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_ABOUT_CANCEL)), TRUE);
    return FALSE;  // the focus is set: the dialog manager must not move it
}

void OnCommand(HWND dialog, WORD command) {
    if (command == IDC_ABOUT_HELP) OpenHelpContents();
    EndDialog(dialog, 0);
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

extern "C" int __stdcall about_dlg(HWND owner) {
    g_hwndOwner = owner;
    return static_cast<int>(DialogBoxParamA(g_hInstance, "About", owner, AboutProc, 0));
}

XLL_EXPORT short XLLAPI MezuraHelp() {
    XLOPER window = UnwrittenAnswer();
    HWND owner = nullptr;
    // The host names its window by the low 16 bits of the handle; Windows sign-extends such
    // handles. A host that names none gets a box of no owner rather than none at all.
    if (Excel4(xlGetHwnd, &window, 0) == xlretSuccess) {
        HostRecordGuard release(&window);
        if (window.xltype == xltypeInt) owner = reinterpret_cast<HWND>(static_cast<INT_PTR>(window.val.w));
    }
    about_dlg(owner);
    return 0;
}
