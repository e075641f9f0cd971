// Test support: the tank-volume functions of the function list as table rows, called with numbers or records.
#pragma once

#include <string>
#include <vector>

#include "addin/host/addin_module.h"
#include "addin/tanks/tank_exports.h"
#include "xlhost/emulated_excel_fixture.h"

// A fresh host, and the x87 precision the loaded add-in runs with: the tests call the
// functions directly, so nothing has attached the add-in to this thread.
class TankTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        SetExtendedPrecision();
    }
};

struct TankFunction {
    const char* name;
    int arity;
    XLOPER* (*call)(XLOPER** args);
    const char* volumeFunction = "";  // a level function's inverse
};

// The tank functions of the add-in's function list, in its order.
extern const std::vector<TankFunction> kTankFunctions;
// The level functions, each with the volume function it inverts.
extern const std::vector<TankFunction> kLevelFunctions;
// A volume or level function by its name.
const TankFunction& Tank(const std::string& name);

// Calls the function and answers a copy of its result record.
XLOPER CallTank(const TankFunction& function, const std::vector<XLOPER>& args);
XLOPER CallTank(const TankFunction& function, const std::vector<double>& args);

// "VolHorzCyl(1, 0, 10)", for failure messages.
std::string Describe(const TankFunction& function, const std::vector<double>& args);
// "num:15.707963267948966", "err:15", "type:0x4001".
std::string Describe(const XLOPER& result);

// True when the record is #VALUE!, the only error the volume functions answer.
bool IsValueError(const XLOPER& result);
