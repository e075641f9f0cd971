// What the help says: composed from the registered functions, their unit tables and examples.
#include "help_pages.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "documented_functions.h"
#include "worked_examples.h"

namespace {

// Where the columns of the tables start when a format lays them out with tab stops (half-points).
const std::vector<unsigned> kUnitColumns = {72, 400, 660};  // index, label, factor, symbols
const std::vector<unsigned> kTemperatureColumns = {72, 400};  // index, label, symbols
const std::vector<unsigned> kQuantityColumns = {120, 400};    // number, name, unit count
const std::vector<unsigned> kArgumentColumns = {144};     // name, description
const std::vector<unsigned> kFunctionColumns = {200};     // name, description

struct TankText {
    const char* function;
    const char* shape;  // the tank and what its dimensions mean
    const char* top;    // the height at which it is full
    const char* rules;  // dimensions refused with #VALUE!, or null
};

const TankText kTankTexts[] = {
    {"VolSphere", "A spherical tank of the given radius.", "twice the radius", nullptr},
    {"VolHorzCyl", "A cylinder lying on its side: radius is the radius of its round section, length its length.",
     "twice the radius", nullptr},
    {"VolHorzCylCap",
     "A horizontal cylinder closed at both ends by equal half-ellipsoid caps. cyl_length is the length of the "
     "cylinder alone, max_length the inside length from the tip of one cap to the tip of the other, so each cap "
     "is (max_length - cyl_length) / 2 deep. The caps are integrated with Simpson's rule over 50 intervals.",
     "twice the radius",
     "when max_length is not greater than cyl_length, or when a cap would be deeper than the radius"},
    {"VolVertCyl", "An upright cylinder: radius is the radius of its round section, length its height.", "length",
     nullptr},
    {"VolTaperedCyl",
     "An upright tapered cylinder (a frustum of a cone): the radius at the bottom, the radius at the top, which "
     "may be larger or smaller, and length, its height.",
     "length", nullptr},
    {"VolVertCylSphCap",
     "An upright cylinder standing on a spherical bottom cap. cyl_length is the height of the cylinder, "
     "max_length the whole inside height of the tank, so the cap is max_length - cyl_length high; equal lengths "
     "mean a flat bottom. Only the bottom cap is counted.",
     "max_length", "when max_length is less than cyl_length, or when the cap is higher than the radius (more than a hemisphere)"},
};

const TankText* TankTextOf(const std::string& function) {
    for (const TankText& text : kTankTexts)
        if (function == text.function) return &text;
    return nullptr;
}

// The shortest decimal form that reads back as the same double.
std::string ExactNumber(double value) {
    char text[40];
    for (int digits = 15; digits <= 17; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, value);
        if (std::strtod(text, nullptr) == value) break;
    }
    return text;
}

// The aliases of unit `index` of a conversion's table, "kW/m-K, W/mK"-style, in the order listed.
std::string UnitSymbols(const DocumentedFunction& function, short index) {
    std::string symbols;
    const UnitCategory* category = CategoryOfTable(function.units);
    for (const UnitAlias* alias = category ? category->aliases : nullptr; alias && alias->index; ++alias)
        if (alias->index == index) symbols += (symbols.empty() ? "" : ", ") + std::string(alias->symbol + 1);
    return symbols;
}

void TitleAndDescription(HelpPage& page, const DocumentedFunction& function) {
    page.Title(function.name);
    page.Paragraph().Write(function.description + ".");
}

void SyntaxAndArguments(HelpPage& page, const DocumentedFunction& function) {
    page.Heading("Syntax");
    std::string syntax = function.name + "(";
    for (size_t i = 0; i < function.arguments.size(); ++i) syntax += (i ? ", " : "") + function.arguments[i].name;
    page.Paragraph().Code(syntax + ")");
    page.Heading("Arguments");
    HelpTable& table = page.Table({}, kArgumentColumns);
    for (const DocumentedArgument& argument : function.arguments) {
        std::vector<HelpText>& row = table.AddRow();
        row.push_back(HelpText().Strong(argument.name));
        row.push_back(HelpText().Write(argument.description));
    }
}

