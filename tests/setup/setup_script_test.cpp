// The installer's script: trimming, headers, sections, splitting, capacities, faulty texts, the loader.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "setup/script/setup_script.h"
#ifdef _WIN32
#include "setup/program/load_setup_script.h"
#endif

namespace {

const SetupScript& S = g_setupScript;

// Parses a copy of `text` in a buffer holding exactly the text and its NUL.
int Parse(const std::string& text) {
    std::vector<char> buffer(text.size() + 1);
    std::memcpy(buffer.data(), text.c_str(), text.size() + 1);
    return ParseSetupScript(buffer.data());
}

// The lines joined with CR LF after each, as the script is written.
std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// A text of `length` characters that shows where it was cut.
std::string Pattern(std::size_t length) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i) text += char('a' + i % 26);
    return text;
}

TEST(TrimBlanks, RemovesOnlyBlanksAndTabsAtBothEndsAndMovesTheRestToTheStart) {
    const std::pair<std::string, std::string> rows[] = {
        {"  a b\t", "a b"}, {"\t \tx", "x"}, {"x \t ", "x"}, {" \t ", ""}, {"", ""},
        {"\va\f", "\va\f"}, {" \r\n ", "\r\n"}, {"a\t \tb", "a\t \tb"},
    };
    for (const auto& row : rows) {
        std::string text = row.first;
        EXPECT_EQ(TrimBlanks(&text[0]), &text[0]) << "same pointer for \"" << row.first << "\"";
        EXPECT_STREQ(text.c_str(), row.second.c_str()) << "trimming \"" << row.first << "\"";
    }
}

TEST(ParseSetupScript, HeadersMatchWholeLinesIgnoringCaseAndBlanks) {
    struct Row { const char* header; int result; int files, items, entries; };
    const Row rows[] = {
        {"[Files]", 0, 1, 0, 0},        {"[files]", 0, 1, 0, 0},
        {" \t[FILES] \t", 0, 1, 0, 0},   {"[pm info]", 0, 0, 1, 0},
        {"[Ini Entries]", 0, 0, 0, 1},   {"[APPLICATION]", 0, 0, 0, 0},
        {"[eNd]", 0, 0, 0, 0},           {"Files]", 0, 0, 0, 0},  // no header: the line is ignored
        {"[ Files]", -1, 0, 0, 0},       {"[Files] ; comment", -1, 0, 0, 0},
        {"[Files];", -1, 0, 0, 0},       {"[PM  Info]", -1, 0, 0, 0},
        {"[Setup]", -1, 0, 0, 0},        {"[Files", -1, 0, 0, 0},
        {"[", -1, 0, 0, 0},
    };
    for (const Row& row : rows) {
        // The body line suits every section; [Application] ignores its unknown key.
        EXPECT_EQ(Parse(Lines({row.header, "k=1, 2, 3", "[End]"})), row.result) << row.header;
        EXPECT_EQ(S.fileCount, row.files) << row.header;
        EXPECT_EQ(S.programItemCount, row.items) << row.header;
        EXPECT_EQ(S.iniEntryCount, row.entries) << row.header;
    }
}

TEST(ParseSetupScript, SkipsCommentsBlankLinesAndLinesBeforeAnyHeader) {
    ASSERT_EQ(Parse(Lines({"no comma, ignored before any header", "[Files]", "   ; indented, no second comma",
                           "\t;tab", " \t ", "", "a.dll, b.dll, first", "[End]"})), 0);
    EXPECT_EQ(S.fileCount, 1);
    EXPECT_STREQ(S.files[0].description, "first");
}

