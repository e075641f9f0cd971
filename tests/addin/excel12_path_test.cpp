// The Excel12 path: which hosts take it, and the same bits through it as through Excel4.
#include <cstring>
#include <thread>

#include "addin_calls.h"
#include "xlhost/emulated_excel_fixture.h"
#include "host_interface.h"
#include "registry.h"

namespace {

// The host's major version and whether the host program exports Excel12 decide the path.
TEST(HostInterfaceTest, VersionTwelveOfferingExcel12TakesThatPath) {
    struct Row {
        int version;
        bool offered;
        HostInterface expected;
    };
    const Row rows[] = {
        {0, true, HostInterface::Excel4},   {5, true, HostInterface::Excel4},   {8, true, HostInterface::Excel4},
        {11, true, HostInterface::Excel4},  {12, true, HostInterface::Excel12}, {16, true, HostInterface::Excel12},
        {16, false, HostInterface::Excel4}, {12, false, HostInterface::Excel4},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ChooseHostInterface(row.version, row.offered), row.expected) << row.version << " " << row.offered;
}

class Excel12PathTest : public LoadedAddinTest {
protected:
    // Opens the add-in in a host of `version` and answers its registration of `name`.
    xlhost::Registration OpenAs(const char* version, const char* name) {
        xlhost::StartEmulatedExcel();
        xlhost::SetHostVersion(version);
        EXPECT_EQ(xlhost::OpenAddin(addin_), 1);
        const xlhost::Registration* found = xlhost::FindRegisteredName(name);
        return found ? *found : xlhost::Registration{};
    }
};

TEST_F(Excel12PathTest, FunctionsRegisterThreadSafeFromVersionTwelveAndTheCommandStays) {
    struct Row {
        const char* version;
        const char* cvtLength;  // procedure and type text
        const char* volHorzCylCap;
    };
    const Row rows[] = {
        {"5.0", "CvtLength RRRR", "VolHorzCylCap RRRRR"},
        {"11.0", "CvtLength RRRR", "VolHorzCylCap RRRRR"},
        {"12.0", "CvtLength12 UUUU$", "VolHorzCylCap12 UUUUU$"},
        {"16.0", "CvtLength12 UUUU$", "VolHorzCylCap12 UUUUU$"},
    };
    std::vector<xlhost::CellValue> today;  // the version 5 registration's arguments
    for (const Row& row : rows) {
        xlhost::Registration cvt = OpenAs(row.version, "CvtLength");
        xlhost::Registration tank = *xlhost::FindRegisteredName("VolHorzCylCap");
        xlhost::Registration help = *xlhost::FindRegisteredName("MezuraHelp");
        EXPECT_EQ(cvt.procedure + " " + cvt.typeText, row.cvtLength) << row.version;
        EXPECT_EQ(tank.procedure + " " + tank.typeText, row.volHorzCylCap) << row.version;
        EXPECT_EQ(help.procedure + " " + help.typeText, "MezuraHelp A") << row.version;
        // After procedure and type text every argument is the same: name, argument names,
        // macro type, category, shortcut and the helps, in UTF-16 or not. The help topic (8)
        // names the help file that version opens (addin_directory.h), whichever path it takes.
        if (today.empty()) today = cvt.arguments;
        ASSERT_EQ(cvt.arguments.size(), today.size()) << row.version;
        for (size_t i = 3; i < today.size(); ++i) {
            if (i == 8) continue;
            EXPECT_EQ(cvt.arguments[i].type, today[i].type) << row.version << " argument " << i;
            EXPECT_EQ(cvt.arguments[i].text, today[i].text) << row.version << " argument " << i;
        }
        xlhost::CloseAddin(addin_);
    }
}

// One call of every worksheet function: the Excel4 form on a version 5 host's main thread
// (today's path), the Excel12 form on a fresh recalculation thread at 53-bit precision in a
// version 16 host. The numbers must agree to the last bit, the labels exactly, and the thread's
// control word must be as it was.
TEST_F(Excel12PathTest, BothPathsGiveTheSameBitsForEveryFunction) {
    struct Call {
        const char* name;
        std::vector<XLOPER> arguments;
        WORD answers = xltypeNum;  // the type of the first cell
    };
    CountedText inches("inches"), feet("FEET");
    std::vector<Call> calls = {{"CvtLength", {Num(12), inches.Record(), feet.Record()}}};
#define MEZURA_CONVERSION(procedure, type, arguments, category, context, description, helps, table, count, converter, source) \
    calls.push_back({#procedure, {Num(12.5), Num(1), Num(count)}});
#define MEZURA_TANK(procedure, type, arguments, category, context, description, helps) \
    calls.push_back({#procedure, {Num(1.5), Num(2), Num(10), Num(12)}});
#define MEZURA_LEVEL(procedure, type, arguments, category, context, description, helps, volume) \
    calls.push_back({#procedure, {Num(3), Num(2), Num(10), Num(12)}});
#include "functions.inc"
    calls.push_back({"UnitLabels", {Num(12)}, xltypeStr});

    OpenAs("5.0", "CvtLength");
    std::vector<xlhost::CallResult> today(calls.size());
    for (size_t i = 0; i < calls.size(); ++i)
        ASSERT_EQ(xlhost::CallRegistered(addin_, calls[i].name, calls[i].arguments, &today[i]), xlhost::CallStatus::Called);
    xlhost::CloseAddin(addin_);

    OpenAs("16.0", "CvtLength");
    std::vector<xlhost::CallResult> threadSafe(calls.size());
    std::vector<uint16_t> controlAfter(calls.size());
    std::thread recalculation([&] {
        xlhost::MarkRecalculationThread();
        SetPrecisionControl(xlhost::kPrecision53);
        for (size_t i = 0; i < calls.size(); ++i) {
            xlhost::CallRegistered(addin_, calls[i].name, calls[i].arguments, &threadSafe[i]);
            controlAfter[i] = ReadPrecisionControl();
        }
    });
    recalculation.join();
    xlhost::CloseAddin(addin_);

    for (size_t i = 0; i < calls.size(); ++i) {
        ASSERT_EQ(today[i].cells.size(), threadSafe[i].cells.size()) << calls[i].name;
        EXPECT_EQ(today[i].cells[0].type, calls[i].answers) << calls[i].name << ": a call that computes nothing proves nothing";
        for (size_t c = 0; c < today[i].cells.size(); ++c) {
            EXPECT_EQ(today[i].cells[c].type, threadSafe[i].cells[c].type) << calls[i].name;
            EXPECT_EQ(std::memcmp(&today[i].cells[c].num, &threadSafe[i].cells[c].num, sizeof(double)), 0)
                << calls[i].name << ": " << today[i].cells[c].num << " against " << threadSafe[i].cells[c].num;
            EXPECT_EQ(today[i].cells[c].text, threadSafe[i].cells[c].text) << calls[i].name;
        }
        EXPECT_EQ(controlAfter[i], xlhost::kPrecision53) << calls[i].name << " left the caller's precision changed";
    }
}

}  // namespace
