// xlAutoRegister: the host asks the add-in to register one of its functions by procedure name.
#include "register_function.h"

#include "counted_text.h"
#include "host_records.h"

static XLOPER g_autoRegisterAnswer;

XLL_EXPORT XLOPER* XLLAPI xlAutoRegister(XLOPER* name) {
    StoreError(&g_autoRegisterAnswer, xlerrValue);
    // Only a text can name a procedure; anything else would be read as a pointer.
    if (!name || name->xltype != xltypeStr || !name->val.str) return &g_autoRegisterAnswer;
    for (const RegistrationEntry* entry = g_registrationTable; !IsSentinelRow(*entry); ++entry) {
        if (CompareCountedText(entry->procedure, name->val.str) == 0) {
            RegisterFunction(*entry, &g_autoRegisterAnswer);
            break;
        }
    }
    return &g_autoRegisterAnswer;
}
