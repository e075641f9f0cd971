// What the help says, page by page, before any help format lays it out: titles, headings, paragraphs of styled text and tables.
#pragma once

#include <string>
#include <vector>

struct HelpSpan {
    enum Kind { Plain, Strong, Code, Link } kind;
    std::string text;    // what the reader sees
    std::string target;  // Link: the context name of the page it opens
};

// A run of spans, written by chaining: page.Paragraph().Code("=CvtLength(...)").Write(" gives 1.")
struct HelpText {
    std::vector<HelpSpan> spans;

    HelpText& Write(const std::string& text);
    HelpText& Strong(const std::string& text);
    HelpText& Code(const std::string& text);
    HelpText& LinkTo(const std::string& context, const std::string& text);
};

struct HelpTable {
    std::vector<std::string> header;           // column titles; none for a table without a header row
    std::vector<std::vector<HelpText>> rows;   // one text per cell
    // Where each column after the first starts when a format lays the table out with tab
    // stops, in half-points from the left margin.
    std::vector<unsigned> tabStops;

    std::vector<HelpText>& AddRow();
};

struct HelpBlock {
    enum Kind { Title, Heading, Paragraph, Table } kind;
    HelpText text;    // Title, Heading, Paragraph
    HelpTable table;  // Table
};

struct HelpPage {
    std::string context;         // the name links use: "contents", "CvtLength"...
    unsigned contextNumber = 0;  // the number programs open it by
    std::string title;
    std::vector<std::string> keywords;  // its entries in the index
    std::vector<HelpBlock> blocks;

    void Title(const std::string& text);
    void Heading(const std::string& text);
    HelpText& Paragraph();
    HelpTable& Table(std::vector<std::string> header, std::vector<unsigned> tabStops);
};

// A group of pages in the table of contents.
struct HelpChapter {
    std::string title;
    std::vector<std::string> contexts;
};

struct HelpDocument {
    std::string title;
    std::string copyright;
    std::vector<HelpPage> pages;  // the contents page first
    std::vector<HelpChapter> chapters;
};

// The add-in's help: the contents page, then one page per worksheet function.
HelpDocument BuildHelpDocument();
