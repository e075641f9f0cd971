// Laying out |TOPIC: topic headers and paragraph records, chained by position, in 4 KB blocks.
#include "topic_file.h"

#include <algorithm>

namespace {

constexpr size_t kBlockSize = 0x1000;
constexpr size_t kBlockHeaderSize = 12;
constexpr size_t kBlockData = kBlockSize - kBlockHeaderSize;
constexpr size_t kLinkHeaderSize = 21;
constexpr uint32_t kNone = 0xFFFFFFFF;

enum RecordType : uint8_t { kTopicHeader = 0x02, kParagraph = 0x20 };

// Paragraph commands, each following the text that precedes it.
enum Command : uint8_t {
    kFontChange = 0x80,
    kLineBreak = 0x81,
    kParagraphEnd = 0x82,
    kTab = 0x83,
    kEndOfLink = 0x89,
    kJumpToTopic = 0xE3,
    kEndOfCommands = 0xFF,
};

// Paragraph layout bits for the values that follow them.
enum LayoutBits : unsigned {
    kSpaceBefore = 0x0002,
    kSpaceAfter = 0x0004,
    kLeftIndent = 0x0010,
    kTabStops = 0x0200,
};

struct Record {
    RecordType type;
    size_t topic;       // index of the topic it belongs to
    Bytes layout;       // a topic header's layout is filled in once positions are known
    Bytes text;
    unsigned characters = 0;
    size_t at = 0;      // offset in the stream of block contents (headers excluded)

    size_t Size() const { return kLinkHeaderSize + layout.size() + text.size(); }
};

// A record's position as the format gives it: block number times 0x4000 plus the offset in
// the block, counting the block's header.
uint32_t Position(size_t at) { return static_cast<uint32_t>(((at / kBlockData) << 14) + kBlockHeaderSize + at % kBlockData); }

size_t BlockOf(size_t at) { return at / kBlockData; }

}  // namespace

ParagraphRecord EncodeParagraph(const HelpParagraph& paragraph) {
    ParagraphRecord record;
    Bytes commands;
    std::string pending;
    auto command = [&](std::initializer_list<uint8_t> bytes) {
        PutText(record.text, pending);
        record.characters += static_cast<unsigned>(pending.size());
        pending.clear();
        commands.insert(commands.end(), bytes);
    };
    command({kFontChange, kBodyFont, 0});
    for (const ParagraphSpan& span : paragraph.spans) {
        switch (span.kind) {
        case ParagraphSpan::Text: pending += span.text; break;
        case ParagraphSpan::Font: command({kFontChange, static_cast<uint8_t>(span.font), 0}); break;
        case ParagraphSpan::Tab: command({kTab}); ++record.characters; break;
        case ParagraphSpan::LineBreak: command({kLineBreak}); ++record.characters; break;
        case ParagraphSpan::Link: {
            uint32_t hash = static_cast<uint32_t>(ContextHash(span.target));
            command({kJumpToTopic, static_cast<uint8_t>(hash), static_cast<uint8_t>(hash >> 8),
                     static_cast<uint8_t>(hash >> 16), static_cast<uint8_t>(hash >> 24)});
            pending = span.text;
            command({kEndOfLink});
            break;
        }
        }
    }
    command({kParagraphEnd});
    ++record.characters;
    command({kEndOfCommands});

    unsigned bits = 0;
    Bytes values;
    // Each value present sets its bit and follows in the bits' order.
    for (auto [value, bit] : {std::pair<int, LayoutBits>{paragraph.spaceBefore, kSpaceBefore},
                              {paragraph.spaceAfter, kSpaceAfter}, {paragraph.leftIndent, kLeftIndent}}) {
        if (!value) continue;
        bits |= bit;
        PutPackedSigned16(values, value);
    }
    if (!paragraph.tabStops.empty()) {
        bits |= kTabStops;
        PutPackedSigned16(values, static_cast<int>(paragraph.tabStops.size()));
        for (unsigned stop : paragraph.tabStops) PutPackedUnsigned16(values, stop);  // left-aligned stops
    }
    PutPackedSigned32(record.layout, static_cast<long>(record.text.size()));
    PutPackedUnsigned16(record.layout, record.characters);
    PutByte(record.layout, 0x00);  // not a table row...
    PutByte(record.layout, 0x80);  // ...and a biased zero
    PutWord(record.layout, 0);     // paragraph id
    PutWord(record.layout, bits);
    PutBytes(record.layout, values);
    PutBytes(record.layout, commands);
    return record;
}

