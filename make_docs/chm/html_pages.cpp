// Writing the help pages as HTML, and the contents and index files of the help viewer.
#include "chm/html_pages.h"

#include <algorithm>
#include <map>
#include <vector>

const char kStylesheetFile[] = "mezura.css";
const char kStylesheet[] =
    "body { font-family: Verdana, Arial, sans-serif; font-size: 10pt; color: #000; background: #fff; "
    "margin: 0.8em 1.2em; }\n"
    "h1 { font-size: 15pt; margin: 0.2em 0 0.5em; }\n"
    "h2 { font-size: 11pt; margin: 1.2em 0 0.3em; }\n"
    "p { margin: 0.3em 0; }\n"
    "code { font-family: \"Courier New\", Courier, monospace; }\n"
    "table { border-collapse: collapse; margin: 0.3em 0; }\n"
    "th, td { text-align: left; vertical-align: top; padding: 0.1em 1.2em 0.1em 0; }\n"
    "thead th { border-bottom: 1px solid #808080; }\n"
    "p.nav { font-size: 8pt; margin-bottom: 0.8em; }\n";

namespace {

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string Html(const HelpText& text) {
    std::string out;
    for (const HelpSpan& span : text.spans) {
        switch (span.kind) {
        case HelpSpan::Plain: out += Escaped(span.text); break;
        case HelpSpan::Strong: out += "<strong>" + Escaped(span.text) + "</strong>"; break;
        case HelpSpan::Code: out += "<code>" + Escaped(span.text) + "</code>"; break;
        case HelpSpan::Link: out += "<a href=\"" + PageFile(span.target) + "\">" + Escaped(span.text) + "</a>"; break;
        }
    }
    return out;
}

std::string TableHtml(const HelpTable& table) {
    std::string out = "<table>\n";
    if (!table.header.empty()) {
        out += "<thead><tr>";
        for (const std::string& title : table.header) out += "<th>" + Escaped(title) + "</th>";
        out += "</tr></thead>\n";
    }
    out += "<tbody>\n";
    for (const std::vector<HelpText>& cells : table.rows) {
        out += "<tr>";
        for (const HelpText& cell : cells) out += "<td>" + Html(cell) + "</td>";
        out += "</tr>\n";
    }
    return out + "</tbody>\n</table>\n";
}

// One entry of a sitemap: a name, and the page it opens when it has one.
std::string SitemapItem(const std::string& name, const std::string& file, const std::string& indent) {
    std::string out = indent + "<LI> <OBJECT type=\"text/sitemap\">\n";
    out += indent + "\t<param name=\"Name\" value=\"" + Escaped(name) + "\">\n";
    if (!file.empty()) out += indent + "\t<param name=\"Local\" value=\"" + Escaped(file) + "\">\n";
    return out + indent + "\t</OBJECT>\n";
}

const char kSitemapHead[] = "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\n<HTML>\n<HEAD>\n</HEAD>\n<BODY>\n";
const char kSitemapTail[] = "</BODY>\n</HTML>\n";

const HelpPage* PageOf(const HelpDocument& document, const std::string& context) {
    for (const HelpPage& page : document.pages)
        if (page.context == context) return &page;
    return nullptr;
}

std::string Folded(const std::string& text) {
    std::string folded = text;
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return folded;
}

}  // namespace

std::string PageFile(const std::string& context) { return context + ".htm"; }

std::string PageHtml(const HelpPage& page) {
    std::string out =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\n"
        "<title>" + Escaped(page.title) + "</title>\n"
        "<link rel=\"stylesheet\" type=\"text/css\" href=\"" + std::string(kStylesheetFile) + "\">\n"
        "</head>\n<body>\n";
    // The help viewer has its own way back to the contents; a browser has none.
    if (page.context != "contents") out += "<p class=\"nav\"><a href=\"" + PageFile("contents") + "\">Contents</a></p>\n";
    for (const HelpBlock& block : page.blocks) {
        switch (block.kind) {
        case HelpBlock::Title: out += "<h1>" + Html(block.text) + "</h1>\n"; break;
        case HelpBlock::Heading: out += "<h2>" + Html(block.text) + "</h2>\n"; break;
        case HelpBlock::Paragraph: out += "<p>" + Html(block.text) + "</p>\n"; break;
        case HelpBlock::Table: out += TableHtml(block.table); break;
        }
    }
    return out + "</body>\n</html>\n";
}

std::string ContentsSitemap(const HelpDocument& document) {
    const HelpPage& first = document.pages.front();
    std::string out = std::string(kSitemapHead) + "<UL>\n" + SitemapItem(first.title, PageFile(first.context), "\t");
    for (const HelpChapter& chapter : document.chapters) {
        out += SitemapItem(chapter.title, "", "\t") + "\t<UL>\n";
        for (const std::string& context : chapter.contexts) {
            const HelpPage* page = PageOf(document, context);
            if (page) out += SitemapItem(page->title, PageFile(context), "\t\t");
        }
        out += "\t</UL>\n";
    }
    return out + "</UL>\n" + kSitemapTail;
}

std::string IndexSitemap(const HelpDocument& document) {
    // Each keyword once, with every page that names it; in the order a reader looks them up.
    std::map<std::string, std::pair<std::string, std::vector<const HelpPage*>>> entries;
    for (const HelpPage& page : document.pages) {
        for (const std::string& keyword : page.keywords) {
            auto& entry = entries[Folded(keyword) + '\0' + keyword];
            entry.first = keyword;
            if (std::find(entry.second.begin(), entry.second.end(), &page) == entry.second.end())
                entry.second.push_back(&page);
        }
    }
    std::string out = std::string(kSitemapHead) + "<UL>\n";
    for (const auto& [key, entry] : entries) {
        // A keyword of several pages lists each page's title and file after the keyword.
        out += "\t<LI> <OBJECT type=\"text/sitemap\">\n\t\t<param name=\"Name\" value=\"" + Escaped(entry.first) + "\">\n";
        for (const HelpPage* page : entry.second) {
            if (entry.second.size() > 1)
                out += "\t\t<param name=\"Name\" value=\"" + Escaped(page->title) + "\">\n";
            out += "\t\t<param name=\"Local\" value=\"" + PageFile(page->context) + "\">\n";
        }
        out += "\t\t</OBJECT>\n";
    }
    return out + "</UL>\n" + kSitemapTail;
}
