// The add-in's link to the running host: the registered instance check, the version text and the automation connection.
#include "automation.h"

#include <cstdlib>
#include <cstring>

#include "addin_syscalls.h"
#include "coerce.h"

bool g_fCheckingInstance = false;
bool g_fInstanceConfirmed = false;
char g_szExcelVersion[8] = "      ";

namespace {

// Counted strings handed to the host for CheckInstance's registration.
char g_szCheckInstanceName[] = "\x0D" "CheckInstance";
char g_szCheckInstanceType[] = "\x01" "J";

// The register id of CheckInstance, when the host has one for it.
bool FindCheckInstanceId(XLOPER* path, XLOPER* id) {
    XLOPER name = TextRecord(g_szCheckInstanceName);
    XLOPER answer = UnwrittenAnswer();
    if (Excel4(xlfRegisterId, &answer, 2, path, &name) != xlretSuccess) return false;
    HostRecordGuard release(&answer);
    if (answer.xltype != xltypeNum) return false;
    *id = answer;
    return true;
}

}  // namespace

bool GetAddinPath(XLOPER* path) {
    StoreError(path, xlerrValue);  // until the host writes it
    if (Excel4(xlGetName, path, 0) != xlretSuccess) return false;
    if (path->xltype == xltypeStr) return true;  // the caller gives it back
    HostRecordGuard release(path);
    return false;
}

AutomationStatus KeepDLLLoaded() {
    XLOPER path;
    if (!GetAddinPath(&path)) return AutomationStatus::OwnFailure();
    HostRecordGuard releasePath(&path);

    XLOPER id;
    if (FindCheckInstanceId(&path, &id)) return AutomationStatus::Success();

    // Registering a function of the add-in keeps the host from unloading it while registered.
    XLOPER name = TextRecord(g_szCheckInstanceName);
    XLOPER type = TextRecord(g_szCheckInstanceType);
    XLOPER answer = UnwrittenAnswer();
    if (Excel4(xlfRegister, &answer, 3, &path, &name, &type) == xlretSuccess) {
        HostRecordGuard release(&answer);
        if (answer.xltype == xltypeNum) return AutomationStatus::Success();
    }
    g_addinSyscalls.OutputDebugStringA("KeepDLLLoaded Failed\n");
    return AutomationStatus::OwnFailure();
}

AutomationStatus ReadHostVersion() {
    XLOPER which = IntRecord(2);  // the host's version text
    XLOPER answer = UnwrittenAnswer();
    int status = Excel4(xlfGetWorkspace, &answer, 1, &which);
    if (status != xlretSuccess) return AutomationStatus::FromHost(status);
    HostRecordGuard release(&answer);
    if (answer.xltype != xltypeStr || !answer.val.str) return AutomationStatus::OwnFailure();

    size_t length = static_cast<unsigned char>(answer.val.str[0]);
    if (length > sizeof g_szExcelVersion - 1) length = sizeof g_szExcelVersion - 1;
    std::memcpy(g_szExcelVersion, answer.val.str + 1, length);
    g_szExcelVersion[length] = 0;
    return AutomationStatus::Success();
}

int HostMajorVersion() { return std::atoi(g_szExcelVersion); }

AutomationStatus StartAutomation() {
    StopAutomation();
    if (!KeepDLLLoaded().Succeeded()) return kAutomationFailed;
    AutomationStatus status = ReadHostVersion();
    if (std::strcmp(g_szExcelVersion, "8.0") == 0) return ConnectToHost();
    return status;
}

void StopAutomation() {
    ReleaseHostConnection();
    XLOPER path;
    if (!GetAddinPath(&path)) return;
    HostRecordGuard releasePath(&path);
    XLOPER id;
    if (FindCheckInstanceId(&path, &id)) Excel4(xlfUnregister, nullptr, 1, &id);
}

XLL_EXPORT int XLLAPI CheckInstance() {
    if (g_fCheckingInstance) g_fInstanceConfirmed = true;
    return 1;
}
