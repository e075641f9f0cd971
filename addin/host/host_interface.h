// Which of the host's interfaces the add-in registers its worksheet functions through, and the Excel12 call of the newer one.
#pragma once

#include "xloper12.h"

enum class HostInterface {
    Excel4,   // XLOPER records and one calculation thread: every host before Excel 2007
    Excel12,  // XLOPER12 records and thread-safe worksheet functions: Excel 2007 and later
};

// The one decision, from the host's major version (HostMajorVersion, from the text
// xlfGetWorkspace(2) answered) and whether the host program offers Excel12: Excel12 from
// version 12 on when it does; Excel4 otherwise.
HostInterface ChooseHostInterface(int hostVersion, bool excel12Offered);

// What the latest opening chose (Excel4 until the add-in is opened). Registration and
// everything else that depends on the host's generation read it here.
extern HostInterface g_hostInterface;

// Decides for the host now opening the add-in, from the version text StartAutomation read.
// The host program is asked for its Excel12 entry only when the version calls for one, so a
// host before Excel 2007 sees nothing it did not see before.
void ChooseInterfaceForOpeningHost();

// Calls the host's Excel12 entry with `count` argument records, the way Excel4 is called;
// xlretFailed when the opening host offered none.
int Excel12(int xlfn, XLOPER12* result, int count, ...);
