// Process-wide state of the loaded add-in and the work done when Windows attaches it.
#include "addin_module.h"

#include <cfloat>

#include "addin_directory.h"
#include "registration_table.h"
#include "units/unit_catalogue.h"

static_assert(LDBL_MANT_DIG == 64, "intermediate results need the x87 80-bit format");

HINSTANCE g_hInstance;

void SetExtendedPrecision() {
#if defined(__i386__) || defined(__x86_64__)
    unsigned short control;
    __asm__ volatile("fnstcw %0" : "=m"(control));
    control = static_cast<unsigned short>((control & ~0x0300u) | 0x0300u);  // PC = 11: 64-bit mantissa
    __asm__ volatile("fldcw %0" : : "m"(control));
#endif
}

void AttachAddin(HINSTANCE instance) {
    SetExtendedPrecision();
    g_hInstance = instance;
    PrepareAddinTables();
    PrepareUnitLabels();
    RecordAddinDirectory(instance);
}
