// Test fixture: a fresh emulated Excel for each test, and a balanced ledger required after it.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "addin/host/platform.h"
#include "addin_loader.h"
#include "emulated_excel.h"
#include "x87_precision.h"

// Each test starts with the x87 unit at the 53-bit precision Excel calculates with.
class HostTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// The built add-in loaded as Excel loads it: from a thread calculating with 53-bit precision,
// which the add-in's attach must switch to 64-bit mantissas.
class LoadedAddinTest : public HostTest {
protected:
    void SetUp() override;
    void TearDown() override;
    xlhost::LoadedAddin addin_;
};

// The built add-in loaded and opened (xlAutoOpen, its functions registered), closed after.
class OpenedAddinTest : public LoadedAddinTest {
protected:
    void SetUp() override;
    void TearDown() override;

private:
    bool opened_ = false;
};

// The module whose string table the tests load from (the test program itself).
HINSTANCE TestInstance();

// The built add-in beside the test program: MEZURA32.xll, MEZURA64.xll, or MEZURA32.so natively.
std::string AddinModulePath();

// The x87 precision control, shared with the export fuzzer.
using xlhost::ReadPrecisionControl;
using xlhost::SetPrecisionControl;

// Records to hand to the add-in or the host, built the way Excel builds them.
XLOPER Num(double value);
XLOPER Int(short value);
XLOPER Bool(bool value);
XLOPER Err(WORD code);
XLOPER Missing();
XLOPER Nil();
XLOPER CellRef(int row, int column);  // xltypeSRef on the calling sheet
XLOPER AreaRef(int rowFirst, int rowLast, int columnFirst, int columnLast);

// A counted text the test owns, to pass as an argument.
class CountedText {
public:
    explicit CountedText(const std::string& text);
    char* get() { return &bytes_[0]; }
    XLOPER Record();

private:
    std::string bytes_;
};

// The characters of a counted string.
std::string TextOf(const char* counted);
