// The container of an HTML Help file: a header, a directory of named files, and the two sections that hold them.
#pragma once

#include <string>
#include <vector>

#include "little_endian.h"

struct ChmEntry {
    std::string name;  // "/CvtLength.htm", "/#SYSTEM", "::DataSpace/..."
    Bytes content;
};

// The whole file: `stored` as they are in the uncompressed section, `packed` in the section
// that readers decompress (LZX), with the data-space files that describe it. False with
// `error` set when the directory outgrows its one chunk.
bool BuildChmContainer(const std::vector<ChmEntry>& stored, const std::vector<ChmEntry>& packed, Bytes* image,
                       std::string* error);