TEST(ParseSetupScript, StoresApplicationSettingsWithTheLaterValueWinning) {
    ASSERT_EQ(Parse(Lines({"[Application]", "  appname =  Mezura Tools ; not a comment", "ADDIN=first",
                           "AddIn = second", "AppCode=MEZ", "DefDir=MEZ=DIR", "Unknown=ignored",
                           "DefPMGroup = MEZ.GRP , Mezura, Tools", "SpaceNeeded=  512", "[End]"})), 0);
    EXPECT_STREQ(S.settings.AppName, "Mezura Tools ; not a comment");
    EXPECT_STREQ(S.settings.AddIn, "second");
    EXPECT_STREQ(S.settings.AppCode, "MEZ");
    EXPECT_STREQ(S.settings.DefDir, "MEZ=DIR");
    EXPECT_STREQ(S.settings.groupFile, "MEZ.GRP");
    EXPECT_STREQ(S.settings.groupName, "Mezura, Tools");
    EXPECT_EQ(S.settings.SpaceNeeded, 512u);

    // A new parse starts from empty settings and counts: a script without the keys needs
    // no space and names no group.
    ASSERT_EQ(Parse(Lines({"[Files]", "a,b,c", "[Application]", "AppName=Again", "[End]"})), 0);
    ASSERT_EQ(Parse(Lines({"[Application]", "AddIn=Only", "[End]"})), 0);
    EXPECT_STREQ(S.settings.AppName, "");
    EXPECT_STREQ(S.settings.groupFile, "");
    EXPECT_EQ(S.settings.SpaceNeeded, 0u);
    EXPECT_EQ(S.fileCount, 0);
}

TEST(ParseSetupScript, SpaceNeededReadsLikeAtolIntoAnUnsignedNumber) {
    const std::pair<const char*, uint32_t> rows[] = {
        {"1200", 1200u},     {"+15", 15u},   {"007", 7u},   {"12kb", 12u},  {"abc", 0u},
        {"", 0u},            {"\v\f42", 42u}, {"- 5", 0u},   {"0x10", 0u},
        {"-1", 4294967295u}, {"-2048", 4294965248u},
        {"2147483647", 2147483647u}, {"99999999999", 2147483647u}, {"-99999999999", 2147483648u},
    };
    for (const auto& row : rows) {
        ASSERT_EQ(Parse(Lines({"[Application]", std::string("SpaceNeeded=") + row.first, "[End]"})), 0) << row.first;
        EXPECT_EQ(S.settings.SpaceNeeded, row.second) << "SpaceNeeded=" << row.first;
    }
}

// The fields of the first entry of the section a row names, in the order they appear on the line.
std::vector<std::string> FirstEntry(const std::string& header) {
    if (header == "[Files]")
        return {S.files[0].sourceName, S.files[0].destName, S.files[0].description};
    if (header == "[PM Info]") return {S.programItems[0].commandLine, S.programItems[0].itemName};
    return {S.iniEntries[0].key, S.iniEntries[0].value};
}

TEST(ParseSetupScript, SplitsEntryLinesAtTheirSectionsCommas) {
    struct Row { const char* header; const char* line; int result; std::vector<std::string> fields; };
    const Row rows[] = {
        {"[Files]", "a.dll, b.dll, Desc", 0, {"a.dll", "b.dll", "Desc"}},
        {"[Files]", " a , b , c, d,,e ", 0, {"a", "b", "c, d,,e"}},
        {"[Files]", "a,b,c ; x", 0, {"a", "b", "c ; x"}},
        {"[Files]", ",,", 0, {"", "", ""}},
        {"[Files]", "a,b", -1, {}},
        {"[Files]", "a", -1, {}},
        {"[PM Info]", "%AMEZ.HLP , Help, more", 0, {"%AMEZ.HLP", "Help, more"}},
        {"[PM Info]", "%E", -1, {}},
        {"[INI Entries]", "key,text=more", 0, {"key", "text=more"}},
        {"[INI Entries]", " k\t, v ; x ", 0, {"k", "v ; x"}},
        {"[INI Entries]", "key=value", -1, {}},
    };
    for (const Row& row : rows) {
        ASSERT_EQ(Parse(Lines({row.header, row.line, "[End]"})), row.result) << row.header << " " << row.line;
        if (row.result == 0) {
            EXPECT_EQ(FirstEntry(row.header), row.fields) << row.header << " " << row.line;
        }
        EXPECT_EQ(S.fileCount + S.programItemCount + S.iniEntryCount, row.result == 0 ? 1 : 0) << row.line;
    }
}

