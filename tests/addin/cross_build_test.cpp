// What must not differ between MEZURA32.xll, MEZURA64.xll and the native module: the numbers,
// the procedure names Excel resolves, and which host versions take the Excel 8.0 reference path.
#include <string>
#include <vector>

#include "addin_calls.h"
#include "addin_loader.h"
#ifdef _WIN32
#include "automation_server.h"
#endif
#include "addin/host/registration_table.h"
#include "xlhost/emulated_excel_fixture.h"
#include "registry.h"
#include "addin/units/units_test_support.h"

namespace {

using units_test::Bits;

using CrossBuildTest = OpenedAddinTest;

// Answers of the loaded module, called by their registered names as a sheet calls them. The
// expected bits are one committed table that the native, 64-bit and 32-bit test runs all check,
// so the builds agree with each other bit for bit without ever sharing a process. Heights keep
// away from nearly empty segments, where the runtimes' acos differ (the tank tests cover those).
struct CrossRow {
    const char* function;
    std::vector<double> numbers;  // the value, or the tank's height and dimensions
    short units, newUnits;        // conversions: unit indices; 0 for the tank functions
    double expected;
};

const CrossRow kCrossRows[] = {
    {"CvtAcceleration", {9.80665}, 1, 3, 0x1.8216ad5ab56adp+8},
    {"CvtArea", {2.5}, 2, 5, 0x1.02ffb21474f0cp+0},
    {"CvtDensity", {1000}, 1, 4, 0x1.150e682c5439ap+6},
    {"CvtEnergy", {3.6e6}, 1, 5, 0x1.aaab923a29c78p+11},
    {"CvtEnthalpy", {1}, 1, 2, 0x1.b83f47f839a8fp-2},
    {"CvtEntropy", {4.1868}, 1, 3, 0x1.0000cee0f179ep+0},
    {"CvtLength", {12}, 10, 8, 0x1.fffffffffffffp-1},
    {"CvtLength", {1}, 8, 10, 0x1.8000000000001p+3},
    {"CvtMass", {0.45359237}, 1, 3, 0x1.1b7ec779a6b51p+11},
    {"CvtMassFlow", {7}, 2, 4, 0x1.3bp+13},
    {"CvtPower", {745.7}, 1, 4, 0x1.f78a46760418ap+24},
    {"CvtPressure", {101325}, 1, 5, 0x1.b4a1ce20a2b7dp+12},
    {"CvtTemperature", {100}, 1, 3, 0x1.a8p+7},
    {"CvtTemperature", {273.15}, 2, 1, -0x1.ce38e38e38e39p-46},
    {"CvtTemperature", {-40}, 3, 4, 0x1.a3ab851eb851fp+8},
    {"CvtThermCond", {0.6}, 1, 2, 0x1.2cp+9},
    {"CvtVelocity", {100}, 1, 3, 0x1.aaaaaaaaaaaabp+0},
    {"CvtViscosity", {0.001}, 1, 2, 0x1.4f8b588e368f1p-17},
    {"CvtVolume", {1}, 1, 5, 0x1.f02957a0db492p-9},
    {"CvtVolumeFlow", {2.5}, 1, 3, 0x1.6c16c16c16c17p-11},
    {"VolSphere", {0.7, 1.3}, 0, 0, 0x1.a45a7d5126a96p+0},
    {"VolSphere", {1.9, 1.3}, 0, 0, 0x1.e3e3986bf28bdp+2},
    {"VolVertCyl", {2.5, 1.2, 4}, 0, 0, 0x1.69e95657d3e61p+3},
    {"VolHorzCyl", {1.5, 1, 10}, 0, 0, 0x1.94629fa983a7fp+4},
    {"VolHorzCyl", {0.4, 1.25, 6}, 0, 0, 0x1.8556df7fd188bp+1},
    {"VolHorzCylCap", {1.5, 1, 10, 11}, 0, 0, 0x1.b0a8d88ab91e7p+4},
    {"VolHorzCylCap", {0.4, 1.25, 6, 7.5}, 0, 0, 0x1.b0727d40998e2p+1},
    {"VolVertCylSphCap", {1.5, 1, 10, 11}, 0, 0, 0x1.d524fe25ffb88p+1},
    {"VolVertCylSphCap", {2.2, 1, 10, 10.5}, 0, 0, 0x1.8c427217ddef8p+2},
    {"VolTaperedCyl", {1.5, 1, 2, 10}, 0, 0, 0x1.5d1801af6242bp+2},
    {"VolTaperedCyl", {0.4, 1.25, 0.5, 7.5}, 0, 0, 0x1.e6bdcf37032cap+0},
};

TEST_F(CrossBuildTest, ConversionsAndVolumesMatchTheCommittedBits) {
    for (const CrossRow& row : kCrossRows) {
        std::vector<XLOPER> args;
        for (double number : row.numbers) args.push_back(Num(number));
        if (row.units) {
            args.push_back(Int(row.units));
            args.push_back(Int(row.newUnits));
        }
        std::string call = std::string(row.function) + "(" + std::to_string(row.numbers[0]) + ", ...)";
        xlhost::CallResult result;
        ASSERT_EQ(xlhost::CallRegistered(addin_, row.function, args, &result), xlhost::CallStatus::Called) << call;
        ASSERT_FALSE(result.cells.empty()) << call;
        ASSERT_EQ(result.cells[0].type, xltypeNum) << call << ": type " << result.cells[0].type;
        double got = result.cells[0].num;
        EXPECT_EQ(Bits(got), Bits(row.expected))
            << call << " units " << row.units << "->" << row.newUnits << ": got " << std::hexfloat << got
            << ", expected " << row.expected;
    }
}

// Excel finds every procedure it was asked to register with GetProcAddress, by the very text
// registered (the About box, Windows code, is missing natively); its dialog procedure is
// exported under its decorated name though never registered.
TEST_F(CrossBuildTest, EveryRegisteredProcedureResolvesExactlyAsRegistered) {
    const auto live = xlhost::LiveRegistrations();
    size_t rows = 0;
    for (const RegistrationEntry* row = g_registrationTable; !IsSentinelRow(*row); ++row) ++rows;
    EXPECT_EQ(live.size(), rows + 1) << "every table row and CheckInstance";
    for (const xlhost::Registration& registration : live) {
#ifndef _WIN32
        if (registration.procedure == "MezuraHelp") continue;  // the About box is Windows code
#endif
        EXPECT_NE(xlhost::FindExport(addin_, registration.procedure.c_str()), nullptr) << registration.procedure;
    }
#ifdef _WIN32
    const auto* help = xlhost::FindMenu(10, "Help");
    ASSERT_NE(help, nullptr);
    for (const auto& item : *help)
        EXPECT_NE(xlhost::FindExport(addin_, item.command.c_str()), nullptr) << "menu command " << item.command;
    EXPECT_NE(xlhost::FindExport(addin_, "_about_dlg@4"), nullptr);
    EXPECT_EQ(xlhost::FindExport(addin_, "about_dlg"), nullptr) << "the dialog procedure leaked under its plain name";
#endif
}

// The Excel 8.0 path (probe the reference, ask ISTEXT and OR, then read over automation) is
// built into every target but taken only for the version text "8.0". 64-bit Excel reports
// "14.0" or later, so MEZURA64.xll reads every reference through xlCoerce alone.
class HostVersionTest : public LoadedAddinTest {};

TEST_F(HostVersionTest, OnlyVersionEightTakesTheAutomationPath) {
    struct Row {
        const char* version;
        bool takesPath;
    };
    const Row rows[] = {{"14.0", false}, {"15.0", false}, {"16.0", false}, {"12.0", false},
                        {"5.0", false},  {"8.0", true}};
    for (const Row& row : rows) {
        xlhost::StartEmulatedExcel();
#ifdef _WIN32
        // Excel 8.0 is its own automation server: without one the add-in cannot confirm its host
        // and says so in a message box, which nobody here would answer.
        std::string error;
        if (row.takesPath) {
            ASSERT_TRUE(xlhost::StartAutomationServer(&error)) << error;
        }
#endif
        xlhost::SetHostVersion(row.version);
        xlhost::SetCell(xlhost::CallingSheet(), 0, 0, xlhost::CellValue::Text("inches"));
        ASSERT_EQ(xlhost::OpenAddin(addin_), 1) << row.version;
        CountedText feet("feet");
        xlhost::CallResult result;
        ASSERT_EQ(xlhost::CallRegistered(addin_, "CvtLength", {Num(12), CellRef(0, 0), feet.Record()}, &result),
                  xlhost::CallStatus::Called)
            << row.version;
        size_t pathCalls =
            xlhost::CallCount(xlcActivate) + xlhost::CallCount(xlfIstext) + xlhost::CallCount(xlfOr);
        EXPECT_EQ(pathCalls > 0, row.takesPath) << "host version " << row.version << ": " << pathCalls << " path calls";
        ASSERT_EQ(result.cells.size(), 2u) << row.version;
        EXPECT_EQ(result.cells[0].num, 0.9999999999999999) << row.version << ": the answer depends on no path";
        xlhost::CloseAddin(addin_);
#ifdef _WIN32
        if (row.takesPath) xlhost::StopAutomationServer();
#endif
        std::string problems;
        for (const auto& problem : xlhost::LedgerProblems()) problems += "\n  " + problem;
        EXPECT_TRUE(problems.empty()) << row.version << ":" << problems;
    }
}

}  // namespace
