// The add-in's entry points as the emulated Excel drives them: registration, menu, closing, add-in manager.
#include <algorithm>
#include <cstring>

#include "addin_calls.h"
#include "addin_loader.h"
#include "xlhost/emulated_excel_fixture.h"
#include "registry.h"

namespace {

struct ExpectedRow {
    const char* procedure;
    const char* typeText;
    const char* argumentText;
    const char* category;
    unsigned helpContext;
    const char* functionHelp;
    std::vector<const char*> argumentHelps;
};

const char kConvert[] = "value,units,new_units";
const char kUnits[] = "Unit Converions";  // the category as the add-in has always spelled it
const char kVolumes[] = "Volume Calculations";
const std::vector<const char*> kConvertHelps = {"Value in original units",
                                                "Label text or Index number for original units",
                                                "Label text or Index number for desired units"};
const char kHeight[] = "Height of material in the tank";
const char kCylRadius[] = "Radius of the cylindrical portion of the tank";
const char kCylLength[] = "Length of the cylindrical portion of the tank";
const char kMaxLength[] = "Maximum inside length from end cap to end cap";

const std::vector<ExpectedRow>& ExpectedTable() {
    static const std::vector<ExpectedRow> rows = {
        {"CvtAcceleration", "RRRR", kConvert, kUnits, 1000, "Convert between Acceleration Units", kConvertHelps},
        {"CvtArea", "RRRR", kConvert, kUnits, 1001, "Convert between Area Units", kConvertHelps},
        {"CvtDensity", "RRRR", kConvert, kUnits, 1002, "Convert between Density Units", kConvertHelps},
        {"CvtEnergy", "RRRR", kConvert, kUnits, 1003, "Convert between Energy, Heat, and Work Units", kConvertHelps},
        {"CvtEnthalpy", "RRRR", kConvert, kUnits, 1004, "Convert between Enthalpy Units", kConvertHelps},
        {"CvtEntropy", "RRRR", kConvert, kUnits, 1005, "Convert between Entropy (or Heat Capacity) Units", kConvertHelps},
        {"CvtLength", "RRRR", kConvert, kUnits, 1006, "Convert between Length (Distance) Units", kConvertHelps},
        {"CvtMass", "RRRR", kConvert, kUnits, 1007, "Convert between Mass Units", kConvertHelps},
        {"CvtMassFlow", "RRRR", kConvert, kUnits, 1008, "Convert between Mass Flow Units", kConvertHelps},
        {"CvtPower", "RRRR", kConvert, kUnits, 1009, "Convert between Power Units", kConvertHelps},
        {"CvtPressure", "RRRR", kConvert, kUnits, 1010, "Convert between Pressure Units", kConvertHelps},
        {"CvtTemperature", "RRRR", kConvert, kUnits, 1011, "Convert between Temperature Units", kConvertHelps},
        {"CvtThermCond", "RRRR", kConvert, kUnits, 1012, "Convert between Thermal Conductivity Units", kConvertHelps},
        {"CvtVelocity", "RRRR", kConvert, kUnits, 1013, "Convert between Velocity (Speed) Units", kConvertHelps},
        {"CvtViscosity", "RRRR", kConvert, kUnits, 1014, "Convert between Viscosity Units", kConvertHelps},
        {"CvtVolume", "RRRR", kConvert, kUnits, 1015, "Convert between Volume Units", kConvertHelps},
        {"CvtVolumeFlow", "RRRR", kConvert, kUnits, 1016, "Convert between Volumetric Flow Units", kConvertHelps},
        {"VolSphere", "RRR", "mtl_height,radius", kVolumes, 1100, "Calculate volume of material in a spherical tank",
         {kHeight, "Radius of the spherical tank"}},
        {"VolHorzCyl", "RRRR", "mtl_height,radius,length", kVolumes, 1101,
         "Calculate volume of material in a horizontal cylinder tank", {kHeight, kCylRadius, kCylLength}},
        {"VolHorzCylCap", "RRRRR", "mtl_height,radius,cyl_length,max_length", kVolumes, 1102,
         "Calculate volume of material in a horizontal cylinder tank with ellipsoid end caps",
         {kHeight, kCylRadius, kCylLength, kMaxLength}},
        {"VolVertCyl", "RRRR", "mtl_height,radius,length", kVolumes, 1103,
         "Calculate volume of material in a vertical cylinder tank", {kHeight, kCylRadius, kCylLength}},
        {"VolTaperedCyl", "RRRRR", "mtl_height,bottom_radius,top_radius,length", kVolumes, 1104,
         "Calculate volume of material in a vertical tapered cylinder tank",
         {kHeight, "Radius of the bottom of the tank", "Radius of the top of the tank", kCylLength}},
        {"VolVertCylSphCap", "RRRRR", "mtl_height,radius,cyl_length,max_length", kVolumes, 1105,
         "Calculate volume of material in a vertical cylinder tank with spherical end caps",
         {kHeight, kCylRadius, kCylLength, kMaxLength}},
        {"MezuraHelp", "A", "", "", 3, "", {}},
    };
    return rows;
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
        for (const ExpectedRow& row : ExpectedTable()) {
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
        for (const ExpectedRow& row : ExpectedTable())
            EXPECT_EQ(xlhost::FindRegisteredName(row.procedure), nullptr) << when << ": name " << row.procedure << " left";
        EXPECT_EQ(LiveCount("CheckInstance"), 0u) << when;
        EXPECT_TRUE(HelpMenu().empty()) << when << ": menu item left";
    }

    std::string directory_;
};

TEST_F(EntryPointsTest, OpeningRegistersEveryRowInTableOrderWithItsTexts) {
    ASSERT_EQ(xlhost::OpenAddin(addin_), 1);
    const auto& calls = xlhost::RegisterCalls();
    const auto& expected = ExpectedTable();
    ASSERT_EQ(calls.size(), 1 + expected.size()) << "CheckInstance, then the 24 rows";
    EXPECT_EQ(calls[0].procedure, "CheckInstance");
    EXPECT_EQ(calls[0].arguments.size(), 3u);
    EXPECT_EQ(TextArgument(calls[0], 2), "J");

    for (size_t i = 0; i < expected.size(); ++i) {
        const ExpectedRow& row = expected[i];
        const xlhost::Registration& call = calls[i + 1];
        SCOPED_TRACE(std::string("row ") + std::to_string(i + 1) + " " + row.procedure);
        ASSERT_EQ(call.arguments.size(), 10 + row.argumentHelps.size());
        const bool command = std::string(row.typeText) == "A";
        const std::string fields[10] = {addin_.path, row.procedure, row.typeText, row.procedure, row.argumentText,
                                        command ? "2" : "1", row.category, "",
                                        directory_ + "MEZURA.HLP!" + std::to_string(row.helpContext), row.functionHelp};
        for (size_t f = 0; f < 10; ++f) EXPECT_EQ(TextArgument(call, f), fields[f]) << "argument " << f + 1;
        for (size_t h = 0; h < row.argumentHelps.size(); ++h)
            EXPECT_EQ(TextArgument(call, 10 + h), row.argumentHelps[h]) << "argument help " << h + 1;
    }
    EXPECT_TRUE(xlhost::UnhandledCalls().empty());
    xlhost::CloseAddin(addin_);
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
    for (const ExpectedRow& row : ExpectedTable()) expectedNames.push_back(row.procedure);
    EXPECT_EQ(xlhost::DeletedNames(), expectedNames) << "the 24 names, in table order";
    EXPECT_EQ(xlhost::CallCount(xlfUnregister), 1u);
}

TEST_F(EntryPointsTest, ClosingWithoutOpeningStillDeletesAndIgnoresTheRefusals) {
    ASSERT_EQ(xlhost::CloseAddin(addin_), 1);
    EXPECT_EQ(xlhost::DeletedNames().size(), 24u);
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
    EXPECT_EQ(xlhost::CallCount(xlGetName), 2u + 24u) << "StopAutomation and KeepDLLLoaded, then every row";
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
    EXPECT_EQ(xlhost::RegisterCalls().back().procedure, "MezuraHelp");
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
    size_t called = 0;
    for (const Row& row : rows) {
        xlhost::CallResult result;
        xlhost::CallStatus status = xlhost::CallRegistered(addin_, row.name, row.arguments, &result);
        ASSERT_NE(status, xlhost::CallStatus::NotRegistered) << row.name;
        if (status == xlhost::CallStatus::NoExport) continue;  // that family has not landed in the module yet
        ASSERT_EQ(status, xlhost::CallStatus::Called) << row.name;
        ++called;
    }
    ASSERT_EQ(xlhost::CloseAddin(addin_), 1);
    if (called == 0) GTEST_SKIP() << "no worksheet function is exported yet";
    xlhost::LedgerSummary ledger = xlhost::ReadLedger();
    EXPECT_EQ(ledger.addinFreed, ledger.addinBlocks);
    EXPECT_EQ(ledger.released, ledger.handedOut);
}

}  // namespace
