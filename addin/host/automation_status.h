// The status of the automation path: the host's return codes, the add-in's own failure and OLE's statuses, each entered by name.
#pragma once

#include <cstdint>

#include "xloper.h"

// Three kinds of status meet on this path, and the coercion entry and StartAutomation hand
// each on unchanged in one int: Excel4's return codes, the add-in's own failure of a step that
// is no host call (32, the host's own failure code, which the add-in also uses), and OLE's
// statuses. They share the int but not their meaning: 0 is success for the first two, while
// OLE counts every status that is not negative as success. So a status enters only through the
// maker that names its kind and leaves only through code(), and none passes for another.
class AutomationStatus {
public:
    static constexpr AutomationStatus Success() { return AutomationStatus(0); }
    // What Excel4 returned: xlretSuccess, xlretInvCount, xlretFailed or any other code.
    static constexpr AutomationStatus FromHost(int excel4Return) { return AutomationStatus(excel4Return); }
    // The add-in's own failure of a step that is no host call.
    static constexpr AutomationStatus OwnFailure() { return AutomationStatus(xlretFailed); }
    // An OLE status (HRESULT): a failure as it is, any success as success.
    static constexpr AutomationStatus FromOle(int32_t status) { return AutomationStatus(status < 0 ? status : 0); }

    constexpr bool Succeeded() const { return code_ == 0; }
    // The one int of the interfaces that hand the status on.
    constexpr int code() const { return code_; }

private:
    explicit constexpr AutomationStatus(int code) : code_(code) {}
    int code_;
};

static_assert(AutomationStatus::FromOle(1).Succeeded(), "S_FALSE is an OLE success");
static_assert(!AutomationStatus::FromOle(static_cast<int32_t>(0x80004005u)).Succeeded(), "E_FAIL stays a failure");
