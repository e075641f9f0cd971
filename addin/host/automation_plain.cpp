// Builds without the host's automation model: every coercion takes the plain path.
#include "automation.h"
#include "coerce.h"

const bool kAutomationPathBuilt = false;
bool g_fMessageShown = false;

AutomationStatus ConnectToHost() { return AutomationStatus::Success(); }

void ReleaseHostConnection() {}

int CoerceThroughAutomation(XLOPER* result, int, XLOPER* source, XLOPER*, XLOPER* wanted) {
    return Excel4(xlCoerce, result, 2, source, wanted);
}
