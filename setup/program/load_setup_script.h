// LoadSetupScript: reads SETUP.INF from disk and parses it into the script record (Windows).
#pragma once

#include <windows.h>

// Reads the script at `path` (at most kScriptBufferSize - 1 bytes) under the wait cursor and
// parses it into g_setupScript. Returns 0, or the message to show: IDS_NO_MEMORY when the read
// buffer cannot be allocated, IDS_SCRIPT_NOT_FOUND when the file cannot be opened,
// IDS_SCRIPT_ERROR when the script is too long or does not parse.
WORD LoadSetupScript(LPCSTR path);

// Loads the distribution's script, "SETUP.INF" in sourceDir. On failure shows the loader's
// message (task-modal, the script's path as argument), records the outcome of a silent run and
// answers false.
bool LoadDistributionScript();
