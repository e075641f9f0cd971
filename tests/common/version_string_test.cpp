// The version reader on the built add-in and on files that hold no version resource.
#ifdef _WIN32
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "xlhost/emulated_excel_fixture.h"
#include "version_string.h"

namespace {

constexpr char kSentinel = '\x5A';
constexpr size_t kRoom = 300;  // beyond every size given, so writes past `size` show up

struct ValueRow {
    const char* name;
    WORD size;
    const char* expected;  // nullptr: the read fails and the buffer stays untouched
};

const ValueRow kValueRows[] = {
    {"FileVersion", 255, "2.1"},
    {"ProductName", 255, "Mezura"},
    {"CompanyName", 255, "Corvane"},
    {"FileDescription", 255, "Mezura Add-in for Excel"},
#ifdef _WIN64
    {"OriginalFilename", 255, "MEZURA64.XLL"},
#else
    {"OriginalFilename", 255, "MEZURA32.XLL"},
#endif
    {"LegalTrademarks", 255, " "},
    {"FileDescription", 10, "Mezura Ad"},  // cut to size - 1 characters
    {"FileVersion", 4, "2.1"},             // exactly the room it needs
    {"FileVersion", 3, "2."},
    {"FileVersion", 1, ""},
    {"Comments", 255, nullptr},            // no such value in the table
    {"fileversion ", 255, nullptr},
    {"FileVersion", 0, nullptr},           // no room even for the terminator
};

// Checks `buffer` after a read: `expected` then a terminator then untouched bytes, or all
// untouched when `expected` is null.
void ExpectBuffer(const char* buffer, const char* expected, const std::string& context) {
    size_t written = expected ? std::strlen(expected) + 1 : 0;
    if (expected) {
        EXPECT_EQ(std::string(buffer, written - 1), expected) << context;
        EXPECT_EQ(buffer[written - 1], 0) << context << ": no terminator after the value";
    }
    for (size_t i = written; i < kRoom; ++i) {
        if (buffer[i] != kSentinel) {
            ADD_FAILURE() << context << ": byte " << i << " changed to 0x" << std::hex << (buffer[i] & 0xFF);
            break;
        }
    }
}

TEST(VersionStringTest, ReadsValuesOfTheAddinsUsEnglishTable) {
    const std::string path = AddinModulePath();
    for (const ValueRow& row : kValueRows) {
        char buffer[kRoom];
        std::memset(buffer, kSentinel, sizeof buffer);
        int result = GetVersionString(path.c_str(), row.name, buffer, row.size);
        std::string context = std::string("\"") + row.name + "\" with size " + std::to_string(row.size);
        EXPECT_EQ(result, row.expected ? 0 : -1) << context;
        ExpectBuffer(buffer, row.expected, context);
    }
}

// A file that is not a program, one without a version resource and one that does not exist.
TEST(VersionStringTest, FilesWithoutVersionInformationFail) {
    char textFile[MAX_PATH];
    char directory[MAX_PATH];
    ASSERT_NE(GetTempPathA(sizeof directory, directory), 0u);
    ASSERT_NE(GetTempFileNameA(directory, "mzv", 0, textFile), 0u);
    if (FILE* file = std::fopen(textFile, "w")) {
        std::fputs("FileVersion 2.1\n", file);
        std::fclose(file);
    }
    char program[MAX_PATH];
    ASSERT_NE(GetModuleFileNameA(nullptr, program, sizeof program), 0u);
    const std::string missing = AddinModulePath() + ".missing";

    for (const char* path : {static_cast<const char*>(textFile), static_cast<const char*>(program), missing.c_str()}) {
        char buffer[kRoom];
        std::memset(buffer, kSentinel, sizeof buffer);
        EXPECT_EQ(GetVersionString(path, "FileVersion", buffer, 255), -1) << path;
        ExpectBuffer(buffer, nullptr, path);
    }
    DeleteFileA(textFile);
}

}  // namespace
#endif
