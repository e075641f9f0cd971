// Which of the host's interfaces the add-in registers its worksheet functions through, and the Excel12 call of the newer one.
#include "host_interface.h"

#include <cstdarg>

#include "automation.h"

#ifndef _WIN32
#include <dlfcn.h>
#endif

HostInterface g_hostInterface = HostInterface::Excel4;

namespace {

// The first version with Excel12, XLOPER12 records and multi-threaded recalculation: Excel 2007.
constexpr int kFirstExcel12Version = 12;

// Excel12 takes up to 255 arguments, as worksheet functions may since Excel 2007.
constexpr int kMostExcel12Arguments = 255;

// Written by xlAutoOpen, on the host's main thread before any recalculation thread calls a
// function; only read after.
Excel12Entry g_excel12Entry = nullptr;

// Excel exports its Excel12 entry from its own program, not from XLCALL32, so it is looked up
// in the program that loaded the add-in; on Linux the emulated Excel exports it the same way.
Excel12Entry FindExcel12Entry() {
#ifdef _WIN32
    HMODULE program = GetModuleHandleA(nullptr);
    if (!program) return nullptr;
    return reinterpret_cast<Excel12Entry>(reinterpret_cast<void*>(GetProcAddress(program, kExcel12EntryName)));
#else
    void* program = dlopen(nullptr, RTLD_NOW);
    if (!program) return nullptr;
    auto entry = reinterpret_cast<Excel12Entry>(dlsym(program, kExcel12EntryName));
    dlclose(program);
    return entry;
#endif
}

}  // namespace

HostInterface ChooseHostInterface(int hostVersion, bool excel12Offered) {
    return hostVersion >= kFirstExcel12Version && excel12Offered ? HostInterface::Excel12 : HostInterface::Excel4;
}

void ChooseInterfaceForOpeningHost() {
    int version = HostMajorVersion();
    g_excel12Entry = version >= kFirstExcel12Version ? FindExcel12Entry() : nullptr;
    g_hostInterface = ChooseHostInterface(version, g_excel12Entry != nullptr);
}

int Excel12(int xlfn, XLOPER12* result, int count, ...) {
    Excel12Entry entry = g_excel12Entry;
    if (!entry) return xlretFailed;
    if (count < 0 || count > kMostExcel12Arguments) return xlretInvCount;
    XLOPER12* arguments[kMostExcel12Arguments];
    va_list list;
    va_start(list, count);
    for (int i = 0; i < count; ++i) arguments[i] = va_arg(list, XLOPER12*);
    va_end(list);
    return entry(xlfn, count, arguments, result);
}
