// Host values made from automation answers: texts, arrays laid out row by row, and what is refused.
#ifdef _WIN32
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "addin/host/intermediate_value.h"
#include "addin/host/addin_syscalls.h"
#include "syscall_swap.h"

namespace {

class IntermediateValueTest : public ::testing::Test {
protected:

    static VARIANT Text(const wchar_t* text) {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocString(text);
        return v;
    }

    // A rows x columns array of variants as the host's Range.Value answers it: the first
    // index (the row) fastest. `cell(i, j)` makes each element.
    template <typename Make>
    static VARIANT Array(LONG rows, LONG columns, Make cell) {
        SAFEARRAYBOUND bounds[2] = {{ULONG(rows), 1}, {ULONG(columns), 1}};
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_ARRAY | VT_VARIANT;
        v.parray = SafeArrayCreate(VT_VARIANT, 2, bounds);
        for (LONG i = 0; i < rows; ++i)
            for (LONG j = 0; j < columns; ++j) {
                LONG index[2] = {i + 1, j + 1};
                VARIANT element = cell(i, j);
                SafeArrayPutElement(v.parray, index, &element);
                VariantClear(&element);
            }
        return v;
    }
};

std::string Chars(const char* counted) { return std::string(counted + 1, static_cast<unsigned char>(counted[0])); }

int g_allocations = 0;
void* CountedAllocate(size_t bytes) {
    ++g_allocations;
    return std::malloc(bytes);
}
void* NoHeap(size_t) { return nullptr; }
int WINAPI NoConversion(UINT, DWORD, LPCWCH, int, LPSTR, int, LPCCH, LPBOOL) { return 0; }
HRESULT WINAPI NoAccess(SAFEARRAY*, void**) { return E_UNEXPECTED; }

TEST_F(IntermediateValueTest, TextsBecomeCountedStringsCutAt255Characters) {
    struct Row { std::wstring text; std::string expected; };
    const Row rows[] = {
        {L"feet", "feet"},
        {L"", ""},
        {L"deg. C", "deg. C"},
        {std::wstring(255, L'x'), std::string(255, 'x')},
        {std::wstring(256, L'y'), std::string(255, 'y')},
        {std::wstring(1000, L'z'), std::string(255, 'z')},
    };
    for (const Row& row : rows) {
        VARIANT value = Text(row.text.c_str());
        XLOPER intermediate{};
        ASSERT_EQ(MakeIntermediateValue(&value, &intermediate).code(), 0) << row.text.size();
        EXPECT_EQ(intermediate.xltype, xltypeStr);
        EXPECT_EQ(Chars(intermediate.val.str), row.expected) << row.text.size() << " characters";
        FreeIntermediateValue(&intermediate);
        VariantClear(&value);
    }
}

TEST_F(IntermediateValueTest, ArraysKeepTheRangesLayoutRowByRow) {
    // 3 rows, 2 columns: the cell of row i, column j holds 10 * i + j.
    VARIANT value = Array(3, 2, [](LONG i, LONG j) {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_R8;
        v.dblVal = 10.0 * i + j;
        return v;
    });
    XLOPER intermediate{};
    ASSERT_EQ(MakeIntermediateValue(&value, &intermediate).code(), 0);
    ASSERT_EQ(intermediate.xltype, xltypeMulti);
    EXPECT_EQ(intermediate.val.array.rows, 3);
    EXPECT_EQ(intermediate.val.array.columns, 2);
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(intermediate.val.array.lparray[k].xltype, xltypeNum);
        EXPECT_EQ(intermediate.val.array.lparray[k].val.num, 10.0 * (k / 2) + k % 2) << "element " << k;
    }
    // The second row's first cell is element number `columns`.
    EXPECT_EQ(intermediate.val.array.lparray[2].val.num, 10.0);
    FreeIntermediateValue(&intermediate);
    VariantClear(&value);
}

