// The quantities of the unit catalogue: each conversion function's name, unit table and aliases, in the list's order.
#include "unit_catalogue.h"

namespace {

// A conversion's procedure name without its "Cvt", as a counted string.
template <size_t Size>
constexpr UnitCategory Category(const char (&procedure)[Size], UnitEntry* units, WORD count, const UnitAlias* aliases) {
    static_assert(Size - 4 <= sizeof(UnitCategory::name) - 2, "a quantity's name is too long");
    UnitCategory category{};
    category.name[0] = static_cast<char>(Size - 4);
    for (size_t i = 3; i + 1 < Size; ++i) category.name[i - 2] = procedure[i];
    category.units = units;
    category.count = count;
    category.aliases = aliases;
    return category;
}

constexpr bool StartsWithCvt(const char* procedure) {
    return procedure[0] == 'C' && procedure[1] == 'v' && procedure[2] == 't';
}

#define MEZURA_CONVERSION(procedure, type, arguments, category, context, description, helps, table, count, converter, source) \
    static_assert(StartsWithCvt(#procedure), #procedure ": a conversion's name starts with Cvt");
#include "functions.inc"

}  // namespace

constexpr UnitCategory g_unitCategories[] = {
#define MEZURA_CONVERSION(procedure, type, arguments, category, context, description, helps, table, count, converter, source) \
    Category(#procedure, table, count, table##Aliases),
#include "functions.inc"
};

const WORD kUnitCategoryCount = sizeof g_unitCategories / sizeof g_unitCategories[0];

const UnitCategory* CategoryOfTable(const UnitEntry* table) {
    for (const UnitCategory& category : g_unitCategories)
        if (category.units == table) return &category;
    return nullptr;
}
