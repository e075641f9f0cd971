// The host interface both sides share: the value record (XLOPER), its reference records and the numbers of Excel4.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdint>
typedef uint16_t WORD;
typedef uint8_t BYTE;
typedef uint32_t DWORD;
#endif

// One rectangle of cells: rows and columns counted from 0.
struct XLREF {
    WORD rwFirst;
    WORD rwLast;
    BYTE colFirst;
    BYTE colLast;
};

// The area list of an external reference: a count, then that many rectangles.
struct XLMREF {
    WORD count;
    XLREF reftbl[1];
};

// A value union followed by a 16-bit type word. `xbool` is the union's boolean member
// (the word "bool" is taken in C++).
struct XLOPER {
    union {
        double num;
        char* str;  // counted string: length byte, then the characters
        WORD xbool;
        WORD err;
        short w;
        struct {
            WORD count;  // always 1
            XLREF ref;
        } sref;
        struct {
            XLMREF* lpmref;
            DWORD idSheet;
        } mref;
        struct {
            XLOPER* lparray;  // rows x columns elements, row by row
            WORD rows;
            WORD columns;
        } array;
    } val;
    WORD xltype;
};
typedef XLOPER* LPXLOPER;

#if defined(_WIN32) && !defined(_WIN64)
// The 32-bit host reads these records by layout: 8-byte union, type word at offset 8.
static_assert(sizeof(XLOPER) == 16, "XLOPER must be 16 bytes on 32-bit Windows");
static_assert(__builtin_offsetof(XLOPER, xltype) == 8, "XLOPER type word must sit at offset 8");
static_assert(sizeof(XLREF) == 6 && sizeof(XLMREF) == 8, "reference records must match the host");
#elif defined(_WIN64)
// The 64-bit host: the union grows to 16 bytes (the array and external-reference members hold a
// pointer and more), so the type word sits at offset 16 and the record is 24 bytes.
static_assert(sizeof(XLOPER) == 24, "XLOPER must be 24 bytes on 64-bit Windows");
static_assert(__builtin_offsetof(XLOPER, xltype) == 16, "XLOPER type word must sit at offset 16");
static_assert(sizeof(XLREF) == 6 && sizeof(XLMREF) == 8, "reference records must match the host");
#endif

// Type codes. A record is "of a type" only when its whole type word equals the code.
enum : WORD {
    xltypeNum = 0x0001,
    xltypeStr = 0x0002,
    xltypeBool = 0x0004,
    xltypeRef = 0x0008,
    xltypeErr = 0x0010,
    xltypeMulti = 0x0040,
    xltypeMissing = 0x0080,
    xltypeNil = 0x0100,
    xltypeSRef = 0x0400,
    xltypeInt = 0x0800,
    xlbitDLLFree = 0x4000,  // allocated by the add-in; the host hands it back to xlAutoFree
};

// Error codes the add-in answers.
enum : WORD {
    xlerrValue = 15,  // #VALUE!
    xlerrName = 29,   // #NAME?
};

// Return codes of Excel4 and Excel12.
enum : int {
    xlretSuccess = 0,
    xlretInvCount = 4,
    xlretFailed = 32,
    xlretUncalced = 64,        // the value of a cell not yet calculated was asked for
    xlretNotThreadSafe = 128,  // a thread-safe function asked for a service that is not
};

// Host function numbers.
enum : int {
    xlFree = 0x4000,
    xlCoerce = 0x4002,
    xlSheetNm = 0x4005,
    xlGetHwnd = 0x4008,
    xlGetName = 0x4009,
    xlfOr = 37,
    xlfSetName = 88,
    xlfIstext = 127,
    xlfRegister = 149,
    xlfAddCommand = 153,
    xlfDeleteCommand = 159,
    xlfGetWorkspace = 186,
    xlfUnregister = 201,
    xlfRegisterId = 267,
    xlcClose = 0x8010,
    xlcActivate = 0x8067,
    xlcAlert = 0x8076,
    xlcNew = 0x8077,
    xlcEcho = 0x808D,
};

// Calling convention of the add-in's exports: stdcall on 32-bit Windows, the platform's own elsewhere.
#if defined(_WIN32) && !defined(_WIN64)
#define XLLAPI __stdcall
#else
#define XLLAPI
#endif

// Exported entry points: named by the .def file on Windows, by default visibility elsewhere.
#if defined(_WIN32)
#define XLL_EXPORT extern "C"
#else
#define XLL_EXPORT extern "C" __attribute__((visibility("default")))
#endif

// The host callback, imported from XLCALL32 (on 32-bit Windows by ordinal 2, on 64-bit by name).
extern "C" int Excel4(int xlfn, XLOPER* result, int count, ...);
