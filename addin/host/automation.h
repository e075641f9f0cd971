// The add-in's link to the running host: the registered instance check and the host's version text.
#pragma once

#include "xloper.h"

// The status StartAutomation answers when CheckInstance cannot be registered.
constexpr int kAutomationFailed = static_cast<int>(0x80004005u);  // E_FAIL

// True only while this copy of the add-in is running its own instance check.
extern bool g_fCheckingInstance;
// Set by CheckInstance during that check; stays set while the add-in is loaded.
extern bool g_fInstanceConfirmed;
// The host's version text as last read: up to 7 characters; six blanks until read.
extern char g_szExcelVersion[8];

// Registers CheckInstance with the host when it is not registered yet; 0 on success, else 32.
int KeepDLLLoaded();
// Reads the host's version text into g_szExcelVersion; 0, the host's code, or 32.
int ReadHostVersion();
// Stops what a previous start left, registers CheckInstance and reads the version.
int StartAutomation();
// Releases what StartAutomation set up and unregisters CheckInstance.
void StopAutomation();

// Exported: the host runs it through the instance-check macro. Answers 1.
XLL_EXPORT int XLLAPI CheckInstance();
