// LoadSetupScript: reads SETUP.INF from disk and parses it into the script record (Windows).
#pragma once

#include <windows.h>

// Message ids the loader answers with (0 on success).
constexpr WORD kMsgNoMemory = 1003;        // the read buffer cannot be allocated
constexpr WORD kMsgScriptNotFound = 1004;  // the script file cannot be opened
constexpr WORD kMsgScriptError = 1010;     // the script is too long or does not parse

// Reads the script at `path` (at most kScriptBufferSize - 1 bytes) under the wait cursor and
// parses it into g_setupScript. Returns 0 or one of the message ids above.
WORD LoadSetupScript(LPCSTR path);
