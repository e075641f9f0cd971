// The copy phase: every file of the script through the version-installation service.
#pragma once

#include <windows.h>

#include "setup/script/setup_script.h"

// Installs `count` entries of `files` from sourceDir into destDir, in order. Answers 0 when
// every entry was installed, forced or skipped, 2 when the user confirmed a cancel, -1 after
// an error message.
int CopyFiles(HWND status, const FileEntry* files, int count);

// Shows COMPARE for the temporary copy `tempFile` in `recommendedDir` against `destName` in
// `currentDir`; answers 1 to install the source file, 0 to skip it.
int CompareVersions(HWND owner, LPCSTR recommendedDir, LPCSTR tempFile, LPCSTR currentDir, LPCSTR destName);

// Deletes `name` in `directory`; whether that worked is not examined.
void DeleteTempFile(LPCSTR directory, LPCSTR name);

// Writes `directory`, a backslash unless it ends with one, and `name` into `out` (at most
// size - 1 characters, cut when longer).
void JoinPath(char* out, int size, LPCSTR directory, LPCSTR name);
