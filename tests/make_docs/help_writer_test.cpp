// The help file writer's own rules: packed numbers, context hashes, and what it refuses to write.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "make_docs/help/help_container.h"
#include "make_docs/help/help_indexes.h"
#include "make_docs/help/topic_file.h"

namespace {

// The help engine's reading of a packed number: the low bit of the first byte gives the form.
long ReadPacked(const Bytes& bytes, bool isLong, bool isSigned, size_t* size) {
    bool wide = bytes[0] & 1;
    if (isLong) {
        *size = wide ? 4 : 2;
        uint32_t raw = bytes[0] | bytes[1] << 8 | (wide ? uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24 : 0);
        return wide ? (long(raw) - 0x80000000L) / 2 : (long(raw) - 0x8000) / 2;
    }
    *size = wide ? 2 : 1;
    long raw = wide ? bytes[0] | bytes[1] << 8 : bytes[0];
    long bias = !isSigned ? 0 : wide ? 0x8000 : 0x80;
    return (raw - bias) / 2;
}

TEST(HelpWriterTest, PackedNumbersReadBackInTheirShortestForm) {
    struct Row {
        long value;
        bool isLong, isSigned;
        size_t size;
    };
    const Row rows[] = {
        {0, false, false, 1},     {127, false, false, 1},  {128, false, false, 2},   {32767, false, false, 2},
        {0, false, true, 1},      {63, false, true, 1},    {-64, false, true, 1},    {64, false, true, 2},
        {16383, false, true, 2},  {0, true, true, 2},      {16383, true, true, 2},   {-16384, true, true, 2},
        {16384, true, true, 4},   {75353, true, true, 4},
    };
    for (const Row& row : rows) {
        Bytes bytes;
        if (row.isLong) PutPackedSigned32(bytes, row.value);
        else if (row.isSigned) PutPackedSigned16(bytes, int(row.value));
        else PutPackedUnsigned16(bytes, unsigned(row.value));
        size_t size = 0;
        EXPECT_EQ(ReadPacked(bytes, row.isLong, row.isSigned, &size), row.value) << row.value;
        EXPECT_EQ(bytes.size(), row.size) << row.value;
        EXPECT_EQ(size, row.size) << row.value;
    }
}

TEST(HelpWriterTest, ContextHashesFollowTheEnginesSum) {
    const std::pair<const char*, int32_t> rows[] = {
        {"", 0},
        {"A", 17},
        {"a", 17},                    // letters count without case
        {"a1", 17 * 43 + 1},
        {"0", 10},                    // zero comes after nine
        {"x-y", 40 * 43 + 41},        // other characters are skipped
        {"._", 12 * 43 + 13},
        {"CvtVolumeFlow", 571560745},  // the sum wraps to 32 bits...
        {"CvtLength", -231561057},     // ...and is a signed number: this one sorts first
    };
    for (const auto& [name, hash] : rows) EXPECT_EQ(ContextHash(name), hash) << name;
}

HelpTopic Topic(const std::string& context, unsigned number, size_t paragraphs, size_t textSize) {
    HelpTopic topic{context, number, context, {}};
    for (size_t i = 0; i < paragraphs; ++i) topic.Add().Write(std::string(textSize, 'x'));
    return topic;
}

size_t RecordSize(size_t textSize) {
    HelpParagraph paragraph;
    paragraph.Write(std::string(textSize, 'x'));
    ParagraphRecord record = EncodeParagraph(paragraph);
    return 21 + record.layout.size() + record.text.size();
}

uint32_t DwordAt(const Bytes& bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t(bytes[at + 3]) << 24;
}

TEST(HelpWriterTest, TopicOffsetsCountTheTextBeforeThemInTheirBlock) {
    Bytes file;
    std::vector<TopicOffset> offsets;
    std::string error;
    // In one block: the second topic comes after 100 characters and a paragraph end.
    ASSERT_TRUE(BuildTopicFile({Topic("a", 1, 1, 100), Topic("b", 2, 1, 10)}, &file, &offsets, &error)) << error;
    EXPECT_EQ(offsets, (std::vector<TopicOffset>{0, 101}));
    EXPECT_EQ(file.size(), 0x1000u) << "the last block is stored whole";

    // A first block left with less room than a topic header needs: the second topic starts the
    // next block instead of straddling the two, at character 0 of block 1.
    const size_t kBlockData = 0x1000 - 12, kFirstHeader = 21 + 28 + 5;
    size_t textSize = 3000;
    while (kFirstHeader + RecordSize(textSize + 1) <= kBlockData - 40) ++textSize;
    ASSERT_TRUE(BuildTopicFile({Topic("first", 1, 1, textSize), Topic("second", 2, 1, 10)}, &file, &offsets, &error));
    ASSERT_EQ(file.size(), 0x2000u);
    EXPECT_EQ(offsets, (std::vector<TopicOffset>{0, 0x8000}));
    EXPECT_EQ(DwordAt(file, 0x1004), (1u << 14) + 12) << "block 1 names its first record, just after its header";
    EXPECT_EQ(DwordAt(file, 0x1008), 12u) << "and the topic begun before it";
}

TEST(HelpWriterTest, WhatCannotBeWrittenRightIsRefused) {
    std::string error;
    Bytes out;
    std::vector<TopicOffset> offsets;
    EXPECT_FALSE(BuildTopicFile({Topic("long", 1, 1, 5000)}, &out, &offsets, &error));
    EXPECT_NE(error.find("too long for a block"), std::string::npos) << error;

    std::vector<HelpTopic> twins = {Topic("Twin", 1, 1, 1), Topic("twin", 2, 1, 1)};
    error.clear();
    EXPECT_FALSE(BuildContextFile(twins, {0, 1}, &out, &error)) << "names differing only in case share a hash";
    EXPECT_NE(error.find("same hash"), std::string::npos) << error;

    std::vector<Bytes> entries(255, Bytes(8, 0));  // 8 + 255 * 8 bytes: a 2 KB page exactly
    EXPECT_TRUE(BuildSingleLeafTree("L4", 0x800, false, entries, &out));
    EXPECT_EQ(out.size(), 38u + 0x800);
    entries.push_back(Bytes(8, 0));
    EXPECT_FALSE(BuildSingleLeafTree("L4", 0x800, false, entries, &out)) << "one record more than a page holds";
}

}  // namespace
