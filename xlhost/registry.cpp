// What the emulated Excel keeps for its add-ins: registrations, names, menus, alerts and its version text.
#include "registry.h"

#include <cstdlib>

#include <algorithm>
#include <cctype>
#include <map>

#include "ledger.h"

namespace xlhost {

namespace {

constexpr double kFirstRegisterId = 0x10001;  // an arbitrary start: add-ins must not assume one

struct Menu {
    int bar;
    std::string name;
    std::vector<MenuItem> items;
};

struct Registry {
    std::vector<Registration> calls;
    std::vector<Registration> live;
    std::map<std::string, double> names;  // folded name -> register id
    std::vector<std::string> deletedNames;
    std::vector<Menu> menus;
    std::vector<std::string> alerts;
    std::string version = "5.0";
    double nextId = kFirstRegisterId;
    size_t reRegistrations = 0;
    bool refuse = false;
};

Registry& TheRegistry() {
    static Registry* registry = new Registry;
    return *registry;
}

std::string Fold(const std::string& text) {
    std::string folded = text;
    for (char& c : folded) c = char(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

bool SameText(const std::string& a, const std::string& b) { return Fold(a) == Fold(b); }

bool TextArgument(XLOPER* record, std::string* text) {
    CellValue cell;
    if (!record || !RecordToCell(*record, &cell) || cell.type != xltypeStr) return false;
    *text = cell.text;
    return true;
}

bool NumberArgument(XLOPER* record, double* number) {
    CellValue cell;
    if (!record || !RecordToCell(*record, &cell) || cell.type != xltypeNum) return false;
    *number = cell.num;
    return true;
}

int AnswerNumber(XLOPER* result, double value) {
    if (result) {
        result->xltype = xltypeNum;
        result->val.num = value;
    }
    return xlretSuccess;
}

Registration* FindLive(const std::string& module, const std::string& procedure) {
    for (Registration& registration : TheRegistry().live)
        if (registration.module == module && SameText(registration.procedure, procedure)) return &registration;
    return nullptr;
}

Menu* FindMenuOf(int bar, const std::string& name) {
    for (Menu& menu : TheRegistry().menus)
        if (menu.bar == bar && SameText(menu.name, name)) return &menu;
    return nullptr;
}

bool MenuArguments(int count, XLOPER** args, Menu** menu) {
    double bar;
    std::string name;
    if (count < 3 || !NumberArgument(args[0], &bar) || !TextArgument(args[1], &name)) return false;
    *menu = FindMenuOf(int(bar), name);
    return *menu != nullptr;
}

std::string ElementText(const XLOPER* elements, size_t index, size_t count) {
    CellValue cell;
    if (index >= count || !RecordToCell(elements[index], &cell) || cell.type != xltypeStr) return "";
    return cell.text;
}

}  // namespace

int AnswerError(XLOPER* result) {
    if (result) {
        result->xltype = xltypeErr;
        result->val.err = xlerrValue;
    }
    return xlretSuccess;
}

int AnswerBool(XLOPER* result, bool value) {
    if (result) {
        result->xltype = xltypeBool;
        result->val.xbool = value;
    }
    return xlretSuccess;
}

void ResetRegistry() {
    Registry& registry = TheRegistry();
    registry = Registry{};
    for (const char* name : {"File", "Edit", "View", "Insert", "Format", "Tools", "Data", "Window", "Help"})
        registry.menus.push_back(Menu{10, name, {}});
}

void SetHostVersion(const std::string& version) { TheRegistry().version = version; }

int HostMajorVersion() { return std::atoi(TheRegistry().version.c_str()); }
void RefuseRegistrations(bool refuse) { TheRegistry().refuse = refuse; }

const std::vector<Registration>& RegisterCalls() { return TheRegistry().calls; }
std::vector<Registration> LiveRegistrations() { return TheRegistry().live; }
size_t ReRegistrations() { return TheRegistry().reRegistrations; }
const std::vector<std::string>& DeletedNames() { return TheRegistry().deletedNames; }
const std::vector<std::string>& Alerts() { return TheRegistry().alerts; }

const Registration* FindRegisteredName(const std::string& name) {
    Registry& registry = TheRegistry();
    auto found = registry.names.find(Fold(name));
    if (found == registry.names.end()) return nullptr;
    for (const Registration& registration : registry.live)
        if (registration.id == found->second) return &registration;
    return nullptr;
}

const std::vector<MenuItem>* FindMenu(int bar, const std::string& menu) {
    Menu* found = FindMenuOf(bar, menu);
    return found ? &found->items : nullptr;
}

int Register(XLOPER* result, int count, XLOPER** args) {
    Registration made;
    for (int i = 0; i < count; ++i) {
        CellValue cell;
        if (!args[i] || !RecordToCell(*args[i], &cell)) cell = CellValue::Error(xlerrValue);
        made.arguments.push_back(cell);
    }
    if (count < 3 || !TextArgument(args[0], &made.module) || !TextArgument(args[1], &made.procedure) ||
        !TextArgument(args[2], &made.typeText) || made.procedure.empty() || made.typeText.empty() ||
        TheRegistry().refuse)
        return AnswerError(result);
    if (count >= 4) TextArgument(args[3], &made.functionText);

    Registry& registry = TheRegistry();
    if (Registration* earlier = FindLive(made.module, made.procedure)) {
        made.id = earlier->id;
        // The new registration replaces the earlier one, the name it defined included.
        auto name = registry.names.find(Fold(earlier->functionText));
        if (name != registry.names.end() && name->second == made.id) registry.names.erase(name);
        *earlier = made;
        ++registry.reRegistrations;
    } else {
        made.id = registry.nextId++;
        registry.live.push_back(made);
    }
    if (!made.functionText.empty()) registry.names[Fold(made.functionText)] = made.id;
    registry.calls.push_back(made);
    return AnswerNumber(result, made.id);
}

int RegisterId(XLOPER* result, int count, XLOPER** args) {
    std::string module, procedure;
    if (count < 2 || !TextArgument(args[0], &module) || !TextArgument(args[1], &procedure))
        return AnswerError(result);
    Registration* found = FindLive(module, procedure);
    return found ? AnswerNumber(result, found->id) : AnswerError(result);
}

int Unregister(XLOPER* result, int count, XLOPER** args) {
    double id;
    if (count < 1 || !NumberArgument(args[0], &id)) return AnswerError(result);
    Registry& registry = TheRegistry();
    auto found = std::find_if(registry.live.begin(), registry.live.end(),
                              [id](const Registration& r) { return r.id == id; });
    if (found == registry.live.end()) return AnswerBool(result, false);
    for (auto name = registry.names.begin(); name != registry.names.end();)
        name = name->second == id ? registry.names.erase(name) : std::next(name);
    registry.live.erase(found);
    return AnswerBool(result, true);
}

int SetName(XLOPER* result, int count, XLOPER** args) {
    std::string name;
    if (count != 1 || !TextArgument(args[0], &name)) return xlretFailed;  // only deletion is modelled
    Registry& registry = TheRegistry();
    registry.deletedNames.push_back(name);
    return AnswerBool(result, registry.names.erase(Fold(name)) != 0);
}

int AddCommand(XLOPER* result, int count, XLOPER** args) {
    Menu* menu;
    if (!MenuArguments(count, args, &menu)) return AnswerError(result);
    const XLOPER* description = args[2];
    if (!description || (description->xltype & ~kFlagBits) != xltypeMulti || !description->val.array.lparray ||
        description->val.array.columns < 2)
        return AnswerError(result);
    const auto& array = description->val.array;
    size_t columns = array.columns;
    for (size_t row = 0; row < array.rows; ++row) {
        const XLOPER* cells = array.lparray + row * columns;
        menu->items.push_back(MenuItem{ElementText(cells, 0, columns), ElementText(cells, 1, columns),
                                       ElementText(cells, 2, columns), ElementText(cells, 3, columns),
                                       ElementText(cells, 4, columns)});
    }
    return AnswerNumber(result, double(menu->items.size()));
}

int DeleteCommand(XLOPER* result, int count, XLOPER** args) {
    Menu* menu;
    std::string text;
    if (!MenuArguments(count, args, &menu) || !TextArgument(args[2], &text)) return AnswerError(result);
    auto found = std::find_if(menu->items.begin(), menu->items.end(),
                              [&text](const MenuItem& item) { return SameText(item.text, text); });
    if (found == menu->items.end()) return AnswerError(result);
    menu->items.erase(found);
    return AnswerBool(result, true);
}

int Alert(XLOPER* result, int count, XLOPER** args) {
    std::string text;
    if (count < 1 || !TextArgument(args[0], &text)) return AnswerError(result);
    TheRegistry().alerts.push_back(text);
    return AnswerBool(result, true);
}

int GetWorkspace(XLOPER* result, int count, XLOPER** args) {
    double which;
    if (count < 1 || !NumberArgument(args[0], &which) || which != 2) return AnswerError(result);
    if (!result) return xlretSuccess;
    const std::string& version = TheRegistry().version;
    result->xltype = xltypeStr;
    result->val.str = AllocateText(version.data(), version.size());
    return xlretSuccess;
}

}  // namespace xlhost