void Example(HelpPage& page, const DocumentedFunction& function) {
    const WorkedExample* example = WorkedExampleOf(function.name);
    if (!example) return;
    page.Heading("Example");
    HelpText& paragraph = page.Paragraph().Code(ExampleFormula(*example));
    if (!example->texts.empty()) {
        std::string texts;
        for (size_t i = 0; i < example->texts.size(); ++i)
            texts += (i == 0 ? "" : i + 1 == example->texts.size() ? " and " : ", ") + example->texts[i];
        paragraph.Write(", entered as an array formula over " + std::to_string(example->texts.size()) +
                        " cells of a column, gives " + texts + ".");
        return;
    }
    paragraph.Write(" gives " + GeneralFormat(example->number));
    if (!example->label.empty()) paragraph.Write(" and the label \"" + example->label + "\"");
    paragraph.Write(".");
}

HelpPage ConversionPage(const DocumentedFunction& function) {
    HelpPage page{function.name, function.helpContext, function.name, {function.name}, {}};
    TitleAndDescription(page, function);
    SyntaxAndArguments(page, function);
    page.Paragraph().Write(
        "units and new_units are each an index number or a label of the table below, as a value or in a cell. "
        "A label must be spelled as in the table; the case of the letters A to Z does not matter, blanks do. A "
        "number is always read as an index, never as a label.");

    page.Heading("Result");
    page.Paragraph().Write("A row of two cells: the converted number, then the label of new_units. A formula in one "
                           "cell shows the number. To see both, select two adjacent cells of a row, type the formula "
                           "and enter it as an array formula with Ctrl+Shift+Enter.");
    page.Paragraph().Write("In Excel 365 a formula in one cell spills: the label fills the cell to its right "
                           "(#SPILL! when that cell is not empty). For the number alone there, take the first value: "
                           "=INDEX(" + function.name + "(...), 1), or =@" + function.name +
                           "(...), as Excel 365 shows the formulas of older workbooks, which keep showing the number.");

    page.Heading("Errors");
    page.Paragraph().Write("#VALUE! when value is not a number, when an index number is outside 1 to " +
                           std::to_string(function.unitCount) +
                           ", or when the converted number is too large to be a number.");
    page.Paragraph().Write("#NAME? when a text is neither a label nor a symbol of the table, or when a unit is neither "
                           "a number nor a text.");

    page.Heading("Units");
    const UnitEntry* base = nullptr;
    for (WORD i = 0; i < function.unitCount && !base; ++i)
        if (function.units[i].factor == 1.0) base = &function.units[i];
    bool temperature = function.name == "CvtTemperature";
    if (temperature) {
        page.Paragraph().Write("Temperatures convert by formulas, always through degrees Fahrenheit: from deg. C, "
                               "F = C * 1.8 + 32; from Kelvin, F = K * 1.8 - 459.67; from deg. Rankine, F = R - 459.67; "
                               "and back the other way.");
    } else if (base) {
        page.Paragraph().Write("A unit's factor is how many of that unit make one " + UnitLabel(*base) +
                               "; a value converts by the factor of new_units divided by the factor of units.");
    }
    page.Paragraph().Write("A unit may also be named by one of the symbols beside it (letter case ignored); a label "
                           "is always found before a symbol, and the result carries the label.");
    std::vector<std::string> header = {"Index", "Label"};
    if (!temperature) header.push_back("Factor");
    header.push_back("Symbols");
    HelpTable& table = page.Table(header, temperature ? kTemperatureColumns : kUnitColumns);
    for (WORD i = 0; i < function.unitCount; ++i) {
        const UnitEntry& unit = function.units[i];
        std::vector<HelpText>& row = table.AddRow();
        row.push_back(HelpText().Write(std::to_string(unit.index)));
        row.push_back(HelpText().Write(UnitLabel(unit)));
        if (!temperature) row.push_back(HelpText().Write(ExactNumber(unit.factor)));
        row.push_back(HelpText().Write(UnitSymbols(function, unit.index)));
        page.keywords.push_back(UnitLabel(unit));
    }
    Example(page, function);
    return page;
}

