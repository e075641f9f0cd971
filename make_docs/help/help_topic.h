// What a help topic holds: a title, the names it is reached by, and paragraphs of styled text.
#pragma once

#include <string>
#include <vector>

// The help file's fonts, in the order its font table lists them.
enum HelpFont : unsigned { kBodyFont = 0, kTitleFont = 1, kHeadingFont = 2, kCodeFont = 3, kHelpFontCount = 4 };

struct ParagraphSpan {
    enum Kind { Text, Link, Tab, LineBreak, Font } kind;
    std::string text;    // Text, Link: what the reader sees
    std::string target;  // Link: the context name of the topic it jumps to
    HelpFont font = kBodyFont;
};

struct HelpParagraph {
    std::vector<ParagraphSpan> spans;
    unsigned spaceBefore = 0;        // half-points
    unsigned spaceAfter = 0;         // half-points
    unsigned leftIndent = 0;         // half-points
    std::vector<unsigned> tabStops;  // half-points from the left margin, ascending

    HelpParagraph& Write(const std::string& text);
    HelpParagraph& WriteIn(HelpFont font, const std::string& text);  // then back to the body font
    HelpParagraph& LinkTo(const std::string& context, const std::string& text);
    HelpParagraph& Tab();
    HelpParagraph& NewLine();
};

struct HelpTopic {
    std::string context;         // the name links jump to: "contents", "CvtLength"...
    unsigned contextNumber = 0;  // the number programs open it by (HELP_CONTEXT)
    std::string title;
    std::vector<HelpParagraph> paragraphs;

    HelpParagraph& Add();  // a new body paragraph at the end
};

// The context name's hash, under which the |CONTEXT tree files a topic: every letter, digit,
// '.' and '_' adds its code to 43 times the sum so far; other characters are skipped.
int32_t ContextHash(const std::string& name);
