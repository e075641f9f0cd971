// The worked examples that the help file and the setup workbook print, checked against the add-in.
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "addin_calls.h"
#include "addin_loader.h"
#include "xlhost/emulated_excel_fixture.h"
#include "sheet_eval.h"
#include "sheet_file.h"

namespace {

struct PrintedExample {
    const char* function;
    const char* arguments;
    double number;
    const char* label;
    std::vector<std::string> texts;  // a list's column
};

const PrintedExample kPrintedExamples[] = {
#define WORKED_EXAMPLE(function, arguments, number, label) {function, arguments, number, label, {}},
#define WORKED_TEXTS(function, arguments, ...) {function, arguments, 0, "", {__VA_ARGS__}},
#include "make_docs/worked_examples.inc"
#undef WORKED_EXAMPLE
#undef WORKED_TEXTS
};

// The number of arguments in an example's call: commas outside quoted texts, plus one.
size_t ArgumentCount(const std::string& arguments) {
    size_t count = 1;
    bool quoted = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == '\\') ++i;
        else if (arguments[i] == '"') quoted = !quoted;
        else if (arguments[i] == ',' && !quoted) ++count;
    }
    return count;
}

// The examples, written apart from the add-in, stand for its worksheet functions: one each, in
// the function list's order, each calling its function with as many arguments as it registers.
TEST(WorkedExampleListTest, EveryWorksheetFunctionHasOneExampleWithItsArguments) {
    struct Listed {
        const char* procedure;
        size_t arguments;
    };
    const Listed listed[] = {
#define MEZURA_CONVERSION(procedure, type, arguments, category, context, description, helps, table, count, converter, source) \
    {#procedure, sizeof(type) - 2},
#define MEZURA_TANK(procedure, type, arguments, category, context, description, helps) {#procedure, sizeof(type) - 2},
#define MEZURA_LEVEL(procedure, type, arguments, category, context, description, helps, volume) \
    {#procedure, sizeof(type) - 2},
#define MEZURA_FUNCTION(procedure, type, arguments, category, context, description, helps) {#procedure, sizeof(type) - 2},
#include "addin/functions.inc"
    };
    ASSERT_EQ(std::size(kPrintedExamples), std::size(listed));
    for (size_t i = 0; i < std::size(listed); ++i) {
        EXPECT_STREQ(kPrintedExamples[i].function, listed[i].procedure) << "example " << i + 1;
        EXPECT_EQ(ArgumentCount(kPrintedExamples[i].arguments), listed[i].arguments) << listed[i].procedure;
    }
}

using WorkedExampleTest = OpenedAddinTest;

// What the documents print is what the add-in answers, to the last bit, label included.
TEST_F(WorkedExampleTest, EveryPrintedExampleIsTheAddinsAnswer) {
    // A conversion answers two cells of a row, a tank one cell, a list a column: each example
    // starts a row of its own below the last.
    std::string sheet;
    std::vector<int> firstRows;
    int row = 0;
    for (const PrintedExample& example : kPrintedExamples) {
        firstRows.push_back(row);
        std::string top = std::to_string(row + 1);
        std::string range = !example.texts.empty() ? ":A" + std::to_string(row + int(example.texts.size()))
                            : *example.label     ? ":B" + top
                                                 : "";
        sheet += "A" + top + range + " = " + example.function + "(" + example.arguments + ")\n";
        row += example.texts.empty() ? 1 : int(example.texts.size());
    }
    std::vector<xlhost::SheetEntry> entries;
    std::string error;
    ASSERT_TRUE(xlhost::ParseSheet(sheet, &entries, &error)) << error;
    xlhost::EvaluateSheet(addin_, entries);
    for (size_t i = 0; i < std::size(kPrintedExamples); ++i) {
        const PrintedExample& example = kPrintedExamples[i];
        row = firstRows[i];
        for (size_t t = 0; t < example.texts.size(); ++t)
            EXPECT_EQ(xlhost::FormatCell(xlhost::GetCell(xlhost::CallingSheet(), row + int(t), 0)), example.texts[t])
                << example.function << "(" << example.arguments << ") row " << t + 1;
        if (!example.texts.empty()) continue;
        const xlhost::CellValue& number = xlhost::GetCell(xlhost::CallingSheet(), row, 0);
        const xlhost::CellValue& label = xlhost::GetCell(xlhost::CallingSheet(), row, 1);
        ASSERT_EQ(number.type, xltypeNum) << example.function << ": " << xlhost::FormatCell(number);
        char exact[32];
        std::snprintf(exact, sizeof exact, "%.17g", number.num);
        EXPECT_EQ(number.num, example.number) << example.function << "(" << example.arguments << ") answers " << exact;
        if (*example.label) {
            EXPECT_EQ(xlhost::FormatCell(label), example.label) << example.function;
        }
    }
}

}  // namespace