HelpPage TankPage(const DocumentedFunction& function) {
    HelpPage page{function.name, function.helpContext, function.name, {function.name}, {}};
    TitleAndDescription(page, function);
    SyntaxAndArguments(page, function);
    const TankText* text = TankTextOf(function.name);
    page.Heading("The tank");
    if (text) page.Paragraph().Write(text->shape);
    page.Paragraph().Write("The height of the material is measured up from the lowest inside point of the tank. A "
                           "height above the top (" + std::string(text ? text->top : "the tank's top") +
                           ") counts as the top, so the result is the full tank; a height below 0 counts as 0.");
    page.Heading("Units");
    page.Paragraph()
        .Write("Give every length in the same unit; the volume is in the cube of that unit (feet give cubic "
               "feet). ")
        .LinkTo("CvtVolume", "CvtVolume")
        .Write(" converts it further, for example to gallons. The formulas take pi as 3.141592654.");
    page.Heading("Errors");
    page.Paragraph().Write("#VALUE! when an argument is not a number, when a radius or a length is negative (0 is "
                           "allowed: such a tank holds nothing)" +
                           std::string(text && text->rules ? ", " + std::string(text->rules) : "") + ".");
    Example(page, function);
    return page;
}

HelpPage LevelPage(const DocumentedFunction& function) {
    HelpPage page{function.name, function.helpContext, function.name, {function.name}, {}};
    TitleAndDescription(page, function);
    SyntaxAndArguments(page, function);
    const TankText* text = TankTextOf(function.volumeFunction);
    const std::string top = text ? text->top : "the tank's top";
    page.Heading("The tank");
    if (text) page.Paragraph().Write(text->shape);
    page.Paragraph()
        .Write("The result is the height of the material, measured up from the lowest inside point of the tank, "
               "at which the tank holds volume: the inverse of ")
        .LinkTo(function.volumeFunction, function.volumeFunction)
        .Write(", which takes the same dimensions. A volume of 0 gives 0; the volume of the full tank gives its "
               "top (" + top + ").");
    page.Heading("How exact");
    page.Paragraph()
        .Write("The result is the lowest height at which ")
        .LinkTo(function.volumeFunction, function.volumeFunction)
        .Write(", as the add-in computes it, holds at least volume, found to the last digit of the height. Put "
               "back into " + function.volumeFunction + ", it gives volume again to the last digit wherever the "
               "volume changes with the height. Near the bottom and the top of some tanks the volume changes so "
               "little that a run of heights gives the same volume to the last digit; the result is then the "
               "lowest of them. Where the rounding of the volume drops by one unit in its last digit as the height "
               "rises (the integrated caps, a tank that narrows upward), the result may lie some units (at most a "
               "few tens) of the height's last digit above the lowest, at the height that gives volume back.");
    page.Heading("Units");
    page.Paragraph()
        .Write("Give volume in the cube of the length unit of the dimensions (cubic feet for feet); the height is "
               "in that length unit. ")
        .LinkTo("CvtVolume", "CvtVolume")
        .Write(" converts a volume in gallons or liters first.");
    page.Heading("Errors");
    page.Paragraph().Write("#VALUE! when an argument is not a number, when a radius or a length is negative, when "
                           "volume is below 0 or more than the full tank holds" +
                           std::string(text && text->rules ? ", " + std::string(text->rules) : "") + ".");
    Example(page, function);
    return page;
}

