// The OPEN entries of Excel's settings in Wine's registry: where an add-in is added, which
// entries count as ours, and how a removal closes the numbering behind it.
#ifdef _WIN32
#include <windows.h>

#include <string>

#include "setup/program/excel_addins.h"
#include "setup_fixture.h"
#include "setup_install_fixture.h"

namespace {

using Entries = RegistryValues;

const char kOptions[] = "Software\\Microsoft\\Office\\16.0\\Excel\\Options";

class ExcelAddInsTest : public InstallerTest {
protected:
    ExcelAddInsTest() { RegDeleteKeyA(HKEY_CURRENT_USER, kOptions); }
    ~ExcelAddInsTest() override { RegDeleteKeyA(HKEY_CURRENT_USER, kOptions); }
    static void Write(const Entries& entries) { WriteRegistryValues(kOptions, entries); }
    static Entries Read() { return ReadRegistryValues(kOptions); }
};

const std::string kNew = "/R \"C:\\NEW\\MEZURA32.XLL\"", kOther = "/R \"C:\\OTHER\\ANALYSIS.XLL\"";
const std::string kOtherB = "\"C:\\OTHER\\SOLVER.XLAM\"", kOtherC = "C:\\X\\MEZURA32.XLL.BAK";

// Adding takes the first entry of ours (any folder, any switches, any letter case), else the
// first free name; an entry of ours twice is left once; every other value stays.
TEST_F(ExcelAddInsTest, AddOpenEntryReplacesOursOrTakesTheFirstFreeName) {
    const struct {
        const char* what;
        Entries before;
        std::string name;
        Entries after;
    } rows[] = {
        {"no entries", {}, "OPEN", {{"OPEN", kNew}}},
        {"a foreign entry and another value", {{"OPEN", kOther}, {"Font", "Calibri,11"}}, "OPEN1",
         {{"OPEN", kOther}, {"Font", "Calibri,11"}, {"OPEN1", kNew}}},
        {"ours from an older installation", {{"OPEN", kOther}, {"OPEN1", "/R \"D:\\OLD\\MEZURA64.XLL\""}, {"OPEN2", kOtherB}},
         "OPEN1", {{"OPEN", kOther}, {"OPEN1", kNew}, {"OPEN2", kOtherB}}},
        {"ours twice", {{"OPEN", "/F /R mezura32.xll"}, {"OPEN1", kOther}, {"OPEN2", "\"C:\\A\\MEZURA64.XLL\""}, {"OPEN3", kOtherB}},
         "OPEN", {{"OPEN", kNew}, {"OPEN1", kOther}, {"OPEN2", kOtherB}}},
        {"a gap", {{"OPEN", kOther}, {"OPEN2", kOtherB}}, "OPEN1", {{"OPEN", kOther}, {"OPEN1", kNew}, {"OPEN2", kOtherB}}},
        {"names that only look like ours", {{"OPEN", kOtherC}, {"OPEN1", "NOTMEZURA32.XLL"}}, "OPEN2",
         {{"OPEN", kOtherC}, {"OPEN1", "NOTMEZURA32.XLL"}, {"OPEN2", kNew}}},
    };
    for (const auto& row : rows) {
        Write(row.before);
        char name[16] = "";
        EXPECT_EQ(AddOpenEntry(kOptions, "C:\\NEW\\MEZURA32.XLL", name), ERROR_SUCCESS) << row.what;
        EXPECT_EQ(std::string(name), row.name) << row.what;
        EXPECT_EQ(Read(), row.after) << row.what;
    }
}

// A removal takes our add-ins of that folder only and moves the entries after each down as far
// as they ran without a gap.
TEST_F(ExcelAddInsTest, RemoveOpenEntriesLeavesNoGapOfItsMaking) {
    const std::string ours32 = "/R \"C:\\MEZ\\MEZURA32.XLL\"", ours64 = "/R \"c:\\mez\\mezura64.xll\"";
    const std::string elsewhere = "/R \"C:\\ELSEWHERE\\MEZURA32.XLL\"";
    const struct {
        const char* what;
        Entries before, after;
    } rows[] = {
        {"between others", {{"OPEN", kOther}, {"OPEN1", ours32}, {"OPEN2", kOtherB}, {"OPEN3", ours64}, {"OPEN4", kOtherC}},
         {{"OPEN", kOther}, {"OPEN1", kOtherB}, {"OPEN2", kOtherC}}},
        {"first and last", {{"OPEN", ours32}, {"OPEN1", kOther}, {"OPEN2", ours64}}, {{"OPEN", kOther}}},
        {"another folder's copy stays", {{"OPEN", elsewhere}, {"OPEN1", ours32}}, {{"OPEN", elsewhere}}},
        {"a gap that was there", {{"OPEN", ours32}, {"OPEN1", kOther}, {"OPEN3", ours64}, {"OPEN4", kOtherB}},
         {{"OPEN", kOther}, {"OPEN3", kOtherB}}},
    };
    for (const auto& row : rows) {
        Write(row.before);
        RemoveOpenEntries("C:\\MEZ");
        EXPECT_EQ(Read(), row.after) << row.what;
    }
}

}  // namespace
#endif
