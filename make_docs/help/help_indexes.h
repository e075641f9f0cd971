// The internal files beside |TOPIC: the file's own header records, fonts, and the three ways
// of finding a topic (by context name, by context number, by title).
#pragma once

#include <string>
#include <vector>

#include "help_bytes.h"
#include "help_topic.h"
#include "topic_file.h"

// |SYSTEM: a Windows 3.1 help file with uncompressed 4 KB topic blocks, its title, its
// copyright line and the offset of its contents topic.
Bytes BuildSystemFile(const std::string& title, const std::string& copyright, TopicOffset contents);

// |FONT: the face names and the descriptors of the HelpFont values, in order.
Bytes BuildFontFile();

// |CONTEXT: every topic's context name, by hash. False with `error` set when two names hash
// alike or the tree outgrows its page.
bool BuildContextFile(const std::vector<HelpTopic>& topics, const std::vector<TopicOffset>& offsets, Bytes* file,
                      std::string* error);

// |CTXOMAP: every topic that has a context number, by number.
Bytes BuildContextMapFile(const std::vector<HelpTopic>& topics, const std::vector<TopicOffset>& offsets);

// |TTLBTREE: every topic's title, by topic offset. False when it outgrows its page.
bool BuildTitleFile(const std::vector<HelpTopic>& topics, const std::vector<TopicOffset>& offsets, Bytes* file,
                    std::string* error);
