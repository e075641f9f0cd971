// BIFF8 records: framing, fields, strings, and the shared string table with its index.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "../little_endian.h"

// A record's body holds at most this many bytes; longer data goes on in CONTINUE records.
constexpr size_t kMaxRecordBody = 8224;

namespace BiffRecord {
constexpr uint16_t kEof = 0x000A;
constexpr uint16_t kFont = 0x0031;
constexpr uint16_t kContinue = 0x003C;
constexpr uint16_t kWindow1 = 0x003D;
constexpr uint16_t kCodepage = 0x0042;
constexpr uint16_t kColInfo = 0x007D;
constexpr uint16_t kWsBool = 0x0081;
constexpr uint16_t kSetup = 0x00A1;
constexpr uint16_t kBoundSheet = 0x0085;
constexpr uint16_t kSst = 0x00FC;
constexpr uint16_t kLabelSst = 0x00FD;
constexpr uint16_t kExtSst = 0x00FF;
constexpr uint16_t kXf = 0x00E0;
constexpr uint16_t kDimensions = 0x0200;
constexpr uint16_t kNumber = 0x0203;
constexpr uint16_t kWindow2 = 0x023E;
constexpr uint16_t kStyle = 0x0293;
constexpr uint16_t kFormat = 0x041E;
constexpr uint16_t kBof = 0x0809;
}  // namespace BiffRecord

// A text as BIFF8 stores it: UTF-16 code units, written one byte each ("compressed") when every
// unit fits in 8 bits.
struct BiffText {
    std::u16string units;
    bool compressed = true;
};

// Decodes UTF-8 `text`; false with `error` set for bytes that are not UTF-8.
bool EncodeBiffText(const std::string& text, BiffText* encoded, std::string* error);

// A record body under construction, its fields written with the little-endian writers.
using RecordBody = Bytes;

// The text with an 8-bit count (sheet and font names): at most 255 units.
void AddShortText(RecordBody& body, const BiffText& text);
// The text with a 16-bit count (number formats).
void AddText(RecordBody& body, const BiffText& text);

// Appends the record; false when its body is longer than kMaxRecordBody.
bool AppendRecord(std::vector<uint8_t>* stream, uint16_t type, const RecordBody& body);

// Appends SST (in as many CONTINUE records as it takes) and its index EXTSST. `references` is
// how many cells refer to the table. Each text holds at most 65535 units.
void AppendSharedStrings(std::vector<uint8_t>* stream, const std::vector<BiffText>& strings, uint32_t references);
