// The add-in manager's entry points: the alerts on adding and removing, and the add-in's long name.
#include <cstdlib>

#include "addin_module.h"
#include "coerce.h"

static XLOPER g_managerInfoAnswer;

namespace {

constexpr UINT kAddedText = 2000;
constexpr UINT kRemovedText = 2001;
constexpr UINT kLongName = 2002;

void Alert(UINT textId) {
    XLOPER* text = MakeOwnedTextRecord(g_hInstance, textId);
    if (!text) return;
    Excel4(xlcAlert, nullptr, 1, text);
    // An argument is never handed to xlAutoFree, flag or not: release it here.
    std::free(text);
}

}  // namespace

XLL_EXPORT int XLLAPI xlAutoAdd() {
    Alert(kAddedText);
    return 1;
}

XLL_EXPORT int XLLAPI xlAutoRemove() {
    Alert(kRemovedText);
    return 1;
}

XLL_EXPORT XLOPER* XLLAPI xlAddInManagerInfo(XLOPER* action) {
    short which;
    if (CoerceInteger(action, &which) && which == 1) {
        if (XLOPER* name = MakeOwnedTextRecord(g_hInstance, kLongName)) return name;
    }
    return StoreError(&g_managerInfoAnswer, xlerrValue);
}
