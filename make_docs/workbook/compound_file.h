// The compound file (structured storage) that holds an Excel 97 workbook: one root, one stream.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr uint32_t kCompoundSectorSize = 512;
// Streams shorter than this belong in the mini-stream, which this writer does not produce.
constexpr uint32_t kMiniStreamCutoff = 4096;
// The header lists at most this many FAT sectors; more would need DIFAT sectors.
constexpr uint32_t kHeaderFatSlots = 109;

// Builds a version 3 compound file (512-byte sectors) whose root storage holds the one stream
// `streamName` (at most 31 ASCII characters) with `stream` as its content. False with `error`
// set when the stream is shorter than kMiniStreamCutoff or too long for the header's FAT list.
bool BuildCompoundFile(const std::string& streamName, const std::vector<uint8_t>& stream,
                       std::vector<uint8_t>* file, std::string* error);
