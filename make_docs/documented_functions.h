// The add-in's worksheet functions as the documents describe them: read from its registration
// table, its string table and its unit catalogue, so the documents say what the add-in does.
#pragma once

#include <string>
#include <vector>

#include "unit_catalogue.h"

struct DocumentedArgument {
    std::string name;         // as the function wizard shows it: "value", "mtl_height"...
    std::string description;  // the wizard's text for it
};

struct DocumentedFunction {
    std::string name;         // "CvtLength"
    unsigned helpContext;     // the topic's context number, as registered
    std::string description;  // "Convert between Length (Distance) Units"
    std::string category;     // "Unit Converions" or "Volume Calculations"
    std::vector<DocumentedArgument> arguments;
    // The conversion functions' unit table; null for the tank functions.
    const UnitEntry* units = nullptr;
    WORD unitCount = 0;
    // A level function's volume function, which it inverts ("VolSphere"); empty for the others.
    std::string volumeFunction;
};

// Every worksheet function in registration order (the command is not a worksheet function).
const std::vector<DocumentedFunction>& DocumentedFunctions();

// The context of the contents topic: the one the add-in's menu item registers.
unsigned ContentsHelpContext();

// A catalogue label as text. Until the add-in prepares them at load, labels are placeholders
// whose first byte is a blank; the documents read them unprepared.
std::string UnitLabel(const UnitEntry& unit);

// A string of the add-in's string table; empty when it has none under `id`.
std::string AddinString(unsigned id);
