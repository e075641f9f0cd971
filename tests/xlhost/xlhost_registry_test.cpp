// The emulated Excel's registry: re-registration, names, unregistering and menus beyond what the add-in exercises.
#include "emulated_excel_fixture.h"
#include "registry.h"

namespace {

using HostRegistryTest = HostTest;

double RegisterNamed(const char* procedure, const char* name) {
    CountedText module("C:\\A.XLL"), proc(procedure), type("RR"), function(name);
    XLOPER m = module.Record(), p = proc.Record(), t = type.Record(), f = function.Record();
    XLOPER id = Err(xlhost::xlerrNA);
    EXPECT_EQ(Excel4(xlfRegister, &id, 4, &m, &p, &t, &f), xlretSuccess);
    EXPECT_EQ(id.xltype, xltypeNum) << procedure;
    return id.val.num;
}

TEST_F(HostRegistryTest, RegisteringAgainKeepsTheIdAndMovesTheName) {
    double first = RegisterNamed("Fn", "OldName");
    double again = RegisterNamed("fn", "NewName");  // procedures compare without case
    EXPECT_EQ(again, first);
    EXPECT_EQ(xlhost::ReRegistrations(), 1u);
    EXPECT_EQ(xlhost::LiveRegistrations().size(), 1u);
    EXPECT_EQ(xlhost::FindRegisteredName("OldName"), nullptr);
    ASSERT_NE(xlhost::FindRegisteredName("newname"), nullptr);

    // Deleting the name leaves the registration; unregistering ends it, once.
    CountedText name("NewName");
    XLOPER n = name.Record(), answer = Err(xlhost::xlerrNA), id = Num(first);
    ASSERT_EQ(Excel4(xlfSetName, &answer, 1, &n), xlretSuccess);
    EXPECT_EQ(answer.xltype, xltypeBool);
    EXPECT_EQ(xlhost::FindRegisteredName("NewName"), nullptr);
    EXPECT_EQ(xlhost::LiveRegistrations().size(), 1u);
    for (bool expected : {true, false}) {
        ASSERT_EQ(Excel4(xlfUnregister, &answer, 1, &id), xlretSuccess);
        ASSERT_EQ(answer.xltype, xltypeBool);
        EXPECT_EQ(answer.val.xbool != 0, expected);
    }
    EXPECT_TRUE(xlhost::LiveRegistrations().empty());
}

TEST_F(HostRegistryTest, MenuCallsNeedAnExistingBarAndMenu) {
    CountedText help("help"), nowhere("Nowhere"), item("Item"), command("Cmd");
    XLOPER elements[2] = {item.Record(), command.Record()};
    XLOPER description{};
    description.xltype = xltypeMulti;
    description.val.array = {elements, 1, 2};
    struct Row { double bar; XLOPER menu; WORD answers; size_t items; };
    const Row rows[] = {{10, help.Record(), xltypeNum, 1}, {10, nowhere.Record(), xltypeErr, 1},
                        {7, help.Record(), xltypeErr, 1}, {10, help.Record(), xltypeNum, 2}};
    for (Row row : rows) {
        XLOPER bar = Num(row.bar), answer = Nil();
        ASSERT_EQ(Excel4(xlfAddCommand, &answer, 3, &bar, &row.menu, &description), xlretSuccess);
        EXPECT_EQ(answer.xltype, row.answers) << "bar " << row.bar << " menu " << TextOf(row.menu.val.str);
        EXPECT_EQ(xlhost::FindMenu(10, "Help")->size(), row.items);
    }
    XLOPER bar = Num(10), menu = help.Record(), text = item.Record(), answer = Nil();
    for (WORD expected : {xltypeBool, xltypeBool, xltypeErr}) {
        ASSERT_EQ(Excel4(xlfDeleteCommand, &answer, 3, &bar, &menu, &text), xlretSuccess);
        EXPECT_EQ(answer.xltype, expected);
    }
}

}  // namespace
