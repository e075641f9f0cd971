// The DLL entry point: only the attach to the process does work, and it always succeeds.
#include "addin_module.h"
#include "xloper.h"

#ifdef _WIN32
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) AttachAddin(instance);
    return TRUE;
}
#else
// The emulated host's loader calls this after dlopen, as the Windows loader would.
XLL_EXPORT int DllMain(void* instance, unsigned reason, void*) {
    if (reason == 1) AttachAddin(instance);
    return 1;
}
#endif
