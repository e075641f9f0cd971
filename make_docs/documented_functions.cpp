// The worksheet functions as registered, joined to their unit tables.
#include "documented_functions.h"

#include <cstring>

#include "platform.h"
#include "registration_table.h"

namespace {

struct ConversionTable {
    const char* function;
    const UnitEntry* units;
    WORD count;
};

// Which table each conversion function resolves its units in (the function forwards to it).
const ConversionTable kConversionTables[] = {
#define MEZURA_CONVERSION(procedure, type, arguments, category, context, description, helps, table, count, converter, source) \
    {#procedure, table, count},
#include "functions.inc"
};

// The volume function each level function inverts.
const char* const kLevelInverses[][2] = {
#define MEZURA_LEVEL(procedure, type, arguments, category, context, description, helps, volume) {#procedure, #volume},
#include "functions.inc"
};

// The registration table's texts are placeholders here too: a blank, then the text.
std::string PlaceholderText(const char* text) { return text[0] == ' ' ? text + 1 : text; }

std::vector<std::string> SplitCommas(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1)
        parts.push_back(text.substr(start, comma - start));
    parts.push_back(text.substr(start));
    return parts;
}

DocumentedFunction Describe(const RegistrationEntry& row) {
    DocumentedFunction function;
    function.name = PlaceholderText(row.functionText);
    function.helpContext = row.helpContext;
    function.description = AddinString(row.functionHelpId);
    function.category = AddinString(row.categoryId);
    std::vector<std::string> names = SplitCommas(AddinString(row.argumentTextId));
    for (size_t i = 0; i < names.size(); ++i)
        function.arguments.push_back({names[i], i < row.argumentHelpCount ? AddinString(row.argumentHelpIds[i]) : ""});
    for (const auto& inverse : kLevelInverses)
        if (function.name == inverse[0]) function.volumeFunction = inverse[1];
    for (const ConversionTable& table : kConversionTables) {
        if (function.name == table.function) {
            function.units = table.units;
            function.unitCount = table.count;
        }
    }
    return function;
}

}  // namespace

std::string AddinString(unsigned id) {
    char text[256];
    int length = LoadStringA(nullptr, id, text, sizeof text);
    return std::string(text, length > 0 ? length : 0);
}

std::string UnitLabel(const UnitEntry& unit) { return PlaceholderText(unit.label); }

const std::vector<DocumentedFunction>& DocumentedFunctions() {
    static const std::vector<DocumentedFunction> functions = [] {
        std::vector<DocumentedFunction> rows;
        for (const RegistrationEntry* row = g_registrationTable; !IsSentinelRow(*row); ++row) {
            if (PlaceholderText(row->macroType) == "1") rows.push_back(Describe(*row));
        }
        return rows;
    }();
    return functions;
}

unsigned ContentsHelpContext() { return g_menuTable[0].helpContext; }
