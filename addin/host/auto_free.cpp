// xlAutoFree: the host hands back a block the add-in returned with xlbitDLLFree set.
#include <cstdlib>

#include "xloper.h"

// Every returned block is one allocation starting at its top record (an owned text record,
// a conversion result with its elements), so one free releases all of it, whatever its type.
XLL_EXPORT void XLLAPI xlAutoFree(XLOPER* record) {
    std::free(record);
}
