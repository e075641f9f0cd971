// The x87 precision the add-in's arithmetic is defined with, set for one computation on whichever thread runs it.
#pragma once

#include <cstdint>

// The precision control field of the x87 control word; all ones select 64-bit mantissas (Excel
// and Windows threads run with 53, 0x0200).
constexpr uint16_t kX87PrecisionField = 0x0300;

inline uint16_t ReadX87Control() {
    uint16_t control = 0;
#if defined(__i386__) || defined(__x86_64__)
    __asm__ volatile("fnstcw %0" : "=m"(control) : : "memory");
#endif
    return control;
}

inline void WriteX87Control(uint16_t control) {
#if defined(__i386__) || defined(__x86_64__)
    __asm__ volatile("fldcw %0" : : "m"(control) : "memory");
#else
    (void)control;
#endif
}

// Within its scope the x87 unit carries 64-bit mantissas; when the scope ends the caller's
// control word is back as it was. A thread already at 64 bits (a 32-bit host's loading
// thread, set at attach) pays one read of the control word.
//
// The compiler knows nothing of the control word and may move arithmetic across the switch,
// but not a call to a function it cannot see into that writes memory: the computation inside
// the scope is such a call (noinline, its result written through a pointer). The precision of
// intermediates is all it changes; Excel is never called within the scope, since the x64
// calling convention wants the standard control word at every call out.
class ExtendedPrecision {
public:
    ExtendedPrecision() : saved_(ReadX87Control()) {
        if ((saved_ & kX87PrecisionField) != kX87PrecisionField) WriteX87Control(saved_ | kX87PrecisionField);
    }
    ~ExtendedPrecision() {
        if ((saved_ & kX87PrecisionField) != kX87PrecisionField) WriteX87Control(saved_);
    }
    ExtendedPrecision(const ExtendedPrecision&) = delete;
    ExtendedPrecision& operator=(const ExtendedPrecision&) = delete;

private:
    uint16_t saved_;
};
