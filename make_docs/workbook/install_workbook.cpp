// install.xls: how to finish the installation in Excel, the worked examples and the functions.
#include "workbook/install_workbook.h"

#include "documented_functions.h"
#include "output_file.h"
#include "registration_table.h"
#include "workbook/compound_file.h"
#include "workbook/workbook_stream.h"
#include "worked_examples.h"

namespace {

const char kTankUnits[] = "length unit cubed";
const char kLevelUnits[] = "length unit";

bool IsLevelFunction(const std::string& name) {
    for (const DocumentedFunction& function : DocumentedFunctions())
        if (function.name == name) return !function.volumeFunction.empty();
    return false;
}

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

// The number format that shows a result as the help shows it: its 15 significant digits without
// trailing zeros, where General would show every digit of 0.9999999999999999 in some readers.
std::string ResultFormat(double number) {
    std::string shown = GeneralFormat(number);
    if (shown.find('e') != std::string::npos) return "";  // General, which writes exponents itself
    size_t point = shown.find('.');
    return point == std::string::npos ? "0" : "0." + std::string(shown.size() - point - 1, '0');
}

// The lines of the Install sheet before its examples: a heading (bold) or a line of text, each
// short enough to print within the sheet's columns.
struct InstallLine {
    bool heading;
    std::string text;
};

std::vector<InstallLine> InstallLines() {
    return {
        {true, "Mezura Engineering Add-In"},
        {false, ""},
        {true, "Which file goes with your Excel"},
        {false, "MEZURA32.XLL: 32-bit Excel, that is Excel 97 to 2007, and the 32-bit edition of Excel 2010 or later."},
        {false, "MEZURA64.XLL: the 64-bit edition of Excel 2010 or later. Neither loads in the other Excel."},
        {false, "Which Excel you have: in Excel 2013 or later choose File > Account > About Excel; in Excel 2010"},
        {false, "File > Help. The first line ends in 32-bit or 64-bit. Excel 2007 and earlier are 32-bit."},
        {false, ""},
        {true, "Where Setup put the files"},
        {false, "In the folder you chose in Setup (it offered a MEZURA folder beside Excel): both add-ins, the"},
        {false, "help files MEZURA.CHM and MEZURA.HLP, and this workbook as INSTALL.XLS. Setup remembers that folder"},
        {false, "in the file win.ini of Windows, section [CORVANE], line Install=. To read it, press Windows+R,"},
        {false, "type  notepad %WINDIR%\\win.ini  and press Enter."},
        {false, ""},
        {true, "Adding the add-in to Excel 2007 or later"},
        {false, "Where Setup could tell your Excel, it added the add-in itself; if the functions below work, it did."},
        {false, "1. Choose File > Options > Add-ins (Excel 2007: the Office Button > Excel Options > Add-ins)."},
        {false, "2. Under Manage choose Excel Add-ins, then Go..."},
        {false, "3. Choose Browse..., open the folder Setup installed to, choose the file for your Excel, then OK."},
        {false, "4. Mezura now appears ticked in the list of add-ins: choose OK."},
        {false, ""},
        {true, "Adding the add-in to Excel 97 to 2003"},
        {false, "1. Choose Tools > Add-Ins..."},
        {false, "2. Choose Browse..., open the folder Setup installed to, choose MEZURA32.XLL, then OK."},
        {false, "3. Mezura now appears ticked in the list of add-ins: choose OK."},
        {false, ""},
        {false, "The functions then appear in the Function Wizard (Formulas > Insert Function; Excel 97 to 2003:"},
        {false, "Insert > Function...) under " + QuotedCategories() + "."},
        {false, "There, Help on this function opens the function's topic in MEZURA.CHM (MEZURA.HLP before Excel"},
        {false, "2007). " + HelpMenuPath() + " opens the add-in's About box, whose Help button opens the contents."},
        {false, ""},
    };
}

WorkbookSheet InstallSheet() {
    WorkbookSheet sheet{"Install", {62, 18, 22}, {}};
    uint16_t row = 0;
    for (const InstallLine& line : InstallLines()) {
        if (!line.text.empty()) sheet.cells.push_back(TextCell(row, 0, line.text, line.heading));
        ++row;
    }
    sheet.cells.push_back(TextCell(row++, 0, "Worked examples", true));
    const char* const headers[] = {"Formula", "Result", "Units"};
    for (uint16_t column = 0; column < 3; ++column) sheet.cells.push_back(TextCell(row, column, headers[column], true));
    ++row;
    for (const WorkedExample& example : WorkedExamples()) {
        sheet.cells.push_back(TextCell(row, 0, ExampleFormula(example)));
        if (!example.texts.empty()) {
            // A list fills a column of cells: one text a row.
            for (const std::string& text : example.texts) sheet.cells.push_back(TextCell(row++, 1, text));
            continue;
        }
        sheet.cells.push_back(NumberCell(row, 1, example.number, ResultFormat(example.number)));
        // A tank function answers without a label: its volume is in the cube of its length unit,
        // a level in that unit.
        const char* tankUnits = IsLevelFunction(example.function) ? kLevelUnits : kTankUnits;
        sheet.cells.push_back(TextCell(row, 2, example.label.empty() ? tankUnits : example.label));
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
