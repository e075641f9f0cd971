// Laying out help pages as paragraphs of the help engine: a style is a font, a table row a paragraph with tab stops.
#include "help_layout.h"

namespace {

constexpr unsigned kTitleSpaceAfter = 6;   // half-points
constexpr unsigned kHeadingSpace = 12;
constexpr unsigned kSpaceAfterTable = 6;

void AddText(HelpParagraph& paragraph, const HelpText& text) {
    for (const HelpSpan& span : text.spans) {
        switch (span.kind) {
        case HelpSpan::Plain: paragraph.Write(span.text); break;
        case HelpSpan::Strong: paragraph.WriteIn(kHeadingFont, span.text); break;
        case HelpSpan::Code: paragraph.WriteIn(kCodeFont, span.text); break;
        case HelpSpan::Link: paragraph.LinkTo(span.target, span.text); break;
        }
    }
}

// A header row and the rows, each a paragraph whose cells are apart by tabs.
void AddTable(HelpTopic& topic, const HelpTable& table) {
    if (!table.header.empty()) {
        HelpParagraph& header = topic.Add();
        for (size_t i = 0; i < table.header.size(); ++i) {
            if (i) header.Tab();
            header.WriteIn(kHeadingFont, table.header[i]);
        }
        header.tabStops = table.tabStops;
    }
    for (const std::vector<HelpText>& cells : table.rows) {
        HelpParagraph& row = topic.Add();
        for (size_t i = 0; i < cells.size(); ++i) {
            if (i) row.Tab();
            AddText(row, cells[i]);
        }
        row.tabStops = table.tabStops;
    }
}

HelpTopic LayOutTopic(const HelpPage& page) {
    HelpTopic topic{page.context, page.contextNumber, page.title, {}};
    bool afterTable = false;
    for (const HelpBlock& block : page.blocks) {
        switch (block.kind) {
        case HelpBlock::Title:
            topic.Add().WriteIn(kTitleFont, block.text.spans.front().text).spaceAfter = kTitleSpaceAfter;
            break;
        case HelpBlock::Heading:
            topic.Add().WriteIn(kHeadingFont, block.text.spans.front().text).spaceBefore = kHeadingSpace;
            break;
        case HelpBlock::Paragraph: {
            HelpParagraph& paragraph = topic.Add();
            AddText(paragraph, block.text);
            if (afterTable) paragraph.spaceBefore = kSpaceAfterTable;  // tab-stopped rows have no gap below them
            break;
        }
        case HelpBlock::Table: AddTable(topic, block.table); break;
        }
        afterTable = block.kind == HelpBlock::Table;
    }
    return topic;
}

}  // namespace

std::vector<HelpTopic> LayOutTopics(const HelpDocument& document) {
    std::vector<HelpTopic> topics;
    for (const HelpPage& page : document.pages) topics.push_back(LayOutTopic(page));
    return topics;
}
