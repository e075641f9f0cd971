// The add-in's link to the running host: the registered instance check, the version text and the automation connection.
#include "automation.h"

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

XLOPER TextRecord(char* counted) {
    XLOPER record{};
    record.xltype = xltypeStr;
    record.val.str = counted;
    return record;
}

// The register id of CheckInstance, when the host has one for it.
bool FindCheckInstanceId(XLOPER* path, XLOPER* id) {
    XLOPER name = TextRecord(g_szCheckInstanceName);
    id->xltype = xltypeErr;
    id->val.err = xlerrValue;
    int status = Excel4(xlfRegisterId, id, 2, path, &name);
    if (status == xlretSuccess && id->xltype == xltypeNum) return true;
    if (status == xlretSuccess) FreeHostRecord(id);
    return false;
}

}  // namespace

bool GetAddinPath(XLOPER* path) {
    path->xltype = xltypeErr;
    path->val.err = xlerrValue;
    if (Excel4(xlGetName, path, 0) != xlretSuccess) return false;
    if (path->xltype != xltypeStr) {
        FreeHostRecord(path);
        return false;
    }
    return true;
}

int KeepDLLLoaded() {
    XLOPER path;
    if (!GetAddinPath(&path)) return xlretFailed;
    HostRecordGuard releasePath(&path);

    XLOPER answer;
    if (FindCheckInstanceId(&path, &answer)) return 0;

    // Registering a function of the add-in keeps the host from unloading it while registered.
    XLOPER name = TextRecord(g_szCheckInstanceName);
    XLOPER type = TextRecord(g_szCheckInstanceType);
    answer.xltype = xltypeErr;
    answer.val.err = xlerrValue;
    int status = Excel4(xlfRegister, &answer, 3, &path, &name, &type);
    if (status == xlretSuccess && answer.xltype == xltypeNum) return 0;
    if (status == xlretSuccess) FreeHostRecord(&answer);
    g_addinSyscalls.OutputDebugStringA("KeepDLLLoaded Failed\n");
    return xlretFailed;
}

int ReadHostVersion() {
    XLOPER which{};
    which.xltype = xltypeInt;
    which.val.w = 2;  // the host's version text
    XLOPER answer;
    answer.xltype = xltypeErr;
    answer.val.err = xlerrValue;
    int status = Excel4(xlfGetWorkspace, &answer, 1, &which);
    if (status != xlretSuccess) return status;
    HostRecordGuard release(&answer);
    if (answer.xltype != xltypeStr || !answer.val.str) return xlretFailed;

    size_t length = static_cast<unsigned char>(answer.val.str[0]);
    if (length > sizeof g_szExcelVersion - 1) length = sizeof g_szExcelVersion - 1;
    std::memcpy(g_szExcelVersion, answer.val.str + 1, length);
    g_szExcelVersion[length] = 0;
    return 0;
}

int StartAutomation() {
    StopAutomation();
    if (KeepDLLLoaded() != 0) return kAutomationFailed;
    int status = ReadHostVersion();
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