// UnitLabels: the quantities it knows, by name and number.
HelpPage LabelsPage(const DocumentedFunction& function) {
    HelpPage page{function.name, function.helpContext, function.name, {function.name}, {}};
    TitleAndDescription(page, function);
    SyntaxAndArguments(page, function);
    page.Heading("Result");
    page.Paragraph().Write("A column of texts: the labels of the quantity's units, the label of index n in row n, "
                           "as the conversion functions take them. Select as many cells of a column as the quantity "
                           "has units, type the formula and enter it as an array formula with Ctrl+Shift+Enter; a "
                           "formula in one cell shows the first label.");
    page.Heading("Quantities");
    page.Paragraph().Write("quantity is a name below (the conversion function's name without Cvt; the case of the "
                           "letters does not matter) or its number, as a value or in a cell.");
    HelpTable& table = page.Table({"Number", "Name", "Units"}, kQuantityColumns);
    for (WORD i = 0; i < kUnitCategoryCount; ++i) {
        const UnitCategory& category = g_unitCategories[i];
        std::vector<HelpText>& row = table.AddRow();
        row.push_back(HelpText().Write(std::to_string(i + 1)));
        row.push_back(HelpText().LinkTo(std::string("Cvt") + (category.name + 1), category.name + 1));
        row.push_back(HelpText().Write(std::to_string(category.count)));
    }
    page.Heading("Errors");
    page.Paragraph().Write("#NAME? when quantity is neither one of the names nor a number from 1 to " +
                           std::to_string(kUnitCategoryCount) + ".");
    Example(page, function);
    return page;
}

HelpPage ContentsPage(const std::vector<DocumentedFunction>& functions, std::vector<HelpChapter>* chapters) {
    HelpPage page{"contents", ContentsHelpContext(), "Mezura Engineering Add-In", {"Mezura"}, {}};
    page.Title(page.title);
    // The categories in order of first use, each a chapter with its functions in list order.
    std::vector<std::string> categories;
    for (const DocumentedFunction& function : functions)
        if (std::find(categories.begin(), categories.end(), function.category) == categories.end())
            categories.push_back(function.category);
    std::string quoted;
    for (size_t i = 0; i < categories.size(); ++i)
        quoted += (i == 0 ? "\"" : i + 1 == categories.size() ? " and \"" : ", \"") + categories[i] + "\"";
    page.Paragraph().Write("Mezura adds unit conversions, tank volumes and tank levels to Excel as worksheet "
                           "functions. Type them in a cell like any built-in function, or choose them in the "
                           "Function Wizard under the categories " + quoted + ".");
    for (const std::string& category : categories) {
        chapters->push_back({category == categories.front() ? "Unit conversions" : "Tank volumes and levels", {}});
        page.Heading(chapters->back().title);
        HelpTable& table = page.Table({}, kFunctionColumns);
        for (const DocumentedFunction& function : functions) {
            if (function.category != category) continue;
            chapters->back().contexts.push_back(function.name);
            std::vector<HelpText>& row = table.AddRow();
            row.push_back(HelpText().LinkTo(function.name, function.name));
            row.push_back(HelpText().Write(function.description));
        }
    }
    page.Heading("Installing the add-in");
    page.Paragraph().Write("Setup copies the add-ins and the help files into one directory. In Excel 2007 and later "
                           "choose File, Options, Add-ins, Manage: Excel Add-ins, Go..., then Browse...; in Excel 97 "
                           "to 2003 choose Tools, Add-Ins..., then Browse.... Select MEZURA32.XLL in that directory "
                           "(MEZURA64.XLL for 64-bit Excel). Keep MEZURA.CHM and MEZURA.HLP beside the add-in: the "
                           "Function Wizard's Help button and the About box look for them there, Excel 2007 and later "
                           "for MEZURA.CHM, earlier Excel for MEZURA.HLP.");
    page.Heading("Help > Mezura...");
    page.Paragraph().Write("The command Mezura... on Excel's Help menu opens the About box, which shows the add-in's "
                           "version. Its Help button opens this topic.");
    return page;
}

}  // namespace

HelpDocument BuildHelpDocument() {
    const std::vector<DocumentedFunction>& functions = DocumentedFunctions();
    HelpDocument document{"Mezura Engineering Add-In Help", "Mezura engineering functions for Excel", {}, {}};
    document.pages.push_back(ContentsPage(functions, &document.chapters));
    for (const DocumentedFunction& function : functions)
        document.pages.push_back(function.units                     ? ConversionPage(function)
                                 : !function.volumeFunction.empty() ? LevelPage(function)
                                 : function.name == "UnitLabels"    ? LabelsPage(function)
                                                                    : TankPage(function));
    return document;
}
