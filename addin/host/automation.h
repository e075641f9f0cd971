// The add-in's link to the running host: the registered instance check, the version text and the automation connection.
#pragma once

#include "automation_status.h"
#include "xloper.h"

// What StartAutomation answers when CheckInstance cannot be registered: OLE's E_FAIL.
constexpr AutomationStatus kAutomationFailed = AutomationStatus::FromOle(static_cast<int32_t>(0x80004005u));

// True only while this copy of the add-in is running its own instance check.
extern bool g_fCheckingInstance;
// Set by CheckInstance during that check; stays set while the add-in is loaded.
extern bool g_fInstanceConfirmed;
// The host's version text as last read: up to 7 characters; six blanks until read.
extern char g_szExcelVersion[8];
// The message asking to close other copies of the host has been shown; never cleared.
extern bool g_fMessageShown;
// Whether this build reads references through the host's automation model (Windows) or
// always takes the plain path (builds without OLE).
extern const bool kAutomationPathBuilt;

// The add-in's full path as the host reports it; false (and nothing to release) without a text.
bool GetAddinPath(XLOPER* path);

// Registers CheckInstance with the host when it is not registered yet; success, or the
// add-in's own failure.
AutomationStatus KeepDLLLoaded();
// Reads the host's version text into g_szExcelVersion; success, the host's code, or the
// add-in's own failure when the answer is no text.
AutomationStatus ReadHostVersion();
// The host's major version from its version text ("12.0" gives 12); 0 until it is read.
int HostMajorVersion();
// Stops what a previous start left, registers CheckInstance, reads the version and, for
// version "8.0", connects to the host's automation object and confirms it.
AutomationStatus StartAutomation();
// Releases what StartAutomation set up and unregisters CheckInstance.
void StopAutomation();

// Finds and confirms the host's Application object and takes its Workbooks; success or the
// OLE status of the step that failed.
AutomationStatus ConnectToHost();
// Releases the Application and Workbooks objects and ends the add-in's own OLE.
void ReleaseHostConnection();
// The coercion entry once every test of its second path has passed: reads through the
// confirmed host, or tells the user once that no host could be confirmed and retries.
// `wanted` is the settled type record; `count` and `typeRecord` are the caller's own.
int CoerceThroughAutomation(XLOPER* result, int count, XLOPER* source, XLOPER* typeRecord, XLOPER* wanted);

// Exported: the host runs it through the instance-check macro. Answers 1.
XLL_EXPORT int XLLAPI CheckInstance();
