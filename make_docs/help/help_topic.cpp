// Building topics and paragraphs, and the context hash.
#include "help_topic.h"

#include <cstdint>

HelpParagraph& HelpParagraph::Write(const std::string& text) {
    spans.push_back({ParagraphSpan::Text, text, "", kBodyFont});
    return *this;
}

HelpParagraph& HelpParagraph::WriteIn(HelpFont font, const std::string& text) {
    spans.push_back({ParagraphSpan::Font, "", "", font});
    Write(text);
    spans.push_back({ParagraphSpan::Font, "", "", kBodyFont});
    return *this;
}

HelpParagraph& HelpParagraph::LinkTo(const std::string& context, const std::string& text) {
    spans.push_back({ParagraphSpan::Link, text, context, kBodyFont});
    return *this;
}

HelpParagraph& HelpParagraph::Tab() {
    spans.push_back({ParagraphSpan::Tab, "", "", kBodyFont});
    return *this;
}

HelpParagraph& HelpParagraph::NewLine() {
    spans.push_back({ParagraphSpan::LineBreak, "", "", kBodyFont});
    return *this;
}

HelpParagraph& HelpTopic::Add() {
    paragraphs.emplace_back();
    return paragraphs.back();
}

int32_t ContextHash(const std::string& name) {
    uint32_t hash = 0;  // wraps modulo 2^32, as the 32-bit sum of the help engine does
    for (char c : name) {
        unsigned code = 0;
        if (c >= 'A' && c <= 'Z') code = c - 'A' + 17;
        else if (c >= 'a' && c <= 'z') code = c - 'a' + 17;
        else if (c >= '1' && c <= '9') code = c - '0';
        else if (c == '0') code = 10;
        else if (c == '.') code = 12;
        else if (c == '_') code = 13;
        if (code != 0) hash = hash * 43 + code;
    }
    return static_cast<int32_t>(hash);
}
