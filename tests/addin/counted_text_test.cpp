// Counted strings: placeholder preparation, string-table loads, comparison, owned text records.
#include <cstdlib>
#include <cstring>
#include <string>

#include "addin/host/addin_syscalls.h"
#include "addin/host/counted_text.h"
#include "addin/host/host_records.h"
#include "registry.h"
#include "syscall_swap.h"
#include "xlhost/emulated_excel_fixture.h"

// The add-in manager's entry points, as linked into the tests.
XLL_EXPORT int XLLAPI xlAutoAdd();
XLL_EXPORT int XLLAPI xlAutoRemove();
XLL_EXPORT XLOPER* XLLAPI xlAddInManagerInfo(XLOPER* action);

namespace {

TEST(PreparePlaceholder, LengthByteCountsTheCharactersAfterIt) {
    struct Row { const char* stored; unsigned length; };
    const Row rows[] = {
        {" ", 0},
        {" meters/sec/sec", 14},
        {" pounds(force)-sec/square foot", 29},
        {" RRRR", 4},
    };
    for (const Row& row : rows) {
        std::string text = row.stored;
        PreparePlaceholder(&text[0]);
        EXPECT_EQ(static_cast<unsigned char>(text[0]), row.length) << "for \"" << row.stored << "\"";
        EXPECT_EQ(text.substr(1), std::string(row.stored + 1)) << "characters must stay as they are";
        // The length byte is never zero for a non-empty text, so a second pass measures the same.
        PreparePlaceholder(&text[0]);
        EXPECT_EQ(static_cast<unsigned char>(text[0]), row.length) << "second pass over \"" << row.stored << "\"";
    }
}

TEST(LoadCountedString, LoadsAtMostSizeMinusTwoCharactersIntoAClearedBuffer) {
    const std::string long160 = [] {
        std::string s;
        for (int i = 0; i < 160; ++i) s += char('a' + i % 26);
        return s;
    }();
    struct Row { UINT id; WORD size; std::string expected; };
    const Row rows[] = {
        {2021, 150, "Unit Converions"},
        {2002, 150, "Mezura"},
        {2015, 150, ""},                          // not in the table: empty, not a failure
        {9001, 150, long160.substr(0, 148)},      // cut to 148
        {9002, 150, std::string(147, 'B') + "Z"}, // exactly 148 arrives whole
        {9003, 150, std::string(148, 'C')},       // 149: the last one is lost
        {2236, 10, "Help for"},                   // a small buffer: size - 2
    };
    for (const Row& row : rows) {
        char buffer[160];
        std::memset(buffer, 0xAB, sizeof buffer);
        WORD loaded = LoadCountedString(TestInstance(), row.id, buffer, row.size);
        EXPECT_EQ(loaded, row.expected.size()) << "string " << row.id;
        EXPECT_EQ(static_cast<unsigned char>(buffer[0]), row.expected.size()) << "length byte of " << row.id;
        EXPECT_EQ(TextOf(buffer), row.expected) << "string " << row.id;
        for (WORD i = WORD(1 + loaded); i < row.size; ++i)
            ASSERT_EQ(buffer[i], 0) << "byte " << i << " of string " << row.id << " not cleared";
        EXPECT_EQ(static_cast<unsigned char>(buffer[row.size]), 0xAB) << "wrote past the buffer for " << row.id;
    }
}

TEST(CompareCountedText, FoldsOnlyAsciiLettersAndNeverMatchesOtherLengths) {
    struct Row { std::string first, second; int expected; };
    const Row rows[] = {
        {"feet", "feet", 0},
        {"feet", "FEET", 0},
        {"deg. C", "DEG. c", 0},
        {"", "", 0},
        {"feet", "feet ", 1},     // trailing blank: different length
        {"feet", "fee", 1},
        {"feet", "feed", 1},
        {"[", "{", 1},            // 0x5B and 0x7B are not letters
        {"@", "`", 1},
        {"\xC4", "\xE4", 1},      // accented letters are not folded
        {std::string(255, 'Q'), std::string(255, 'q'), 0},
        {std::string(254, 'q') + "A", std::string(254, 'q') + "b", 1},
    };
    for (const Row& row : rows) {
        CountedText first(row.first), second(row.second);
        EXPECT_EQ(CompareCountedText(first.get(), second.get()), row.expected)
            << "\"" << row.first << "\" vs \"" << row.second << "\"";
        EXPECT_EQ(CompareCountedText(second.get(), first.get()), row.expected) << "reversed";
    }
}

TEST(OwnedTextRecord, IsOneBlockHoldingTheRecordAndItsText) {
    struct Row { UINT id; const char* text; };
    const Row rows[] = {{2002, "Mezura"}, {2000, "Successfully added Mezura."}, {2015, ""}};
    for (const Row& row : rows) {
        XLOPER* record = MakeOwnedTextRecord(TestInstance(), row.id);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->xltype, xltypeStr | xlbitDLLFree);
        auto* block = reinterpret_cast<OwnedTextRecord*>(record);
        EXPECT_EQ(record->val.str, block->buffer) << "the text must lie in the same block";
        EXPECT_EQ(TextOf(record->val.str), row.text);
        EXPECT_EQ(record->val.str[1 + std::strlen(row.text)], 0) << "own texts are zero-terminated";
        std::free(record);
    }
}

void* NoHeap(size_t) { return nullptr; }

// Without heap for an owned text the add-in goes on without it: no alert on adding or
// removing, and #VALUE! where the add-in manager asks for the long name.
TEST_F(HostTest, OwnedTextsThatCannotBeMadeLeaveOutTheAlertAndTheName) {
    SyscallSwap<AddinSyscalls> noHeap(g_addinSyscalls);
    noHeap.Use(&AddinSyscalls::malloc, NoHeap);
    EXPECT_EQ(xlAutoAdd(), 1);
    EXPECT_EQ(xlAutoRemove(), 1);
    EXPECT_TRUE(xlhost::Alerts().empty());
    XLOPER one = Num(1);
    XLOPER* name = xlAddInManagerInfo(&one);
    EXPECT_EQ(name->xltype, xltypeErr);
    EXPECT_EQ(name->val.err, xlerrValue);
}

}  // namespace
