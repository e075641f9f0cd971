// |TOPIC: the topics' text, as a chain of records in uncompressed 4 KB blocks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "help_bytes.h"
#include "help_topic.h"

// Where the engine finds each topic: its block times 0x8000 plus the characters of text that
// precede it in that block. The context map, the context tree and the title tree file topics
// under these offsets.
using TopicOffset = uint32_t;

// Writes the topics in order. False with `error` set when a paragraph is too long for a block.
bool BuildTopicFile(const std::vector<HelpTopic>& topics, Bytes* file, std::vector<TopicOffset>* offsets,
                    std::string* error);

// A paragraph record's two parts: its layout and commands, and its text; `characters` is what
// the engine counts for it (text, tabs and line ends).
struct ParagraphRecord {
    Bytes layout;
    Bytes text;
    unsigned characters = 0;
};
ParagraphRecord EncodeParagraph(const HelpParagraph& paragraph);
