// Building help pages: their blocks and the spans of their texts.
#include "help_pages.h"

#include <utility>

HelpText& HelpText::Write(const std::string& text) {
    spans.push_back({HelpSpan::Plain, text, ""});
    return *this;
}

HelpText& HelpText::Strong(const std::string& text) {
    spans.push_back({HelpSpan::Strong, text, ""});
    return *this;
}

HelpText& HelpText::Code(const std::string& text) {
    spans.push_back({HelpSpan::Code, text, ""});
    return *this;
}

HelpText& HelpText::LinkTo(const std::string& context, const std::string& text) {
    spans.push_back({HelpSpan::Link, text, context});
    return *this;
}

std::vector<HelpText>& HelpTable::AddRow() {
    rows.emplace_back();
    return rows.back();
}

void HelpPage::Title(const std::string& text) { blocks.push_back({HelpBlock::Title, HelpText().Write(text), {}}); }

void HelpPage::Heading(const std::string& text) { blocks.push_back({HelpBlock::Heading, HelpText().Write(text), {}}); }

HelpText& HelpPage::Paragraph() {
    blocks.push_back({HelpBlock::Paragraph, {}, {}});
    return blocks.back().text;
}

HelpTable& HelpPage::Table(std::vector<std::string> header, std::vector<unsigned> tabStops) {
    blocks.push_back({HelpBlock::Table, {}, {std::move(header), {}, std::move(tabStops)}});
    return blocks.back().table;
}