TEST(ParseSetupScript, CutsEveryTextToItsFieldCapacity) {
    struct Row { const char* header; const char* before; const char* after; const char* field; std::size_t capacity; };
    const Row rows[] = {
        {"[Application]", "AppName=", "", S.settings.AppName, 39},
        {"[Application]", "AddIn=", "", S.settings.AddIn, 44},
        {"[Application]", "AppCode=", "", S.settings.AppCode, 4},
        {"[Application]", "DefDir=", "", S.settings.DefDir, 99},
        {"[Application]", "DefPMGroup=", ",g", S.settings.groupFile, 44},
        {"[Application]", "DefPMGroup=f,", "", S.settings.groupName, 29},
        {"[Files]", "", ",d,x", S.files[0].sourceName, 44},
        {"[Files]", "s,", ",x", S.files[0].destName, 44},
        {"[Files]", "s,d,", "", S.files[0].description, 49},
        {"[PM Info]", "", ",n", S.programItems[0].commandLine, 79},
        {"[PM Info]", "c,", "", S.programItems[0].itemName, 29},
        {"[INI Entries]", "", ",v", S.iniEntries[0].key, 19},
        {"[INI Entries]", "k,", "", S.iniEntries[0].value, 147},
    };
    for (const Row& row : rows) {
        for (std::size_t length : {row.capacity - 1, row.capacity, row.capacity + 1, row.capacity + 30}) {
            const std::string value = Pattern(length);
            ASSERT_EQ(Parse(Lines({row.header, row.before + value + row.after, "[End]"})), 0)
                << row.before << " with " << length << " characters";
            EXPECT_EQ(std::string(row.field), value.substr(0, row.capacity))
                << row.before << "..." << row.after << " with " << length << " characters";
        }
    }
}

TEST(ParseSetupScript, TablesTakeTheirCapacityAndOneEntryMoreIsAnError) {
    struct Row { const char* header; int capacity; const uint16_t& count; std::function<std::string()> last; };
    const Row rows[] = {
        {"[Files]", kMaxFileEntries, S.fileCount, [] { return std::string(S.files[29].sourceName); }},
        {"[PM Info]", kMaxProgramItems, S.programItemCount,
         [] { return std::string(S.programItems[39].commandLine); }},
        {"[INI Entries]", kMaxIniEntries, S.iniEntryCount, [] { return std::string(S.iniEntries[29].key); }},
    };
    for (const Row& row : rows) {
        for (int entries : {row.capacity, row.capacity + 1}) {
            std::vector<std::string> lines = {row.header};
            for (int i = 1; i <= entries; ++i) lines.push_back("n" + std::to_string(i) + ",x,y");
            lines.push_back("[End]");
            EXPECT_EQ(Parse(Lines(lines)), entries > row.capacity ? -1 : 0) << entries << " in " << row.header;
            EXPECT_EQ(row.count, row.capacity) << entries << " in " << row.header;
            EXPECT_EQ(row.last(), "n" + std::to_string(row.capacity)) << "last entry of " << row.header;
        }
    }
}

TEST(ParseSetupScript, SectionsAccumulateInAnyOrderAndNothingAfterEndIsRead) {
    ASSERT_EQ(Parse(Lines({"[PM Info]", "%E,Excel", "[Files]", "a,a,A", "[INI Entries]", "k,v", "[Files]",
                           "b,b,B", "[Application]", "AppName=Kept", "[files]", "c,c,C", " [END] ",
                           "AppName=Late", "[Bogus]", "[Files]", "no comma"})), 0);
    ASSERT_EQ(S.fileCount, 3);
    EXPECT_STREQ(S.files[0].sourceName, "a");
    EXPECT_STREQ(S.files[1].sourceName, "b");
    EXPECT_STREQ(S.files[2].sourceName, "c");
    EXPECT_EQ(S.programItemCount, 1);
    EXPECT_EQ(S.iniEntryCount, 1);
    EXPECT_STREQ(S.settings.AppName, "Kept");
}

