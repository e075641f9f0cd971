// The records a conversion answers: one heap block for a result, a static record for an error.
#include <cmath>

#include "addin_syscalls.h"
#include "conversion.h"

XLOPER* AnswerConversion(XLOPER* errorRecord, char* label, double number) {
    // volatile: judged as the double the cell will hold. On i686 the value may still sit in an
    // x87 register with a wider exponent, where a product just past the largest double looks
    // finite and only turns infinite when stored.
    volatile double stored = number;
    if (!std::isfinite(stored)) return StoreError(errorRecord, xlerrValue);
    // Array record and elements in one block, so that xlAutoFree releases them with one free.
    auto* block = static_cast<ConversionResult*>(g_addinSyscalls.malloc(sizeof(ConversionResult)));
    // With no heap left there is no number to show; #VALUE! says the cell could not be computed.
    if (!block) return StoreError(errorRecord, xlerrValue);
    block->array.xltype = xltypeMulti | xlbitDLLFree;
    block->array.val.array.lparray = block->elements;
    block->array.val.array.rows = 1;
    block->array.val.array.columns = 2;
    StoreNumber(&block->elements[0], stored);
    // The catalogue's label itself: it outlives the block, and nothing of it is copied or freed.
    StoreText(&block->elements[1], label);
    return &block->array;
}
