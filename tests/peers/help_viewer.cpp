// Reading the help engine's window: its topic text lives in a rich edit control among its children.
#include "help_viewer.h"

namespace {

BOOL CALLBACK FindRichEdit(HWND window, LPARAM found) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    CharUpperA(name);
    if (std::string(name).find("RICHEDIT") == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::string ShownHelpText() {
    HWND help = FindWindowA("MS_WINHELP", nullptr);
    if (!help) return "";
    HWND text = nullptr;
    EnumChildWindows(help, FindRichEdit, reinterpret_cast<LPARAM>(&text));
    if (!text) return "";
    LRESULT length = SendMessageA(text, WM_GETTEXTLENGTH, 0, 0);
    std::string shown(static_cast<size_t>(length) + 1, '\0');
    length = SendMessageA(text, WM_GETTEXT, shown.size(), reinterpret_cast<LPARAM>(&shown[0]));
    shown.resize(static_cast<size_t>(length));
    std::string lines;
    for (size_t i = 0; i < shown.size(); ++i) {
        // Paragraph ends come as "\r\n" or a lone "\r", line breaks as "\v".
        if (shown[i] == '\r') lines += shown[i + 1] == '\n' ? "" : "\n";
        else lines += shown[i] == '\v' ? '\n' : shown[i];
    }
    return lines;
}

std::string WaitForHelpTextOtherThan(const std::string& before, DWORD patienceMs) {
    std::string last = before;
    DWORD start = GetTickCount();
    int steady = 0;
    while (GetTickCount() - start < patienceMs) {
        Sleep(100);
        std::string now = ShownHelpText();
        steady = now == last ? steady + 1 : 0;
        last = now;
        if (!now.empty() && now != before && steady >= 3) return now;
    }
    return last;
}

std::string FirstLine(const std::string& text) {
    size_t end = text.find_first_of("\r\n");
    return text.substr(0, end);
}
