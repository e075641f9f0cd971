// The built add-in's version resource, read with the Windows version library as the About box reads it.
#ifdef _WIN32
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "xlhost/emulated_excel_fixture.h"

namespace {

typedef DWORD(WINAPI* SizeFunction)(LPCSTR, LPDWORD);
typedef BOOL(WINAPI* InfoFunction)(LPCSTR, DWORD, DWORD, LPVOID);
typedef BOOL(WINAPI* QueryFunction)(LPCVOID, LPCSTR, LPVOID*, PUINT);

template <typename Function>
Function Find(HMODULE library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// The test program does not link the version library; load it as any program may.
class VersionResourceTest : public ::testing::Test {
protected:
    void SetUp() override {
        library_ = LoadLibraryA("version.dll");
        ASSERT_NE(library_, nullptr);
        auto size = Find<SizeFunction>(library_, "GetFileVersionInfoSizeA");
        auto info = Find<InfoFunction>(library_, "GetFileVersionInfoA");
        query_ = Find<QueryFunction>(library_, "VerQueryValueA");
        ASSERT_TRUE(size && info && query_);
        std::string path = AddinModulePath();
        DWORD handle = 0;
        DWORD bytes = size(path.c_str(), &handle);
        ASSERT_GT(bytes, 0u) << "no version resource in " << path;
        data_.resize(bytes);
        ASSERT_TRUE(info(path.c_str(), 0, bytes, data_.data()));
    }
    void TearDown() override {
        if (library_) FreeLibrary(library_);
    }

    HMODULE library_ = nullptr;
    QueryFunction query_ = nullptr;
    std::vector<char> data_;
};

TEST_F(VersionResourceTest, StringBlockHoldsTheProductTexts) {
    struct Row { const char* name; const char* value; };
    const Row rows[] = {
        {"FileVersion", "2.1"},         {"ProductVersion", "2.1"},   {"CompanyName", "Corvane"},
        {"FileDescription", "Mezura Add-in for Excel"},             {"ProductName", "Mezura"},
        {"LegalTrademarks", " "},
#ifdef _WIN64
        {"InternalName", "MEZURA64"},   {"OriginalFilename", "MEZURA64.XLL"},
#else
        {"InternalName", "MEZURA32"},   {"OriginalFilename", "MEZURA32.XLL"},
#endif
    };
    for (const Row& row : rows) {
        std::string key = std::string("\\StringFileInfo\\040904E4\\") + row.name;
        void* value = nullptr;
        UINT length = 0;
        ASSERT_TRUE(query_(data_.data(), key.c_str(), &value, &length)) << row.name << " missing";
        EXPECT_STREQ(static_cast<const char*>(value), row.value) << row.name;
    }
}

TEST_F(VersionResourceTest, FixedPartSaysVersionTwoPointOneOfA32BitDll) {
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(query_(data_.data(), "\\", &value, &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00020001u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00020001u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileOS, DWORD(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, DWORD(VFT_DLL));
}

}  // namespace
#endif
