// The frame every tank-volume function runs in: its result record, number arguments, the answer.
#pragma once

#include "xloper.h"

// Sets a function's result record to #VALUE!, its answer until a volume is stored.
void SetValueError(XLOPER* result);

// Coerces one worksheet argument to a number through the host. False when the host did not
// fill the record with a number, whatever the coercion's return code.
bool CoerceNumber(XLOPER* argument, double* number);

// Stores a volume in the result record and returns the record. A value that is not finite
// leaves the record at #VALUE!: the host must never see NaN or infinity as a number.
XLOPER* AnswerVolume(XLOPER* result, double volume);
