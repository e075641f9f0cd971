// The help pages as HTML for MEZURA.CHM, with the table of contents, the index and the stylesheet they share.
#pragma once

#include <string>

#include "help_pages.h"

// The file a page is stored in: "CvtLength.htm".
std::string PageFile(const std::string& context);

// The page as an HTML document that reads the same in the help viewer and in a browser.
std::string PageHtml(const HelpPage& page);

// The table of contents (.hhc) and the index (.hhk), as the help viewer reads them.
std::string ContentsSitemap(const HelpDocument& document);
std::string IndexSitemap(const HelpDocument& document);

// mezura.css, which every page links.
extern const char kStylesheetFile[];
extern const char kStylesheet[];
