// The platform calls of the automation path that tests make fail: one table, the real API by default.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

#include <cstddef>

// Every call the add-in's automation path makes that can fail for reasons outside it. The
// add-in calls through g_oleCalls only; a test swaps entries and puts kPlatformOleCalls back.
struct OleCalls {
    HRESULT(WINAPI* pfnOleInitialize)(LPVOID reserved);
    void(WINAPI* pfnOleUninitialize)();
    HRESULT(WINAPI* pfnCLSIDFromProgID)(LPCOLESTR progId, LPCLSID clsid);
    HRESULT(WINAPI* pfnGetActiveObject)(REFCLSID clsid, void* reserved, IUnknown** object);
    HRESULT(WINAPI* pfnCreateBindCtx)(DWORD reserved, IBindCtx** context);
    BSTR(WINAPI* pfnSysAllocString)(const OLECHAR* text);
    HRESULT(WINAPI* pfnSafeArrayAccessData)(SAFEARRAY* array, void** data);
    int(WINAPI* pfnMultiByteToWideChar)(UINT codePage, DWORD flags, LPCCH text, int length, LPWSTR wide,
                                        int wideLength);
    int(WINAPI* pfnWideCharToMultiByte)(UINT codePage, DWORD flags, LPCWCH wide, int wideLength, LPSTR text,
                                        int length, LPCCH defaultChar, LPBOOL usedDefault);
    int(WINAPI* pfnMessageBoxA)(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
    void(WINAPI* pfnOutputDebugStringA)(LPCSTR text);
    // The heap of intermediate values (texts and element arrays), released with std::free.
    void* (*pfnAllocate)(size_t bytes);
};

extern const OleCalls kPlatformOleCalls;
extern OleCalls g_oleCalls;
