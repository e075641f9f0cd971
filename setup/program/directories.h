// The destination directory: its default and its creation.
#pragma once

#include <windows.h>

// Sets destDir to the destination remembered in the user's profile, else to Excel's directory
// (or "C:\") followed by the script's DefDir, cut to destDir's capacity.
void ReadDefaultDir();

// Makes sure destDir exists (creating one level) and leaves it the current directory when it
// existed. Answers 0, or -1 after message 1006.
int CreateDestDir(HWND status);
