// The Excel 2007 host interface both sides share: the wide value record (XLOPER12), its reference records, and Excel12.
#pragma once

#include <cstdint>

#include "xloper.h"

// A character of an XLOPER12 text: one UTF-16 code unit (Windows' WCHAR; char16_t elsewhere,
// where wchar_t is wider).
#ifdef _WIN32
typedef WCHAR XCHAR;
#else
typedef char16_t XCHAR;
#endif

// One rectangle of cells in the larger grid: rows and columns counted from 0, each 32-bit.
struct XLREF12 {
    int32_t rwFirst;
    int32_t rwLast;
    int32_t colFirst;
    int32_t colLast;
};

// The area list of an external reference: a count, then that many rectangles.
struct XLMREF12 {
    WORD count;
    XLREF12 reftbl[1];
};

// The record of Excel 2007 and later: a value union followed by a 32-bit type word. The type
// codes, flag bits and error codes are those of XLOPER. Texts are counted UTF-16: element 0
// holds the length (at most 32767), the characters follow, no terminator is promised. The
// integer is 32-bit.
struct XLOPER12 {
    union {
        double num;
        XCHAR* str;
        int32_t xbool;
        int32_t err;
        int32_t w;
        struct {
            WORD count;  // always 1
            XLREF12 ref;
        } sref;
        struct {
            XLMREF12* lpmref;
            uintptr_t idSheet;
        } mref;
        struct {
            XLOPER12* lparray;  // rows x columns elements, row by row
            int32_t rows;
            int32_t columns;
        } array;
    } val;
    DWORD xltype;
};

// The union is as large as its single reference (20 bytes) rounded to the double's alignment,
// so both 32-bit and 64-bit Windows put the type word at offset 24 of a 32-byte record.
static_assert(sizeof(XLREF12) == 16 && sizeof(XLMREF12) == 20, "reference records must match the host");
static_assert(sizeof(XLOPER12) == 32, "XLOPER12 must be 32 bytes");
static_assert(__builtin_offsetof(XLOPER12, xltype) == 24, "XLOPER12 type word must sit at offset 24");

// The longest text an XLOPER12 holds.
constexpr int kMaxXl12TextLength = 32767;

// Excel12 is no export of XLCALL32: the host program (EXCEL.EXE) exports this entry under the
// name kExcel12EntryName, and an add-in finds it by name in the program that loaded it. Note
// the order of its arguments: the count and the arguments before the result.
typedef int(XLLAPI* Excel12Entry)(int xlfn, int count, XLOPER12** arguments, XLOPER12* result);
constexpr char kExcel12EntryName[] = "MdCallBack12";
