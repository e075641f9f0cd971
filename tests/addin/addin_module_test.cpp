// The built add-in module, loaded the way Excel loads it.
#include <algorithm>
#include <cstdint>

#include "addin/host/host_records.h"
#include "addin_loader.h"
#include "xlhost/emulated_excel_fixture.h"

namespace {

typedef void(XLLAPI* AutoFreeFunction)(XLOPER*);

using AddinModuleTest = LoadedAddinTest;

TEST_F(AddinModuleTest, AttachSetsExtendedPrecision) {
    EXPECT_EQ(ReadPrecisionControl(), 0x0300) << "attach must switch the x87 unit to 64-bit mantissas";
}

TEST_F(AddinModuleTest, ExportsItsEntryPointsUnderTheirPlainNames) {
    auto names = xlhost::ListExports(addin_);
    EXPECT_NE(std::find(names.begin(), names.end(), "xlAutoFree"), names.end());
    EXPECT_NE(xlhost::FindExport(addin_, "xlAutoFree"), nullptr);
    EXPECT_EQ(xlhost::FindExport(addin_, "xlAutoFree@4"), nullptr) << "stdcall decoration leaked into the export";
}

TEST_F(AddinModuleTest, AutoFreeReleasesAnOwnedTextRecordAsOneBlock) {
    auto autoFree = reinterpret_cast<AutoFreeFunction>(xlhost::FindExport(addin_, "xlAutoFree"));
    ASSERT_NE(autoFree, nullptr);
    // Under ASan a free of anything but the block's start, or a second free, aborts the test.
    for (UINT id : {2002u, 2015u}) {
        XLOPER* record = MakeOwnedTextRecord(TestInstance(), id);
        ASSERT_NE(record, nullptr);
        autoFree(record);
    }
}

}  // namespace
