// The add-in's entry points as the emulated Excel drives them: registration, menu, closing, add-in manager.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <iterator>
#include <set>

#include "addin_calls.h"
#include "addin_loader.h"
#include "addin/host/registration_table.h"
#include "addin/tanks/tank_exports.h"
#include "addin/units/conversion.h"
#include "xlhost/emulated_excel_fixture.h"
#include "registry.h"

namespace {

// A row of the add-in's function list: what the host must be asked to register for it.
struct ListedRow {
    const char* procedure;
    const char* typeText;
    const char* macroType;
    unsigned argumentTextId, categoryId, helpContext, functionHelpId;
    std::vector<unsigned> argumentHelpIds;
};

#define MEZURA_LISTED(procedure, type, macroType, arguments, category, context, description, helps) \
    {#procedure, type, macroType, arguments, category, context, description, std::vector<unsigned> MEZURA_IDS helps},
const ListedRow kListedRows[] = {
#define MEZURA_CONVERSION(procedure, type, arguments, category, context, description, helps, table, count, converter, source) \
    MEZURA_LISTED(procedure, type, "1", arguments, category, context, description, helps)
#define MEZURA_TANK(procedure, type, arguments, category, context, description, helps) \
    MEZURA_LISTED(procedure, type, "1", arguments, category, context, description, helps)
#define MEZURA_LEVEL(procedure, type, arguments, category, context, description, helps, volume) \
    MEZURA_LISTED(procedure, type, "1", arguments, category, context, description, helps)
#define MEZURA_FUNCTION(procedure, type, arguments, category, context, description, helps) \
    MEZURA_LISTED(procedure, type, "1", arguments, category, context, description, helps)
#define MEZURA_COMMAND(procedure, type, arguments, category, context, description, helps) \
    MEZURA_LISTED(procedure, type, "2", arguments, category, context, description, helps)
#include "addin/functions.inc"
};

// The worksheet functions take one record per letter of their type text after the return
// letter: the compiler counts the parameters of each export (the 32-bit link, through the
// decorated names, checks the same for every row).
template <typename... Arguments>
constexpr size_t ParameterCount(XLOPER* (XLLAPI*)(Arguments...)) { return sizeof...(Arguments); }
#define MEZURA_CONVERSION(procedure, type, arguments, category, context, description, helps, table, count, converter, source) \
    static_assert(ParameterCount(&procedure) == sizeof(type) - 2, #procedure ": type text and parameters differ");
#define MEZURA_TANK(procedure, type, arguments, category, context, description, helps) \
    static_assert(ParameterCount(&procedure) == sizeof(type) - 2, #procedure ": type text and parameters differ");
#define MEZURA_LEVEL(procedure, type, arguments, category, context, description, helps, volume) \
    static_assert(ParameterCount(&procedure) == ParameterCount(&volume), #procedure ": not the arguments of " #volume); \
    static_assert(ParameterCount(&procedure) == sizeof(type) - 2, #procedure ": type text and parameters differ");
#define MEZURA_FUNCTION(procedure, type, arguments, category, context, description, helps) \
    static_assert(ParameterCount(&procedure) == sizeof(type) - 2, #procedure ": type text and parameters differ");
#include "addin/functions.inc"

// The add-in's string table, as the test program holds it too.
std::string AddinText(unsigned id) {
    struct Text { unsigned id; const char* text; };
    static const Text kTexts[] = {
#define MEZURA_STRING(id, text) {id, text},
#include "addin/strings.inc"
#undef MEZURA_STRING
    };
    for (const Text& text : kTexts)
        if (text.id == id) return text.text;
    return "";
}

std::vector<std::string> SplitCommas(const std::string& text) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == ',') parts.emplace_back();
        else parts.back().push_back(c);
    }
    return parts;
}

std::string TextArgument(const xlhost::Registration& call, size_t index) {
    if (index >= call.arguments.size()) return "<missing argument>";
    const xlhost::CellValue& cell = call.arguments[index];
    return cell.type == xltypeStr ? cell.text : "<not a text>";
}

class EntryPointsTest : public LoadedAddinTest {
protected:
    void SetUp() override {
        LoadedAddinTest::SetUp();
        if (HasFatalFailure()) return;
        directory_ = addin_.path.substr(0, addin_.path.find_last_of("\\/") + 1);
    }

    const std::vector<xlhost::MenuItem>& HelpMenu() {
        static const std::vector<xlhost::MenuItem> none;
        const auto* items = xlhost::FindMenu(10, "Help");
        return items ? *items : none;
    }

    size_t LiveCount(const std::string& procedure) {
        auto live = xlhost::LiveRegistrations();
        return size_t(std::count_if(live.begin(), live.end(),
                                    [&](const xlhost::Registration& r) { return r.procedure == procedure; }));
    }

    void ExpectOpened(const char* when) {
        for (const ListedRow& row : kListedRows) {
            const xlhost::Registration* found = xlhost::FindRegisteredName(row.procedure);
            ASSERT_NE(found, nullptr) << when << ": " << row.procedure << " not callable by its name";
            EXPECT_EQ(found->procedure, row.procedure) << when;
            EXPECT_EQ(LiveCount(row.procedure), 1u) << when << ": " << row.procedure;
        }
        EXPECT_EQ(LiveCount("CheckInstance"), 1u) << when;
        ASSERT_EQ(HelpMenu().size(), 1u) << when << ": the menu item must be there exactly once";
        EXPECT_EQ(HelpMenu()[0].text, "Mezura...") << when;
    }

    void ExpectClosed(const char* when) {
        for (const ListedRow& row : kListedRows)
            EXPECT_EQ(xlhost::FindRegisteredName(row.procedure), nullptr) << when << ": name " << row.procedure << " left";
        EXPECT_EQ(LiveCount("CheckInstance"), 0u) << when;
        EXPECT_TRUE(HelpMenu().empty()) << when << ": menu item left";
    }

    std::string directory_;
};

// What the host is asked to register is the function list, row by row: the texts its ids name,
// the help topic beside the add-in, one argument description per id.
TEST_F(EntryPointsTest, OpeningRegistersEveryRowOfTheListInOrderWithItsTexts) {
    ASSERT_EQ(xlhost::OpenAddin(addin_), 1);
    const auto& calls = xlhost::RegisterCalls();
    ASSERT_EQ(calls.size(), 1 + std::size(kListedRows)) << "CheckInstance, then every row";
    EXPECT_EQ(calls[0].procedure, "CheckInstance");
    EXPECT_EQ(calls[0].arguments.size(), 3u);
    EXPECT_EQ(TextArgument(calls[0], 2), "J");

    for (size_t i = 0; i < std::size(kListedRows); ++i) {
        const ListedRow& row = kListedRows[i];
        const xlhost::Registration& call = calls[i + 1];
        SCOPED_TRACE(std::string("row ") + std::to_string(i + 1) + " " + row.procedure);
        ASSERT_EQ(call.arguments.size(), 10 + row.argumentHelpIds.size());
        const std::string fields[10] = {addin_.path, row.procedure, row.typeText, row.procedure,
                                        AddinText(row.argumentTextId), row.macroType, AddinText(row.categoryId), "",
                                        directory_ + "MEZURA.HLP!" + std::to_string(row.helpContext),
                                        AddinText(row.functionHelpId)};
        for (size_t f = 0; f < 10; ++f) EXPECT_EQ(TextArgument(call, f), fields[f]) << "argument " << f + 1;
        for (size_t h = 0; h < row.argumentHelpIds.size(); ++h)
            EXPECT_EQ(TextArgument(call, 10 + h), AddinText(row.argumentHelpIds[h])) << "argument help " << h + 1;
    }
    EXPECT_TRUE(xlhost::UnhandledCalls().empty());
    xlhost::CloseAddin(addin_);
}

// What the list must say for a row to work in the host: a worksheet function names each of its
// arguments and describes each, and has a category and a description of its own; procedures
// differ beyond letter case (xlAutoRegister finds them case-blind) and each has its own help topic.
TEST(FunctionListTest, EveryRowIsCompleteAndHasNamesAndTopicsOfItsOwn) {
    std::set<std::string> procedures, descriptions;
    std::set<unsigned> contexts;
    for (const ListedRow& row : kListedRows) {
        SCOPED_TRACE(row.procedure);
        std::string folded = row.procedure;
        for (char& c : folded) c = char(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_TRUE(procedures.insert(folded).second) << "a second procedure of that name";
        EXPECT_TRUE(contexts.insert(row.helpContext).second) << "help context " << row.helpContext << " taken";
        if (std::string(row.macroType) != "1") continue;
        const std::string type = row.typeText;
        const std::vector<std::string> names = SplitCommas(AddinText(row.argumentTextId));
        EXPECT_EQ(type.find_first_not_of('R'), std::string::npos) << "records by pointer: " << type;
        EXPECT_EQ(names.size(), type.size() - 1) << "argument names \"" << AddinText(row.argumentTextId) << "\"";
        EXPECT_EQ(row.argumentHelpIds.size(), type.size() - 1) << "argument descriptions";
        for (const std::string& name : names) EXPECT_FALSE(name.empty()) << "an unnamed argument";
        for (unsigned id : row.argumentHelpIds) EXPECT_NE(AddinText(id), "") << "argument description " << id;
        EXPECT_NE(AddinText(row.categoryId), "") << "category " << row.categoryId;
        EXPECT_NE(AddinText(row.functionHelpId), "") << "description " << row.functionHelpId;
        EXPECT_TRUE(descriptions.insert(AddinText(row.functionHelpId)).second) << "another function's description";
    }
}

TEST_F(EntryPointsTest, OpeningAddsTheHelpMenuItemAndClosingTakesEverythingAway) {
    ASSERT_EQ(xlhost::OpenAddin(addin_), 1);
    ExpectOpened("after opening");
    const xlhost::MenuItem& item = HelpMenu()[0];
    EXPECT_EQ(item.command, "MezuraHelp");
    EXPECT_EQ(item.shortcut, "");
    EXPECT_EQ(item.statusText, "Help for Mezura Add-In");
    EXPECT_EQ(item.helpReference, directory_ + "MEZURA.HLP!3");

    ASSERT_EQ(xlhost::CloseAddin(addin_), 1);
    ExpectClosed("after closing");
    std::vector<std::string> expectedNames;
    for (const ListedRow& row : kListedRows) expectedNames.push_back(row.procedure);
    EXPECT_EQ(xlhost::DeletedNames(), expectedNames) << "every name, in list order";
    EXPECT_EQ(xlhost::CallCount(xlfUnregister), 1u);
}

TEST_F(EntryPointsTest, ClosingWithoutOpeningStillDeletesAndIgnoresTheRefusals) {
    ASSERT_EQ(xlhost::CloseAddin(addin_), 1);
    EXPECT_EQ(xlhost::DeletedNames().size(), std::size(kListedRows));
    EXPECT_EQ(xlhost::CallCount(xlfDeleteCommand), 1u);
    EXPECT_EQ(xlhost::CallCount(xlfUnregister), 0u) << "nothing to unregister";
    EXPECT_TRUE(xlhost::UnhandledCalls().empty());
    ExpectClosed("after closing unopened");
}

TEST_F(EntryPointsTest, ClosingAndOpeningAgainRegistersNothingTwice) {
    for (int round = 1; round <= 3; ++round) {
        std::string when = "round " + std::to_string(round);
        ASSERT_EQ(xlhost::OpenAddin(addin_), 1);
        ExpectOpened(when.c_str());
        ASSERT_EQ(xlhost::CloseAddin(addin_), 1);
        ExpectClosed(when.c_str());
    }
}

TEST_F(EntryPointsTest, AHostThatCannotNameTheAddinGetsNoRowsButStillTheMenu) {
    xlhost::SetAddinPath("");  // xlGetName fails from now on
    ASSERT_EQ(xlhost::OpenAddin(addin_), 1);
    EXPECT_EQ(xlhost::CallCount(xlfRegister), 0u) << "a row cannot be bound to the module without its name";
    EXPECT_EQ(xlhost::CallCount(xlGetName), 2u + std::size(kListedRows)) << "StopAutomation and KeepDLLLoaded, then every row";
    EXPECT_EQ(HelpMenu().size(), 1u);
    ASSERT_EQ(xlhost::CloseAddin(addin_), 1);
    EXPECT_TRUE(HelpMenu().empty());
}

TEST_F(EntryPointsTest, LoadingTheModuleAgainInTheSameProcessStartsClean) {
    ASSERT_EQ(xlhost::OpenAddin(addin_), 1);
    ASSERT_EQ(xlhost::CloseAddin(addin_), 1);
    xlhost::UnloadAddin(&addin_);
    std::string error;
    ASSERT_TRUE(xlhost::LoadAddin(AddinModulePath(), &addin_, &error)) << error;
    ASSERT_EQ(xlhost::OpenAddin(addin_), 1);
    ExpectOpened("second load");
    // A second preparation of the tables would show here as wrong lengths.
    EXPECT_EQ(xlhost::RegisterCalls().back().procedure, std::end(kListedRows)[-1].procedure);
    ASSERT_EQ(xlhost::CloseAddin(addin_), 1);
    ExpectClosed("second load");
}

TEST_F(EntryPointsTest, AutoRegisterMatchesProceduresIgnoringCaseButNeverByPrefixOrSentinel) {
    ASSERT_EQ(xlhost::OpenAddin(addin_), 1);
    struct Row { const char* name; const char* registers; };
    const Row rows[] = {
        {"CvtLength", "CvtLength"},   {"cvtlength", "CvtLength"}, {"CVTLENGTH", "CvtLength"},
        {"MezuraHelp", "MezuraHelp"}, {"VolVertCylSphCap", "VolVertCylSphCap"},
        {"CvtLengt", nullptr},        {"CvtLengthh", nullptr},    {"CvtLength ", nullptr},
        {"END", nullptr},             {"end", nullptr},           {"", nullptr},
        {"CvtVolumeFlowX", nullptr},  {"CvtVolume", "CvtVolume"},
    };
    for (const Row& row : rows) {
        size_t before = xlhost::RegisterCalls().size();
        xlhost::CallResult answer;
        ASSERT_TRUE(xlhost::AutoRegister(addin_, row.name, &answer));
        ASSERT_EQ(answer.cells.size(), 1u);
        const xlhost::CellValue& cell = answer.cells[0];
        if (row.registers) {
            ASSERT_EQ(xlhost::RegisterCalls().size(), before + 1) << "'" << row.name << "' must register";
            const xlhost::Registration& made = xlhost::RegisterCalls().back();
            EXPECT_EQ(made.procedure, row.registers) << row.name;
            ASSERT_EQ(cell.type, xltypeNum) << "'" << row.name << "' must answer the register id";
            EXPECT_EQ(cell.num, made.id) << row.name;
        } else {
            EXPECT_EQ(xlhost::RegisterCalls().size(), before) << "'" << row.name << "' must register nothing";
            EXPECT_EQ(cell.type, xltypeErr) << row.name;
            EXPECT_EQ(cell.err, xlerrValue) << row.name;
        }
    }
    xlhost::CloseAddin(addin_);
}

TEST_F(EntryPointsTest, AutoRegisterAnswersValueForARecordThatIsNoText) {
    typedef XLOPER*(XLLAPI * AutoRegisterEntry)(XLOPER*);
    auto entry = reinterpret_cast<AutoRegisterEntry>(xlhost::FindExport(addin_, "xlAutoRegister"));
    ASSERT_NE(entry, nullptr);
    XLOPER number = Num(7);
    XLOPER missing = Missing();
    for (XLOPER* argument : {&number, &missing, static_cast<XLOPER*>(nullptr)}) {
        XLOPER* answer = entry(argument);
        ASSERT_NE(answer, nullptr);
        EXPECT_EQ(answer->xltype, xltypeErr) << "static error record, no free bit";
        EXPECT_EQ(answer->val.err, xlerrValue);
    }
    EXPECT_EQ(xlhost::CallCount(xlfRegister), 0u);
}

TEST_F(EntryPointsTest, AddInManagerInfoGivesTheLongNameOnlyForActionOne) {
    CountedText one("1"), word("one");
    struct Row { XLOPER action; bool name; const char* what; };
    const Row rows[] = {
        {Num(1), true, "number 1"},   {Int(1), true, "integer 1"},      {one.Record(), true, "text 1"},
        {Num(2), false, "number 2"},  {word.Record(), false, "text one"}, {Missing(), false, "missing"},
        {Err(xlerrName), false, "error"}, {Num(0), false, "number 0"},
    };
    size_t names = 0;
    for (const Row& row : rows) {
        xlhost::CallResult answer;
        ASSERT_TRUE(xlhost::AddinManagerInfo(addin_, row.action, &answer));
        ASSERT_EQ(answer.cells.size(), 1u);
        if (row.name) {
            ++names;
            ASSERT_EQ(answer.cells[0].type, xltypeStr) << row.what;
            EXPECT_EQ(answer.cells[0].text, "Mezura") << row.what;
        } else {
            EXPECT_EQ(answer.cells[0].type, xltypeErr) << row.what;
            EXPECT_EQ(answer.cells[0].err, xlerrValue) << row.what;
        }
    }
    xlhost::LedgerSummary ledger = xlhost::ReadLedger();
    EXPECT_EQ(ledger.addinBlocks, names) << "each name is an owned block; the #VALUE! answers are static";
    EXPECT_EQ(ledger.addinFreed, names);
}

TEST_F(EntryPointsTest, AddingAndRemovingShowAlertsAndRegisterNothing) {
    EXPECT_EQ(xlhost::AddinManagerAdd(addin_), 1);
    EXPECT_EQ(xlhost::AddinManagerRemove(addin_), 1);
    EXPECT_EQ(xlhost::Alerts(), (std::vector<std::string>{"Successfully added Mezura.", "Successfully removed Mezura."}));
    EXPECT_TRUE(xlhost::LiveRegistrations().empty());
    EXPECT_EQ(xlhost::CallCount(xlfAddCommand), 0u);
}

TEST_F(EntryPointsTest, TheLedgerBalancesOverOpenCalculateClose) {
    ASSERT_EQ(xlhost::OpenAddin(addin_), 1);
    xlhost::SetCell(xlhost::CallingSheet(), 0, 0, xlhost::CellValue::Number(12));
    xlhost::SetCell(xlhost::CallingSheet(), 0, 1, xlhost::CellValue::Text("inches"));
    CountedText feet("feet");
    struct Row { const char* name; std::vector<XLOPER> arguments; };
    const Row rows[] = {
        {"CvtLength", {CellRef(0, 0), CellRef(0, 1), feet.Record()}},
        {"cvtlength", {Num(12), Int(10), Int(8)}},
        {"VolSphere", {Num(1), Num(2)}},
        {"VolVertCyl", {CellRef(0, 1), Num(2), Num(3)}},
    };
    for (const Row& row : rows) {
        xlhost::CallResult result;
        EXPECT_EQ(xlhost::CallRegistered(addin_, row.name, row.arguments, &result), xlhost::CallStatus::Called)
            << row.name << ": registered, exported and called";
    }
    ASSERT_EQ(xlhost::CloseAddin(addin_), 1);
    xlhost::LedgerSummary ledger = xlhost::ReadLedger();
    EXPECT_EQ(ledger.addinFreed, ledger.addinBlocks);
    EXPECT_EQ(ledger.released, ledger.handedOut);
}

}  // namespace