TEST_F(IntermediateValueTest, EveryKindOfCellGetsADefinedElement) {
    struct Row { VARTYPE vt; WORD type; double number; const char* what; };
    const Row rows[] = {
        {VT_EMPTY, xltypeNil, 0, "empty"},
        {VT_NULL, xltypeNil, 0, "null"},
        {VT_I2, xltypeInt, -7, "16-bit integer"},
        {VT_R8, xltypeNum, 2.5, "double"},
        {VT_DATE, xltypeNum, 36000.25, "date serial"},
        {VT_I4, xltypeNum, 100000, "32-bit integer"},
        {VT_CY, xltypeNum, 12.3456, "currency"},
        {VT_BOOL, xltypeBool, 1, "boolean"},
        {VT_BSTR, xltypeStr, 0, "text"},
        {VT_ERROR, xltypeErr, xlerrName, "any error is #NAME?"},
        {VT_R4, xltypeErr, xlerrValue, "another kind is #VALUE!"},
        {VT_UI1, xltypeErr, xlerrValue, "another kind is #VALUE!"},
    };
    const size_t count = sizeof rows / sizeof rows[0];
    VARIANT value = Array(1, LONG(count), [&](LONG, LONG j) {
        VARIANT v;
        VariantInit(&v);
        v.vt = rows[j].vt;
        switch (rows[j].vt) {
        case VT_I2: v.iVal = -7; break;
        case VT_R8: v.dblVal = 2.5; break;
        case VT_DATE: v.date = 36000.25; break;
        case VT_I4: v.lVal = 100000; break;
        case VT_CY: v.cyVal.int64 = 123456; break;
        case VT_BOOL: v.boolVal = VARIANT_TRUE; break;
        case VT_BSTR: v.bstrVal = SysAllocString(L"inches"); break;
        case VT_ERROR: v.scode = 0x800A07E7; break;  // #DIV/0! as the host answers it
        case VT_R4: v.fltVal = 1.5f; break;
        case VT_UI1: v.bVal = 3; break;
        default: break;
        }
        return v;
    });
    XLOPER intermediate{};
    ASSERT_EQ(MakeIntermediateValue(&value, &intermediate).code(), 0);
    for (size_t k = 0; k < count; ++k) {
        const XLOPER& element = intermediate.val.array.lparray[k];
        const Row& row = rows[k];
        EXPECT_EQ(element.xltype, row.type) << row.what;
        switch (row.type) {
        case xltypeNum: EXPECT_DOUBLE_EQ(element.val.num, row.number) << row.what; break;
        case xltypeInt: EXPECT_EQ(element.val.w, -7) << row.what; break;
        case xltypeBool: EXPECT_EQ(element.val.xbool, 1) << row.what; break;
        case xltypeErr: EXPECT_EQ(element.val.err, WORD(row.number)) << row.what; break;
        case xltypeStr: EXPECT_EQ(Chars(element.val.str), "inches") << row.what; break;
        default: break;
        }
    }
    FreeIntermediateValue(&intermediate);
    VariantClear(&value);
}

TEST_F(IntermediateValueTest, RangesTheCountsCannotDescribeAreRefusedBeforeAnyAllocation) {
    struct Row { LONG rows, columns; int status; const char* what; };
    const Row rows[] = {
        {65535, 1, 0, "65535 rows fit"},
        {65536, 1, xlretFailed, "65536 rows"},
        {256, 256, xlretFailed, "65536 cells"},
        {1, 65536, xlretFailed, "65536 columns"},
        {300, 300, xlretFailed, "90000 cells"},
    };
    for (const Row& row : rows) {
        SAFEARRAYBOUND bounds[2] = {{ULONG(row.rows), 0}, {ULONG(row.columns), 0}};
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_ARRAY | VT_VARIANT;
        value.parray = SafeArrayCreate(VT_VARIANT, 2, bounds);
        ASSERT_NE(value.parray, nullptr) << row.what;
        g_allocations = 0;
        SyscallSwap<AddinSyscalls> counted(g_addinSyscalls);
        counted.Use(&AddinSyscalls::malloc, CountedAllocate);
        XLOPER intermediate{};
        intermediate.xltype = xltypeMissing;
        EXPECT_EQ(MakeIntermediateValue(&value, &intermediate).code(), row.status) << row.what;
        if (row.status != 0) {
            EXPECT_EQ(g_allocations, 0) << row.what << ": refused only after allocating";
            EXPECT_EQ(intermediate.xltype, xltypeMissing) << row.what << ": written on failure";
        } else {
            FreeIntermediateValue(&intermediate);
        }
        VariantClear(&value);
    }
}

TEST_F(IntermediateValueTest, FailuresLeaveNothingAllocatedAndAnswerTheirStatus) {
    auto oneText = [](LONG, LONG) {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocString(L"feet");
        return v;
    };
    VARIANT array = Array(2, 2, oneText);
    VARIANT text = Text(L"feet");
    VARIANT number;
    VariantInit(&number);
    number.vt = VT_R8;
    number.dblVal = 1;

    using Swap = SyscallSwap<AddinSyscalls>;
    using Fault = void (*)(Swap&);
    struct Row { VARIANT* value; Fault fault; int status; const char* what; };
    const Row rows[] = {
        {&number, [](Swap&) {}, xlretFailed, "a single number is not read"},
        {&text, [](Swap& s) { s.Use(&AddinSyscalls::malloc, NoHeap); }, xlretFailed, "no heap for a text"},
        {&text, [](Swap& s) { s.Use(&AddinSyscalls::WideCharToMultiByte, NoConversion); }, xlretFailed,
         "text not convertible"},
        {&array, [](Swap& s) { s.Use(&AddinSyscalls::malloc, NoHeap); }, int(E_FAIL), "no heap for the elements"},
        {&array, [](Swap& s) { s.Use(&AddinSyscalls::SafeArrayAccessData, NoAccess); }, int(E_UNEXPECTED),
         "no access to the data"},
        {&array, [](Swap& s) { s.Use(&AddinSyscalls::WideCharToMultiByte, NoConversion); }, xlretFailed,
         "a text element fails"},
    };
    for (const Row& row : rows) {
        Swap faulty(g_addinSyscalls);
        row.fault(faulty);
        XLOPER intermediate{};
        intermediate.xltype = xltypeMissing;
        EXPECT_EQ(MakeIntermediateValue(row.value, &intermediate).code(), row.status) << row.what;
        EXPECT_EQ(intermediate.xltype, xltypeMissing) << row.what;
    }
    // The array can still be read once the faults are gone, so the failed read left it unlocked.
    XLOPER intermediate{};
    ASSERT_EQ(MakeIntermediateValue(&array, &intermediate).code(), 0);
    FreeIntermediateValue(&intermediate);
    VariantClear(&array);
    VariantClear(&text);
}

}  // namespace
#endif
