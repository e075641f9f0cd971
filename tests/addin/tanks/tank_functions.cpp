// Test support: the tank-volume functions of the function list as table rows, called with numbers or records.
#include "tank_functions.h"

#include <cstdio>
#include <stdexcept>

#include "xlhost/emulated_excel_fixture.h"

namespace {

// A tank function called with the first of the records it takes.
XLOPER* CallWith(XLOPER* (XLLAPI* f)(XLOPER*, XLOPER*), XLOPER** a) { return f(a[0], a[1]); }
XLOPER* CallWith(XLOPER* (XLLAPI* f)(XLOPER*, XLOPER*, XLOPER*), XLOPER** a) { return f(a[0], a[1], a[2]); }
XLOPER* CallWith(XLOPER* (XLLAPI* f)(XLOPER*, XLOPER*, XLOPER*, XLOPER*), XLOPER** a) {
    return f(a[0], a[1], a[2], a[3]);
}

}  // namespace

const std::vector<TankFunction> kTankFunctions = {
#define MEZURA_TANK(procedure, type, arguments, category, context, description, helps) \
    {#procedure, int(sizeof(type) - 2), [](XLOPER** a) { return CallWith(&procedure, a); }},
#include "addin/functions.inc"
};

const std::vector<TankFunction> kLevelFunctions = {
#define MEZURA_LEVEL(procedure, type, arguments, category, context, description, helps, volume) \
    {#procedure, int(sizeof(type) - 2), [](XLOPER** a) { return CallWith(&procedure, a); }, #volume},
#include "addin/functions.inc"
};

const TankFunction& Tank(const std::string& name) {
    for (const std::vector<TankFunction>* functions : {&kTankFunctions, &kLevelFunctions})
        for (const TankFunction& function : *functions)
            if (name == function.name) return function;
    throw std::invalid_argument("no tank function " + name);
}

XLOPER CallTank(const TankFunction& function, const std::vector<XLOPER>& args) {
    std::vector<XLOPER> records(args);
    std::vector<XLOPER*> pointers;
    for (XLOPER& record : records) pointers.push_back(&record);
    pointers.resize(4, nullptr);
    return *function.call(pointers.data());
}

XLOPER CallTank(const TankFunction& function, const std::vector<double>& args) {
    std::vector<XLOPER> records;
    for (double value : args) records.push_back(Num(value));
    return CallTank(function, records);
}

std::string Describe(const TankFunction& function, const std::vector<double>& args) {
    std::string text = std::string(function.name) + "(";
    for (size_t i = 0; i < args.size(); ++i) {
        char number[32];
        std::snprintf(number, sizeof number, "%s%.17g", i ? ", " : "", args[i]);
        text += number;
    }
    return text + ")";
}

std::string Describe(const XLOPER& result) {
    char text[48];
    if (result.xltype == xltypeNum)
        std::snprintf(text, sizeof text, "num:%.17g", result.val.num);
    else if (result.xltype == xltypeErr)
        std::snprintf(text, sizeof text, "err:%u", unsigned(result.val.err));
    else
        std::snprintf(text, sizeof text, "type:0x%x", unsigned(result.xltype));
    return text;
}

bool IsValueError(const XLOPER& result) {
    return result.xltype == xltypeErr && result.val.err == xlerrValue;
}
