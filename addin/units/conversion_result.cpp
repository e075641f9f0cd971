// The records a conversion answers: one heap block for a result, a static record for an error.
#include <cmath>

#include "addin_syscalls.h"
#include "conversion.h"

namespace {

// Judged as the double the cell will hold. volatile: on i686 the value may still sit in an x87
// register with a wider exponent, where a product just past the largest double looks finite
// and only turns infinite when stored.
bool Showable(double number) {
    volatile double stored = number;
    return std::isfinite(stored);
}

// Array record and elements in one block, so that xlAutoFree(12) releases them with one free.
// The label is the catalogue's own: it outlives the block, and nothing of it is copied or freed.
template <class Block, class Label>
decltype(Block::array)* MakeResultBlock(double number, Label* label) {
    auto* block = static_cast<Block*>(g_addinSyscalls.malloc(sizeof(Block)));
    if (!block) return nullptr;
    block->array.xltype = xltypeMulti | xlbitDLLFree;
    block->array.val.array.lparray = block->elements;
    block->array.val.array.rows = 1;
    block->array.val.array.columns = 2;
    StoreNumber(&block->elements[0], number);
    StoreText(&block->elements[1], label);
    return &block->array;
}

}  // namespace

XLOPER* AnswerConversion(XLOPER* errorRecord, const ConvertedNumber& conversion) {
    if (conversion.code != 0) return StoreError(errorRecord, conversion.code);
    // With no heap left there is no number to show; #VALUE! says the cell could not be computed.
    XLOPER* block = Showable(conversion.number)
                        ? MakeResultBlock<ConversionResult>(conversion.number, conversion.to->label)
                        : nullptr;
    return block ? block : StoreError(errorRecord, xlerrValue);
}

XLOPER12* AnswerConversion(const ConvertedNumber& conversion) {
    if (conversion.code != 0) return ConstantErrorRecord(conversion.code);
    XLOPER12* block = Showable(conversion.number)
                          ? MakeResultBlock<ConversionResult12>(conversion.number, conversion.to->wideLabel)
                          : nullptr;
    return block ? block : ConstantErrorRecord(xlerrValue);
}
