// The host's callback library: Excel4 gathers its arguments and hands them to the emulated Excel.
#include "xlcall32.h"

#include <cstdarg>

static Excel4Handler g_handler;

extern "C" XLCALL_EXPORT void SetExcel4Handler(Excel4Handler handler) {
    g_handler = handler;
}

extern "C" XLCALL_EXPORT int Excel4(int xlfn, XLOPER* result, int count, ...) {
    if (count < 0 || count > kMaxExcel4Args) return xlretInvCount;
    XLOPER* args[kMaxExcel4Args];
    va_list list;
    va_start(list, count);
    for (int i = 0; i < count; ++i) args[i] = va_arg(list, XLOPER*);
    va_end(list);
    return g_handler ? g_handler(xlfn, result, count, args) : xlretFailed;
}
