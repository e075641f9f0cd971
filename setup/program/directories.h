// The destination directory: its default and its creation.
#pragma once

#include <windows.h>

// Sets destDir to the destination remembered in the user's profile, else to Excel's directory
// followed by the script's DefDir, or to "C:\" and DefDir when there is no directory in
// Excel's command or the two would not fit; cut to destDir's capacity only as a last resort.
void ReadDefaultDir();

// Makes sure destDir exists (creating one level) and leaves it the current directory when it
// existed. Answers 0, or -1 after message 1006.
int CreateDestDir(HWND status);
