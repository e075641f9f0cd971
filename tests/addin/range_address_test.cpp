// The address and sheet-name texts the automation path hands to the host's object model.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "addin/host/range_address.h"

namespace {

TEST(RangeAddressTest, ColumnsAreLowerCaseLettersAndRowsCountFromOne) {
    struct Row { XLREF area; const char* expected; };
    const Row rows[] = {
        {{0, 0, 0, 0}, "a1:a1"},  // one cell is still written as a range
        {{0, 0, 25, 25}, "z1:z1"},
        {{0, 0, 26, 26}, "aa1:aa1"},
        {{0, 0, 51, 51}, "az1:az1"},
        {{0, 0, 52, 52}, "ba1:ba1"},
        {{0, 0, 255, 255}, "iv1:iv1"},
        {{1, 2, 1, 2}, "b2:c3"},
        {{9, 99, 3, 30}, "d10:ae100"},
        {{65535, 65535, 255, 255}, "iv65536:iv65536"},  // the longest address
        {{0, 65535, 0, 255}, "a1:iv65536"},
    };
    for (const Row& row : rows) {
        char address[kRangeAddressSize];
        std::memset(address, 'X', sizeof address);
        int length = FormatRangeAddress(row.area, address);
        EXPECT_STREQ(address, row.expected);
        EXPECT_EQ(length, int(std::strlen(row.expected))) << row.expected;
    }
}

std::string Counted(const std::string& text) { return std::string(1, char(text.size())) + text; }

TEST(RangeAddressTest, SheetNamesSplitAtTheFirstClosingBracket) {
    struct Row { std::string name; bool split; const char* book; const char* sheet; };
    const Row rows[] = {
        {"[Book1]Sheet1", true, "Book1", "Sheet1"},
        {"[Tanks.xls]Volumes", true, "Tanks.xls", "Volumes"},
        {"[a]b]c", true, "a", "b]c"},         // the first bracket ends the book
        {"[]Sheet1", true, "", "Sheet1"},      // an empty book name still splits
        {"[Book1]", true, "Book1", ""},
        {"]Book1]Sheet1", true, "Book1", "Sheet1"},  // the search starts at the second character
        {"Sheet1", false, "", ""},
        {"]", false, "", ""},
        {"", false, "", ""},
        {"[" + std::string(253, 'b') + "]", true, "", ""},  // longest: 253 + 2 characters
    };
    for (const Row& row : rows) {
        std::string counted = Counted(row.name);
        char book[kSheetPartSize] = "sentinel", sheet[kSheetPartSize] = "sentinel";
        EXPECT_EQ(SplitSheetName(counted.c_str(), book, sheet), row.split) << row.name;
        if (row.name.size() > 200) {
            EXPECT_EQ(std::string(book), std::string(253, 'b'));
            continue;
        }
        EXPECT_STREQ(book, row.book) << row.name;
        EXPECT_STREQ(sheet, row.sheet) << row.name;
    }
}

}  // namespace
