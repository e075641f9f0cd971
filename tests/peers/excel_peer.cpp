// A stand-in Excel for the installer's tests: writes the command line it was started with to
// EXCEL.LOG beside itself and exits; started with /stay it then keeps running (for up to two
// minutes, or until it is ended), as an Excel the user left open. Built with a version block
// (excel_version.rc) and for both bitnesses it also stands for the Excel versions the installer
// tells apart.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    char* slash = std::strrchr(path, '\\');
    lstrcpyA(slash ? slash + 1 : path, "EXCEL.LOG");
    HANDLE log = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return 1;
    const char* line = GetCommandLineA();
    DWORD written = 0;
    WriteFile(log, line, DWORD(std::strlen(line)), &written, nullptr);
    CloseHandle(log);
    if (std::strstr(arguments, "/stay")) Sleep(120000);
    return 0;
}