TEST(ParseSetupScript, StopsAtTheFirstErrorKeepingWhatCameBefore) {
    EXPECT_EQ(Parse(Lines({"[Files]", "a,b,c", "bad", "d,e,f", "[End]"})), -1);
    EXPECT_EQ(S.fileCount, 1);
}

TEST(ParseSetupScript, FaultyTextsAreScriptErrorsNeverOverrunsOrHangs) {
    const std::string head = Lines({"[Application]", "AppName=X"});
    struct Row { const char* what; std::string text; int result; };
    const Row rows[] = {
        {"a line of 263 characters", head + Lines({";" + Pattern(262), "[End]"}), 0},
        {"a line of 264 characters", head + Lines({";" + Pattern(263), "[End]"}), -1},
        {"264 characters counting trailing blanks", head + Lines({";" + Pattern(200) + std::string(63, ' '), "[End]"}), -1},
        {"a very long line", head + Lines({"AddIn=" + Pattern(5000), "[End]"}), -1},
        {"LF-only line ends", "[Application]\nAppName=X\n[End]\n", -1},
        {"one LF-only line end", head + "AddIn=Y\nDefDir=Z\r\n[End]\r\n", -1},
        {"[Application] line without =", head + Lines({"AppName", "[End]"}), -1},
        {"DefPMGroup without a comma", head + Lines({"DefPMGroup=MEZ.GRP", "[End]"}), -1},
        {"no [End]", head, -1},
        {"no [End], no final line end", "[Files]\r\na,b,c", -1},
        {"an empty text", "", -1},
        {"a lone CR just before the NUL", "[Application]\r", -1},
        {"[End] and a lone CR", "[End]\r", 0},
        {"[End] without a line end", head + "[End]", 0},
        // The character after a CR is skipped whatever it is.
        {"a CR without LF eats the [ of [End]", "[Files]\r\na,b,c\r[End]\r\n", -1},
        {"a CR without LF eats one character", "[Application]\rXAppName=Eaten\r\n[End]\r\n", 0},
    };
    for (const Row& row : rows) EXPECT_EQ(Parse(row.text), row.result) << row.what;
    EXPECT_STREQ(S.settings.AppName, "Eaten") << "after the last row";
}

#ifdef _WIN32
// Under Wine the Unix root is drive Z:.
std::string SamplePath() {
    std::string path = "Z:" MEZURA_SETUP_INF;
    for (char& c : path) if (c == '/') c = '\\';
    return path;
}
#else
std::string SamplePath() { return MEZURA_SETUP_INF; }
#endif

