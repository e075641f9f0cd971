// The records a conversion answers: one heap block for a result, a static record for an error.
#include <cstdlib>

#include "conversion.h"

void* (*g_pfnAllocateResult)(size_t bytes) = std::malloc;

ConversionResult* MakeConversionResult(char* label) {
    // Array record and elements in one block, so that xlAutoFree releases them with one free.
    auto* block = static_cast<ConversionResult*>(g_pfnAllocateResult(sizeof(ConversionResult)));
    if (!block) return nullptr;
    block->array.xltype = xltypeMulti | xlbitDLLFree;
    block->array.val.array.lparray = block->elements;
    block->array.val.array.rows = 1;
    block->array.val.array.columns = 2;
    block->elements[0].xltype = xltypeNum;
    // The catalogue's label itself: it outlives the block, and nothing of it is copied or freed.
    block->elements[1].xltype = xltypeStr;
    block->elements[1].val.str = label;
    return block;
}

XLOPER* AnswerError(XLOPER* record, int code) {
    record->xltype = xltypeErr;
    record->val.err = static_cast<WORD>(code);
    return record;
}
