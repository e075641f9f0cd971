// install.xls: how to finish the installation in Excel, the worked examples and the functions.
#include "workbook/install_workbook.h"

#include "documented_functions.h"
#include "output_file.h"
#include "registration_table.h"
#include "workbook/compound_file.h"
#include "workbook/workbook_stream.h"
#include "worked_examples.h"

namespace {

// "Help > Mezura...": the menu and item the add-in adds, read from its menu table.
std::string HelpMenuPath() {
    const MenuCommandEntry& item = g_menuTable[0];
    std::string menu = item.menuName[0] == ' ' ? item.menuName + 1 : item.menuName;
    return menu + " > " + AddinString(item.itemTextId);
}

// The categories in order of first use: "Unit Converions" and "Volume Calculations".
std::string QuotedCategories() {
    std::vector<std::string> categories;
    for (const DocumentedFunction& function : DocumentedFunctions()) {
        bool seen = false;
        for (const std::string& category : categories) seen = seen || category == function.category;
        if (!seen) categories.push_back(function.category);
    }
    std::string text;
    for (size_t i = 0; i < categories.size(); ++i)
        text += (i == 0 ? "\"" : i + 1 == categories.size() ? " and \"" : ", \"") + categories[i] + "\"";
    return text;
}

WorkbookSheet InstallSheet() {
    WorkbookSheet sheet{"Install", {52, 22, 24}, {}};
    const char* const instructions[] = {
        "1. In Excel choose Tools > Add-Ins...",
        "2. Choose Browse... and open the folder Setup installed the add-in to.",
        "3. Choose MEZURA32.XLL (in 64-bit Excel: MEZURA64.XLL), then OK.",
        "4. The add-in now appears ticked in the list of add-ins: choose OK.",
    };
    uint16_t row = 0;
    sheet.cells.push_back(TextCell(row, 0, "Mezura Engineering Add-In", true));
    row += 2;
    sheet.cells.push_back(TextCell(row++, 0, "To finish the installation, add the add-in to Excel:", true));
    for (const char* line : instructions) sheet.cells.push_back(TextCell(row++, 0, line));
    ++row;
    sheet.cells.push_back(TextCell(row++, 0, "The worksheet functions then appear in the function wizard (Insert > Function...) under " +
                                                 QuotedCategories() + "."));
    sheet.cells.push_back(TextCell(row++, 0, "The help file MEZURA.HLP lies beside the add-in. " + HelpMenuPath() +
                                                 " opens the add-in's About box, whose Help button opens the help file."));
    sheet.cells.push_back(TextCell(row++, 0, "In the function wizard the Help button opens the topic of the chosen function."));
    ++row;
    sheet.cells.push_back(TextCell(row++, 0, "Worked examples", true));
    const char* const headers[] = {"Formula", "Result", "Units"};
    for (uint16_t column = 0; column < 3; ++column) sheet.cells.push_back(TextCell(row, column, headers[column], true));
    ++row;
    for (const WorkedExample& example : WorkedExamples()) {
        sheet.cells.push_back(TextCell(row, 0, ExampleFormula(example)));
        sheet.cells.push_back(NumberCell(row, 1, example.number));
        // A tank function answers without a label: its volume is in the cube of its length unit.
        if (!example.label.empty()) sheet.cells.push_back(TextCell(row, 2, example.label));
        ++row;
    }
    return sheet;
}

WorkbookSheet FunctionsSheet() {
    WorkbookSheet sheet{"Functions", {18, 20, 48, 60}, {}};
    const char* const headers[] = {"Function", "Category", "Arguments", "Description"};
    for (uint16_t column = 0; column < 4; ++column) sheet.cells.push_back(TextCell(0, column, headers[column], true));
    uint16_t row = 1;
    for (const DocumentedFunction& function : DocumentedFunctions()) {
        std::string arguments;
        for (const DocumentedArgument& argument : function.arguments)
            arguments += (arguments.empty() ? "" : ", ") + argument.name;
        sheet.cells.push_back(TextCell(row, 0, function.name));
        sheet.cells.push_back(TextCell(row, 1, function.category));
        sheet.cells.push_back(TextCell(row, 2, arguments));
        sheet.cells.push_back(TextCell(row, 3, function.description));
        ++row;
    }
    return sheet;
}

}  // namespace

bool WriteInstallWorkbook(const char* path, std::string* error) {
    std::vector<uint8_t> stream;
    std::vector<uint8_t> file;
    if (!BuildWorkbookStream({InstallSheet(), FunctionsSheet()}, &stream, error) ||
        !BuildCompoundFile("Workbook", stream, &file, error))
        return false;
    return WriteWholeFile(path, file, error);
}
