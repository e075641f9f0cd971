// Writing a document to disk whole, or not at all.
#pragma once

#include <string>

#include "little_endian.h"

// Writes `bytes` to `path`; false with `error` set when it cannot, leaving no partial file.
bool WriteWholeFile(const char* path, const Bytes& bytes, std::string* error);
