// The built add-in module, loaded the way Excel loads it.
#include <algorithm>
#include <cstdint>

#include "addin/host/counted_text.h"
#include "addin_loader.h"
#include "host_fixture.h"

namespace {

#ifdef _WIN32
const char kModuleName[] = "MEZURA32.xll";
#else
const char kModuleName[] = "MEZURA32.so";
#endif

typedef void(XLLAPI* AutoFreeFunction)(XLOPER*);

uint16_t ReadPrecisionControl() {
    uint16_t control = 0;
#if defined(__i386__) || defined(__x86_64__)
    __asm__ volatile("fnstcw %0" : "=m"(control));
#endif
    return control & 0x0300;
}

void SetPrecisionControl(uint16_t bits) {
#if defined(__i386__) || defined(__x86_64__)
    uint16_t control;
    __asm__ volatile("fnstcw %0" : "=m"(control));
    control = uint16_t((control & ~0x0300) | bits);
    __asm__ volatile("fldcw %0" : : "m"(control));
#endif
}

class AddinModuleTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        // Excel runs its calculation thread with 53-bit precision; start the load from there.
        SetPrecisionControl(0x0200);
        std::string error;
        ASSERT_TRUE(xlhost::LoadAddin(xlhost::BesideProgram(kModuleName), &addin_, &error)) << error;
    }
    void TearDown() override {
        xlhost::UnloadAddin(&addin_);
        SetPrecisionControl(0x0300);
        HostTest::TearDown();
    }
    xlhost::LoadedAddin addin_;
};

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
