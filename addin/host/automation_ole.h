// The automation connection to the host and the reads made through it (Windows builds).
#pragma once

#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

#include "automation_status.h"
#include "xloper.h"

// Locale of every automation name and call, except the Application property (user default).
constexpr LCID kAutomationLocale = 9;
// Automation statuses the add-in answers itself.
constexpr HRESULT kNotAnObject = DISP_E_PARAMNOTFOUND;    // an answer that is not an object
constexpr HRESULT kNotConnected = DISP_E_UNKNOWNINTERFACE;  // a read with no host connected
// DISPATCH_METHOD | DISPATCH_PROPERTYGET, and the property get alone.
constexpr WORD kMethodOrGet = 3, kPropertyGet = 2;

// The confirmed host's Application object and its Workbooks collection; null when not connected.
extern IDispatch* g_pdispXL;
extern IDispatch* g_pdispWorkbooks;
// The add-in's own OleInitialize is in force.
extern bool g_fOleInitialized;

// One GetIDsOfNames and one Invoke of `name` with at most one argument; answers the status.
HRESULT CallByName(IDispatch* on, const wchar_t* name, LCID locale, WORD flags, VARIANT* argument, VARIANT* answer);
// CallByName in the automation locale whose answer must be an object, else kNotAnObject.
HRESULT GetObjectByName(IDispatch* on, const wchar_t* name, WORD flags, VARIANT* argument, IDispatch** object);
// An automation text variant of an ANSI text; false when it cannot be made.
bool MakeTextVariant(const char* text, VARIANT* variant);

// Quiet mode around SearchHostInstance; the search's status.
HRESULT FindHostInstance();
// The active object and the running object table's objects, until one is the loading host.
HRESULT SearchHostInstance();
// Has the host behind g_pdispXL run the instance-check macro.
HRESULT ConfirmInstance();

// The book, sheet and address of a one-area external reference as text variants; success, the
// host's code for the sheet name, or the add-in's own failure (nothing is left made then).
AutomationStatus BuildRangeAddress(XLOPER* reference, VARIANT* book, VARIANT* sheet, VARIANT* address);
// Workbooks.Item(book).Worksheets.Item(sheet).Range(address).Value into `value`.
HRESULT ReadRangeValue(VARIANT* book, VARIANT* sheet, VARIANT* address, VARIANT* value);
// Reads the referenced cells and coerces their value to the wanted type into `result`.
AutomationStatus ReadThroughAutomation(XLOPER* result, XLOPER* typeRecord, XLOPER* reference);
