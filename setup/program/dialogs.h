// The installer's dialogs: WELCOME (directories), STATUS (progress and Cancel), COMPARE (versions).
#pragma once

#include <windows.h>

// Dialog procedures, exported under these names.
extern "C" {
INT_PTR CALLBACK WelcomeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK StatusDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK CompareDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
}

// Moves `window` to the horizontal centre of the screen and 1/`divisor` of the free height
// from the top; size and z-order stay.
void PlaceWindow(HWND window, int divisor);

// Sets the STATUS window's phase (103) and detail (104) texts; a null text stays as it is. A
// phase is also written to the log, with its detail.
void SetStatusTexts(HWND status, LPCSTR phase, LPCSTR detail);

// The two tab stops of COMPARE, in dialog units, from the widest label and the widest source
// value in pixels and the dialog base unit `baseUnitX`: the second is at most 165.
void ComputeTabStops(int widestLabel, int widestSource, int baseUnitX, int stops[2]);
