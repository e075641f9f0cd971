// xlAutoFree and xlAutoFree12: the host hands back a block the add-in returned with xlbitDLLFree set.
#include <cstdlib>

#include "xloper.h"
#include "xloper12.h"

// Every returned block is one allocation starting at its top record (an owned text record,
// a conversion result with its elements), so one free releases all of it, whatever its type.
XLL_EXPORT void XLLAPI xlAutoFree(XLOPER* record) {
    std::free(record);
}

// The same for the Excel12 path, called on the thread that received the block. No block of the
// add-in is shared between threads, so nothing here needs a lock.
XLL_EXPORT void XLLAPI xlAutoFree12(XLOPER12* record) {
    std::free(record);
}
