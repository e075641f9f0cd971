// Shared by the unit-conversion tests: calling a conversion the way Excel does and reading its answer.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "addin/host/addin_module.h"
#include "addin/units/conversion.h"
#include "xlhost/emulated_excel_fixture.h"
#include "ledger.h"

namespace units_test {

typedef XLOPER*(XLLAPI* CvtFunction)(XLOPER*, XLOPER*, XLOPER*);

// A conversion function of the add-in's function list, with the unit table it converts in.
struct Conversion {
    const char* name;
    CvtFunction convert;
    UnitEntry* units;
    WORD count;
};

inline const Conversion kConversions[] = {
#define MEZURA_CONVERSION(procedure, type, arguments, category, context, description, helps, table, count, converter, source) \
    {#procedure, procedure, table, count},
#include "addin/functions.inc"
};

inline uint64_t Bits(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// What one call answered, read out before the block goes back to the add-in's heap.
struct Answer {
    bool isError = false;
    WORD err = 0;
    double number = 0;
    std::string label;
    const char* labelPointer = nullptr;
    std::string shapeProblem;  // empty when the record has the shape of a result or an error
};

typedef void(XLLAPI* AutoFreeFunction)(XLOPER*);

inline void FreeWithCrt(XLOPER* record) { std::free(record); }

// Calls `convert` as Excel would: takes the record, notes a flagged block in the host's
// ledger and hands it back to `autoFree` (the add-in's xlAutoFree) once it has been read.
template <typename Convert, typename AutoFree = void (*)(XLOPER*)>
Answer CallAsExcel(Convert convert, XLOPER value, XLOPER units, XLOPER newUnits,
                   AutoFree autoFree = &FreeWithCrt) {
    Answer answer;
    XLOPER* result = convert(&value, &units, &newUnits);
    if (!result) {
        answer.shapeProblem = "null result";
        return answer;
    }
    if (result->xltype == xltypeErr) {
        answer.isError = true;
        answer.err = result->val.err;
        return answer;
    }
    if (result->xltype != (xltypeMulti | xlbitDLLFree)) {
        answer.shapeProblem = "type word " + std::to_string(result->xltype);
        return answer;
    }
    xlhost::NoteAddinBlock(result);
    const auto& array = result->val.array;
    const XLOPER* elements = array.lparray;
    auto* block = reinterpret_cast<const char*>(result);
    if (array.rows != 1 || array.columns != 2) answer.shapeProblem = "not a 1x2 array";
    else if (reinterpret_cast<const char*>(elements) != block + sizeof(XLOPER))
        answer.shapeProblem = "elements do not follow the array record in its block";
    else if (elements[0].xltype != xltypeNum || elements[1].xltype != xltypeStr)
        answer.shapeProblem = "elements are not {number, text}";
    else {
        answer.number = elements[0].val.num;
        answer.labelPointer = elements[1].val.str;
        answer.label = TextOf(elements[1].val.str);
    }
    autoFree(result);
    xlhost::NoteAddinBlockFreed(result);
    return answer;
}

// Every test starts as the attached add-in would: extended precision, labels prepared.
class UnitsTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        SetExtendedPrecision();
        PrepareUnitLabels();
    }
};

}  // namespace units_test