TEST(SetupScriptSample, TheDistributionScriptParses) {
#ifdef _WIN32
    ASSERT_EQ(LoadSetupScript(SamplePath().c_str()), 0) << SamplePath();
#else
    std::ifstream file(SamplePath(), std::ios::binary);
    ASSERT_TRUE(file) << SamplePath();
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_LT(text.size(), std::size_t(kScriptBufferSize));
    ASSERT_EQ(Parse(text), 0);
#endif
    EXPECT_STREQ(S.settings.AppName, "Mezura");
    EXPECT_STREQ(S.settings.AddIn, "MEZURA32.XLL");
    EXPECT_STREQ(S.settings.AppCode, "MEZ");
    EXPECT_STREQ(S.settings.DefDir, "MEZURA");
    EXPECT_EQ(S.settings.SpaceNeeded, 2560u);  // the five files, with room to spare
    EXPECT_STREQ(S.settings.groupFile, "MEZURA.GRP");
    EXPECT_STREQ(S.settings.groupName, "Mezura");
    // What the distribution holds: the add-in for 32-bit and for 64-bit Excel, the help files
    // and the workbook.
    ASSERT_EQ(S.fileCount, 5);
    EXPECT_STREQ(S.files[0].sourceName, "MEZURA32.XLL");
    EXPECT_STREQ(S.files[0].destName, "MEZURA32.XLL");
    EXPECT_STREQ(S.files[1].sourceName, "MEZURA64.XLL");
    EXPECT_STREQ(S.files[1].destName, "MEZURA64.XLL");
    EXPECT_STREQ(S.files[2].sourceName, "MEZURA.HLP");
    EXPECT_STREQ(S.files[3].sourceName, "MEZURA.CHM");
    EXPECT_STREQ(S.files[4].sourceName, "INSTALL.XLS");
    ASSERT_EQ(S.programItemCount, 3);
    EXPECT_STREQ(S.programItems[0].commandLine, "%AMEZURA32.XLL");
    EXPECT_STREQ(S.programItems[0].itemName, "Mezura add-in");
    EXPECT_STREQ(S.programItems[1].commandLine, "%AMEZURA64.XLL");
    EXPECT_STREQ(S.programItems[1].itemName, "Mezura add-in (64-bit Excel)");
    EXPECT_STREQ(S.programItems[2].commandLine, "%AMEZURA.CHM");  // the help a current Windows opens
    ASSERT_EQ(S.iniEntryCount, 3);
    EXPECT_STREQ(S.iniEntries[0].key, "AddIn");
    EXPECT_STREQ(S.iniEntries[0].value, "MEZURA32.XLL");
    EXPECT_STREQ(S.iniEntries[1].key, "AddIn64");
    EXPECT_STREQ(S.iniEntries[1].value, "MEZURA64.XLL");
    EXPECT_STREQ(S.iniEntries[2].key, "Version");
    EXPECT_STREQ(S.iniEntries[2].value, "1.0");
}

#ifdef _WIN32
// A script of exactly `size` bytes whose [End] is its last line, padded with comment lines.
std::string PaddedScript(std::size_t size) {
    const std::string head = Lines({"[Application]", "AppName=Big"}), tail = Lines({"[End]"});
    std::string padding;
    std::size_t fill = size - head.size() - tail.size();
    auto comment = [&](std::size_t bytes) { padding += ";" + std::string(bytes - 3, '-') + "\r\n"; fill -= bytes; };
    while (fill > 400) comment(200);
    comment(fill / 2);
    comment(fill);
    return head + padding + tail;
}

TEST(LoadSetupScript, AnswersTheMessageIdOfEachOutcomeAndRestoresTheCursor) {
    char directory[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, directory), 0u);
    const std::string path = std::string(directory) + "mezura_setup_test.inf";
    struct Row { const char* what; bool exists; std::string content; WORD expected; };
    const Row rows[] = {
        {"a missing file", false, "", 1004},
        {"a good script", true, Lines({"[Application]", "AppName=Big", "[End]"}), 0},
        {"a script error", true, Lines({"[Files]", "no comma", "[End]"}), 1010},
        {"a script without [End]", true, Lines({"[Application]", "AppName=Big"}), 1010},
        {"a script of 10,239 bytes", true, PaddedScript(10239), 0},
        {"a script of 10,240 bytes", true, PaddedScript(10240), 1010},
        {"a script of 20,000 bytes", true, PaddedScript(20000), 1010},
    };
    const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    for (const Row& row : rows) {
        DeleteFileA(path.c_str());
        if (row.exists) {
            HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
            DWORD written = 0;
            ASSERT_TRUE(WriteFile(file, row.content.data(), DWORD(row.content.size()), &written, nullptr));
            CloseHandle(file);
            ASSERT_EQ(written, row.content.size()) << row.what;
        }
        std::memset(&g_setupScript, 0, sizeof g_setupScript);
        SetCursor(arrow);
        EXPECT_EQ(LoadSetupScript(path.c_str()), row.expected) << row.what;
        EXPECT_EQ(GetCursor(), arrow) << "cursor after " << row.what;
        if (row.expected == 0) {
            EXPECT_STREQ(S.settings.AppName, "Big") << row.what;
        }
    }
    DeleteFileA(path.c_str());
}
#endif

}  // namespace
