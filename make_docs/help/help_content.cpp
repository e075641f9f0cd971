// What the help says: composed from the registered functions, their unit tables and examples.
#include "help_content.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "documented_functions.h"
#include "worked_examples.h"

namespace {

// Tab stops of the unit tables (half-points): index, label, factor.
constexpr unsigned kLabelColumn = 72;
constexpr unsigned kFactorColumn = 400;
constexpr unsigned kSectionSpace = 12;

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

void Heading(HelpTopic& topic, const std::string& text) {
    HelpParagraph& paragraph = topic.Add().WriteIn(kHeadingFont, text);
    paragraph.spaceBefore = kSectionSpace;
}

void TitleAndDescription(HelpTopic& topic, const DocumentedFunction& function) {
    topic.Add().WriteIn(kTitleFont, function.name).spaceAfter = 6;
    topic.Add().Write(function.description + ".");
}

void SyntaxAndArguments(HelpTopic& topic, const DocumentedFunction& function) {
    Heading(topic, "Syntax");
    std::string syntax = function.name + "(";
    for (size_t i = 0; i < function.arguments.size(); ++i) syntax += (i ? ", " : "") + function.arguments[i].name;
    topic.Add().WriteIn(kCodeFont, syntax + ")");
    Heading(topic, "Arguments");
    for (const DocumentedArgument& argument : function.arguments) {
        HelpParagraph& row = topic.Add().WriteIn(kHeadingFont, argument.name).Tab().Write(argument.description);
        row.tabStops = {144};
    }
}

void Example(HelpTopic& topic, const DocumentedFunction& function) {
    const WorkedExample* example = WorkedExampleOf(function.name);
    if (!example) return;
    Heading(topic, "Example");
    HelpParagraph& paragraph = topic.Add().WriteIn(kCodeFont, ExampleFormula(*example));
    paragraph.Write(" gives " + GeneralFormat(example->number));
    if (!example->label.empty()) paragraph.Write(" and the label \"" + example->label + "\"");
    paragraph.Write(".");
}

HelpTopic ConversionTopic(const DocumentedFunction& function) {
    HelpTopic topic{function.name, function.helpContext, function.name, {}};
    TitleAndDescription(topic, function);
    SyntaxAndArguments(topic, function);
    HelpParagraph& rule = topic.Add().Write(
        "units and new_units are each an index number or a label of the table below, as a value or in a cell. "
        "A label must be spelled as in the table; the case of the letters A to Z does not matter, blanks do. A "
        "number is always read as an index, never as a label.");
    rule.spaceBefore = 6;

    Heading(topic, "Result");
    topic.Add().Write("A row of two cells: the converted number, then the label of new_units. A formula in one "
                      "cell shows the number. To see both, select two adjacent cells of a row, type the formula "
                      "and enter it as an array formula with Ctrl+Shift+Enter.");
    topic.Add().Write("In Excel 365 a formula in one cell spills: the label fills the cell to its right (#SPILL! "
                      "when that cell is not empty). For the number alone there, take the first value: =INDEX(" +
                      function.name + "(...), 1), or =@" + function.name +
                      "(...), as Excel 365 shows the formulas of older workbooks, which keep showing the number.");

    Heading(topic, "Errors");
    topic.Add().Write("#VALUE! when value is not a number, when an index number is outside 1 to " +
                      std::to_string(function.unitCount) + ", or when the converted number is too large to be a number.");
    topic.Add().Write("#NAME? when a label is not in the table, or when a unit is neither a number nor a text.");

    Heading(topic, "Units");
    const UnitEntry* base = nullptr;
    for (WORD i = 0; i < function.unitCount && !base; ++i)
        if (function.units[i].factor == 1.0) base = &function.units[i];
    bool temperature = function.name == "CvtTemperature";
    if (temperature) {
        topic.Add().Write("Temperatures convert by formulas, always through degrees Fahrenheit: from deg. C, "
                          "F = C * 1.8 + 32; from Kelvin, F = K * 1.8 - 459.67; from deg. Rankine, F = R - 459.67; "
                          "and back the other way.");
    } else if (base) {
        topic.Add().Write("A unit's factor is how many of that unit make one " + UnitLabel(*base) +
                          "; a value converts by the factor of new_units divided by the factor of units.");
    }
    HelpParagraph& header = topic.Add().WriteIn(kHeadingFont, "Index").Tab().WriteIn(kHeadingFont, "Label");
    if (!temperature) header.Tab().WriteIn(kHeadingFont, "Factor");
    header.tabStops = {kLabelColumn, kFactorColumn};
    for (WORD i = 0; i < function.unitCount; ++i) {
        const UnitEntry& unit = function.units[i];
        HelpParagraph& row = topic.Add().Write(std::to_string(unit.index)).Tab().Write(UnitLabel(unit));
        if (!temperature) row.Tab().Write(ExactNumber(unit.factor));
        row.tabStops = {kLabelColumn, kFactorColumn};
    }
    Example(topic, function);
    return topic;
}

HelpTopic TankTopic(const DocumentedFunction& function) {
    HelpTopic topic{function.name, function.helpContext, function.name, {}};
    TitleAndDescription(topic, function);
    SyntaxAndArguments(topic, function);
    const TankText* text = TankTextOf(function.name);
    Heading(topic, "The tank");
    if (text) topic.Add().Write(text->shape);
    topic.Add().Write("The height of the material is measured up from the lowest inside point of the tank. A "
                      "height above the top (" + std::string(text ? text->top : "the tank's top") +
                      ") counts as the top, so the result is the full tank; a height below 0 counts as 0.");
    Heading(topic, "Units");
    topic.Add()
        .Write("Give every length in the same unit; the volume is in the cube of that unit (feet give cubic "
               "feet). ")
        .LinkTo("CvtVolume", "CvtVolume")
        .Write(" converts it further, for example to gallons. The formulas take pi as 3.141592654.");
    Heading(topic, "Errors");
    topic.Add().Write("#VALUE! when an argument is not a number" +
                      std::string(text && text->rules ? ", " + std::string(text->rules) : "") + ".");
    Example(topic, function);
    return topic;
}

HelpTopic ContentsTopic(const std::vector<DocumentedFunction>& functions) {
    HelpTopic topic{"contents", ContentsHelpContext(), "Mezura Engineering Add-In", {}};
    topic.Add().WriteIn(kTitleFont, topic.title).spaceAfter = 6;
    topic.Add().Write("Mezura adds unit conversions and tank volumes to Excel as worksheet functions. Type them "
                      "in a cell like any built-in function, or choose them in the Function Wizard under the "
                      "categories \"" + functions.front().category + "\" and \"" + functions.back().category + "\".");
    std::string category;
    for (const DocumentedFunction& function : functions) {
        if (function.category != category) {
            category = function.category;
            Heading(topic, function.units ? "Unit conversions" : "Tank volumes");
        }
        HelpParagraph& row = topic.Add().LinkTo(function.name, function.name).Tab().Write(function.description);
        row.tabStops = {200};
    }
    Heading(topic, "Installing the add-in");
    topic.Add().Write("Setup copies the add-in and this help file into one directory. In Excel choose Tools, "
                      "Add-Ins..., then Browse..., and select MEZURA32.XLL in that directory (MEZURA64.XLL for "
                      "64-bit Excel). Keep MEZURA.HLP beside the add-in: the Function Wizard's Help button and "
                      "the About box look for it there.");
    Heading(topic, "Help > Mezura...");
    topic.Add().Write("The command Mezura... on Excel's Help menu opens the About box, which shows the add-in's "
                      "version. Its Help button opens this topic.");
    return topic;
}

}  // namespace

std::vector<HelpTopic> BuildHelpTopics() {
    const std::vector<DocumentedFunction>& functions = DocumentedFunctions();
    std::vector<HelpTopic> topics{ContentsTopic(functions)};
    for (const DocumentedFunction& function : functions)
        topics.push_back(function.units ? ConversionTopic(function) : TankTopic(function));
    return topics;
}
