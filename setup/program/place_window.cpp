// Placement of the installer's windows on the screen.
#include "setup/program/dialogs.h"

void PlaceWindow(HWND window, int divisor) {
    RECT box;
    GetWindowRect(window, &box);
    int x = (GetSystemMetrics(SM_CXSCREEN) - (box.right - box.left)) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - (box.bottom - box.top)) / divisor;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}
