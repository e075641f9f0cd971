// The x87 precision control of the calling thread: Excel calculates with 53 bits, the add-in's arithmetic with 64.
#pragma once

#include <cstdint>

namespace xlhost {

// The precision control bits: 0x0200 is the 53-bit precision Excel calculates with, 0x0300
// the 64-bit mantissas the add-in's arithmetic is defined with.
constexpr uint16_t kPrecision53 = 0x0200;
constexpr uint16_t kPrecision64 = 0x0300;

inline void SetPrecisionControl(uint16_t bits) {
#if defined(__i386__) || defined(__x86_64__)
    uint16_t control;
    __asm__ volatile("fnstcw %0" : "=m"(control));
    control = uint16_t((control & ~0x0300) | bits);
    __asm__ volatile("fldcw %0" : : "m"(control));
#else
    (void)bits;
#endif
}

inline uint16_t ReadPrecisionControl() {
    uint16_t control = 0;
#if defined(__i386__) || defined(__x86_64__)
    __asm__ volatile("fnstcw %0" : "=m"(control));
#endif
    return control & 0x0300;
}

}  // namespace xlhost
