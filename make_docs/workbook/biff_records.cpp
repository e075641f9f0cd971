// BIFF8 record writing, including the split of the shared string table over CONTINUE records.
#include "biff_records.h"

#include <algorithm>


bool EncodeBiffText(const std::string& text, BiffText* encoded, std::string* error) {
    encoded->units.clear();
    encoded->compressed = true;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<uint8_t>(text[i]);
        const size_t trail = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 4;
        bool valid = trail < 4 && lead <= 0xF4 && i + trail < text.size();
        uint32_t point = lead & (0x7F >> trail);
        for (size_t k = 1; valid && k <= trail; ++k) {
            const auto next = static_cast<uint8_t>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            point = point << 6 | (next & 0x3F);
        }
        if (!valid) {
            *error = "text is not UTF-8 at byte " + std::to_string(i);
            return false;
        }
        i += 1 + trail;
        if (point > 0xFF) encoded->compressed = false;
        if (point >= 0x10000) {
            point -= 0x10000;
            encoded->units.push_back(static_cast<char16_t>(0xD800 | point >> 10));
            encoded->units.push_back(static_cast<char16_t>(0xDC00 | (point & 0x3FF)));
        } else {
            encoded->units.push_back(static_cast<char16_t>(point));
        }
    }
    return true;
}

static void AddUnits(RecordBody& body, const BiffText& text, size_t first, size_t count) {
    for (size_t i = first; i < first + count; ++i) {
        if (text.compressed) PutByte(body, static_cast<uint8_t>(text.units[i]));
        else PutWord(body, text.units[i]);
    }
}

void AddShortText(RecordBody& body, const BiffText& text) {
    PutByte(body, static_cast<uint8_t>(text.units.size()));
    PutByte(body, text.compressed ? 0 : 1);
    AddUnits(body, text, 0, text.units.size());
}

void AddText(RecordBody& body, const BiffText& text) {
    PutWord(body, static_cast<unsigned>(text.units.size()));
    PutByte(body, text.compressed ? 0 : 1);
    AddUnits(body, text, 0, text.units.size());
}

bool AppendRecord(std::vector<uint8_t>* stream, uint16_t type, const RecordBody& body) {
    if (body.size() > kMaxRecordBody) return false;
    uint8_t header[4];
    PutWordAt(header, type);
    PutWordAt(header + 2, static_cast<uint16_t>(body.size()));
    stream->insert(stream->end(), header, header + 4);
    stream->insert(stream->end(), body.begin(), body.end());
    return true;
}

namespace {

// The table being written: a record (SST, then CONTINUE) fills until the next piece would not
// fit, and is appended when the next one begins.
struct SstWriter {
    std::vector<uint8_t>* stream;
    uint16_t type = BiffRecord::kSst;
    RecordBody body;

    size_t Room() const { return kMaxRecordBody - body.size(); }
    // Where the next byte of the body will lie in the stream, and from its record's start.
    uint32_t StreamPosition() const { return static_cast<uint32_t>(stream->size() + 4 + body.size()); }
    uint16_t RecordOffset() const { return static_cast<uint16_t>(4 + body.size()); }
    void NextRecord() {
        AppendRecord(stream, type, body);
        body.clear();
        type = BiffRecord::kContinue;
    }
    // A text's header (count and flags) and its first character share a record.
    void KeepHeaderTogether(const BiffText& text) {
        const size_t firstPiece = text.units.empty() ? 0 : text.compressed ? 1 : 2;
        if (Room() < 3 + firstPiece) NextRecord();
    }
};

// A text's characters may be split; each record that continues them starts with the flags
// byte again.
void AddSharedString(SstWriter* writer, const BiffText& text) {
    const size_t unitSize = text.compressed ? 1 : 2;
    const uint8_t flags = text.compressed ? 0 : 1;
    writer->KeepHeaderTogether(text);
    PutWord(writer->body, static_cast<uint16_t>(text.units.size()));
    PutByte(writer->body, flags);
    size_t written = 0;
    while (true) {
        const size_t count = std::min(text.units.size() - written, writer->Room() / unitSize);
        AddUnits(writer->body, text, written, count);
        written += count;
        if (written == text.units.size()) break;
        writer->NextRecord();
        PutByte(writer->body, flags);
    }
}

}  // namespace

void AppendSharedStrings(std::vector<uint8_t>* stream, const std::vector<BiffText>& strings, uint32_t references) {
    // EXTSST points at every `perBucket`-th text; at most 128 buckets, as Excel keeps them.
    const uint16_t perBucket = static_cast<uint16_t>(std::max<size_t>(8, strings.size() / 128 + 1));
    RecordBody index;
    PutWord(index, perBucket);

    SstWriter writer{stream, BiffRecord::kSst, {}};
    PutDword(writer.body, references);
    PutDword(writer.body, static_cast<uint32_t>(strings.size()));
    for (size_t i = 0; i < strings.size(); ++i) {
        if (i % perBucket == 0) {
            // The bucket starts where the text's header goes, which may be a new record.
            writer.KeepHeaderTogether(strings[i]);
            PutDword(index, writer.StreamPosition());
            PutWord(index, writer.RecordOffset());
            PutWord(index, 0);
        }
        AddSharedString(&writer, strings[i]);
    }
    AppendRecord(stream, writer.type, writer.body);
    AppendRecord(stream, BiffRecord::kExtSst, index);
}
