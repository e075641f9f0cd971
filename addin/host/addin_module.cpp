// Process-wide state of the loaded add-in and the work done when Windows attaches it.
#include "addin_module.h"

#include <cfloat>
#include <cstdint>

#include "addin_directory.h"
#include "extended_precision.h"
#include "host_records.h"
#include "registration_table.h"
#include "units/unit_catalogue.h"

static_assert(LDBL_MANT_DIG == 64, "intermediate results need the x87 80-bit format");

HINSTANCE g_hInstance;

namespace {

// The loading thread's control word before the attach switched it, until the first opening.
struct AttachPrecision {
    bool pending = false;
    DWORD thread = 0;
    uint16_t found = 0;
} g_attachPrecision;

}  // namespace

void SetExtendedPrecision() {
    WriteX87Control(ReadX87Control() | kX87PrecisionField);
}

void SettleAttachPrecision(bool excel12) {
    if (!g_attachPrecision.pending) return;
    g_attachPrecision.pending = false;
    if (excel12 && GetCurrentThreadId() == g_attachPrecision.thread) WriteX87Control(g_attachPrecision.found);
}

void AttachAddin(HINSTANCE instance) {
    g_attachPrecision = {true, GetCurrentThreadId(), ReadX87Control()};
    SetExtendedPrecision();
    g_hInstance = instance;
    PrepareAddinTables();
    PrepareUnitLabels();
    PrepareConstantErrorRecords();
    RecordAddinDirectory(instance);
}