namespace {

// One topic header and the paragraph records of each topic, in order; headers are laid out
// once positions are known.
std::vector<Record> CollectRecords(const std::vector<HelpTopic>& topics) {
    std::vector<Record> records;
    for (size_t t = 0; t < topics.size(); ++t) {
        Record header{kTopicHeader, t, Bytes(28, 0), {}, 0, 0};
        header.text.assign(topics[t].title.begin(), topics[t].title.end());
        records.push_back(header);
        for (const HelpParagraph& paragraph : topics[t].paragraphs) {
            ParagraphRecord encoded = EncodeParagraph(paragraph);
            records.push_back({kParagraph, t, encoded.layout, encoded.text, encoded.characters, 0});
        }
    }
    return records;
}

// Places the records in the stream of block contents and answers its size. Records never
// straddle a block: one that does not fit the rest of a block starts the next. False with
// `error` set for a record longer than a block.
bool PlaceRecords(std::vector<Record>* records, const std::vector<HelpTopic>& topics, size_t* streamSize,
                  std::string* error) {
    size_t at = 0;
    for (Record& record : *records) {
        if (record.Size() > kBlockData) {
            *error = "a paragraph of topic \"" + topics[record.topic].title + "\" is too long for a block";
            return false;
        }
        if (at % kBlockData + record.Size() > kBlockData) at += kBlockData - at % kBlockData;
        record.at = at;
        at += record.Size();
    }
    *streamSize = at;
    return true;
}

// Each topic's offset, which counts the text of the records before its header in its block;
// answers the index of each topic's header record.
std::vector<size_t> LocateTopics(const std::vector<Record>& records, size_t topicCount,
                                 std::vector<TopicOffset>* offsets) {
    offsets->assign(topicCount, 0);
    std::vector<size_t> headerIndex(topicCount);
    size_t currentBlock = 0;
    unsigned characters = 0;
    for (size_t i = 0; i < records.size(); ++i) {
        if (BlockOf(records[i].at) != currentBlock) {
            currentBlock = BlockOf(records[i].at);
            characters = 0;
        }
        if (records[i].type == kTopicHeader) {
            (*offsets)[records[i].topic] = static_cast<TopicOffset>(currentBlock * 0x8000 + characters);
            headerIndex[records[i].topic] = i;
        } else {
            characters += records[i].characters;
        }
    }
    return headerIndex;
}

// Each header's layout: the topic's size, its number, and where its first paragraph and the
// next topic lie.
void LayOutTopicHeaders(std::vector<Record>* records, const std::vector<size_t>& headerIndex) {
    for (size_t t = 0; t < headerIndex.size(); ++t) {
        size_t first = headerIndex[t];
        size_t end = t + 1 < headerIndex.size() ? headerIndex[t + 1] : records->size();
        uint32_t topicSize = 0;
        for (size_t i = first; i < end; ++i) topicSize += static_cast<uint32_t>((*records)[i].Size());
        Bytes& layout = (*records)[first].layout;
        layout.clear();
        PutDword(layout, topicSize);
        PutDword(layout, kNone);  // no browse sequence backwards...
        PutDword(layout, kNone);  // ...nor forwards
        PutDword(layout, static_cast<uint32_t>(t));
        PutDword(layout, kNone);  // no non-scrolling region
        PutDword(layout, first + 1 < end ? Position((*records)[first + 1].at) : kNone);
        PutDword(layout, end < records->size() ? Position((*records)[end].at) : kNone);
    }
}

// The stream of block contents: each record behind its link header, chained to its neighbours.
Bytes LinkRecords(const std::vector<Record>& records, size_t streamSize) {
    Bytes stream(streamSize, 0);
    for (size_t i = 0; i < records.size(); ++i) {
        const Record& record = records[i];
        Bytes link;
        PutDword(link, static_cast<uint32_t>(record.Size()));
        PutDword(link, static_cast<uint32_t>(record.text.size()));  // the text is stored as it is
        PutDword(link, i > 0 ? Position(records[i - 1].at) : kNone);
        PutDword(link, i + 1 < records.size() ? Position(records[i + 1].at) : kNone);
        PutDword(link, static_cast<uint32_t>(kLinkHeaderSize + record.layout.size()));
        PutByte(link, record.type);
        PutBytes(link, record.layout);
        PutBytes(link, record.text);
        std::copy(link.begin(), link.end(), stream.begin() + record.at);
    }
    return stream;
}

// Cuts the stream into blocks, each headed by the last record begun before it, its own first
// record and the last topic header begun before it.
Bytes CutIntoBlocks(const std::vector<Record>& records, const Bytes& stream) {
    Bytes file;
    size_t blocks = (stream.size() + kBlockData - 1) / kBlockData;
    for (size_t b = 0; b < blocks; ++b) {
        uint32_t lastBefore = kNone, firstInside = kNone, lastHeaderBefore = kNone;
        for (const Record& record : records) {
            if (BlockOf(record.at) < b) {
                lastBefore = Position(record.at);
                if (record.type == kTopicHeader) lastHeaderBefore = Position(record.at);
            } else if (BlockOf(record.at) == b && firstInside == kNone) {
                firstInside = Position(record.at);
            }
        }
        PutDword(file, lastBefore);
        PutDword(file, firstInside);
        PutDword(file, lastHeaderBefore);
        size_t begin = b * kBlockData;
        size_t end = std::min(stream.size(), begin + kBlockData);
        file.insert(file.end(), stream.begin() + begin, stream.begin() + end);
    }
    // The last block is stored whole too: readers copy every block at its full size.
    file.resize(blocks * kBlockSize, 0);
    return file;
}

}  // namespace

bool BuildTopicFile(const std::vector<HelpTopic>& topics, Bytes* file, std::vector<TopicOffset>* offsets,
                    std::string* error) {
    std::vector<Record> records = CollectRecords(topics);
    size_t streamSize = 0;
    if (!PlaceRecords(&records, topics, &streamSize, error)) return false;
    LayOutTopicHeaders(&records, LocateTopics(records, topics.size(), offsets));
    *file = CutIntoBlocks(records, LinkRecords(records, streamSize));
    return true;
}
