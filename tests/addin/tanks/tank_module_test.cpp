// Tank volumes through the built add-in module, found by their plain export names as Excel finds them.
#include "addin_loader.h"
#include "xlhost/emulated_excel_fixture.h"
#include "tank_functions.h"

namespace {

typedef XLOPER*(XLLAPI* Volume2)(XLOPER*, XLOPER*);
typedef XLOPER*(XLLAPI* Volume3)(XLOPER*, XLOPER*, XLOPER*);
typedef XLOPER*(XLLAPI* Volume4)(XLOPER*, XLOPER*, XLOPER*, XLOPER*);

class TankModuleTest : public LoadedAddinTest {
protected:
    // Calls the module's export `name` the way the host calls a worksheet function.
    XLOPER CallExport(const TankFunction& function, std::vector<double> numbers) {
        void* entry = xlhost::FindExport(addin_, function.name);
        if (!entry) {
            ADD_FAILURE() << function.name << " is not exported";
            return Err(0);
        }
        std::vector<XLOPER> a;
        for (double n : numbers) a.push_back(Num(n));
        switch (function.arity) {
        case 2: return *reinterpret_cast<Volume2>(entry)(&a[0], &a[1]);
        case 3: return *reinterpret_cast<Volume3>(entry)(&a[0], &a[1], &a[2]);
        default: return *reinterpret_cast<Volume4>(entry)(&a[0], &a[1], &a[2], &a[3]);
        }
    }
};

TEST_F(TankModuleTest, ExportsAnswerAsTheCoreDoes) {
    const std::vector<double> tanks[] = {{1.5, 1, 10, 11}, {0.4, 1.25, 6, 7.5}, {-2, 1, 10, 11}, {5, 1, 10, 9}};
    for (const TankFunction& function : kTankFunctions) {
        EXPECT_EQ(xlhost::FindExport(addin_, (std::string(function.name) + "@" + std::to_string(4 * function.arity)).c_str()),
                  nullptr)
            << function.name << ": stdcall decoration leaked into the export";
        for (const std::vector<double>& tank : tanks) {
            std::vector<double> args(tank.begin(), tank.begin() + function.arity);
            XLOPER viaModule = CallExport(function, args);
            XLOPER direct = CallTank(function, args);
            EXPECT_EQ(Describe(viaModule), Describe(direct)) << Describe(function, args);
        }
    }
}

}  // namespace
