// Writing MEZURA.CHM: the pages as HTML, the contents and index, the viewer's own files (#SYSTEM,
// #WINDOWS, #STRINGS and the context map #IVB) and the container.
#include "chm/chm_file.h"

#include <algorithm>
#include <map>

#include "chm/chm_container.h"
#include "chm/html_pages.h"
#include "output_file.h"

namespace {

constexpr uint32_t kLanguage = 0x409;  // US English
const char kContentsFile[] = "mezura.hhc";
const char kIndexFile[] = "mezura.hhk";
const char kWindowName[] = "main";

Bytes AsBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

// #STRINGS: texts the other files name by offset, each with its zero; offset 0 is the empty
// text, and no text crosses a 4 KB page, since viewers read the file page by page.
class StringTable {
public:
    uint32_t Add(const std::string& text) {
        auto found = offsets_.find(text);
        if (found != offsets_.end()) return found->second;
        size_t size = text.size() + 1;
        if (bytes_.size() / 0x1000 != (bytes_.size() + size - 1) / 0x1000) bytes_.resize((bytes_.size() / 0x1000 + 1) * 0x1000, 0);
        uint32_t at = static_cast<uint32_t>(bytes_.size());
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        bytes_.push_back(0);
        offsets_.emplace(text, at);
        return at;
    }
    const Bytes& bytes() const { return bytes_; }

private:
    Bytes bytes_{0};
    std::map<std::string, uint32_t> offsets_;
};

void PutSystemRecord(Bytes& out, unsigned code, const Bytes& data) {
    PutWord(out, code);
    PutWord(out, static_cast<unsigned>(data.size()));
    PutBytes(out, data);
}

void PutSystemText(Bytes& out, unsigned code, const std::string& text) { PutSystemRecord(out, code, AsBytes(text + '\0')); }

// #SYSTEM: what the viewer opens first, the file's title, its contents and index, its window.
Bytes SystemFile(const HelpDocument& document) {
    enum Code : unsigned {
        kContents = 0, kIndex = 1, kDefaultTopic = 2, kTitle = 3, kSettings = 4, kDefaultWindow = 5,
        kCompiler = 9, kInformationTypes = 12, kInformationTypeChecksum = 15,
    };
    Bytes out;
    PutDword(out, 3);  // version
    PutSystemText(out, kCompiler, "Mezura make_docs");
    Bytes none;
    PutDword(none, 0);
    PutSystemRecord(out, kInformationTypes, none);
    PutSystemRecord(out, kInformationTypeChecksum, none);
    Bytes settings;
    PutDword(settings, kLanguage);
    PutDword(settings, 0);  // not double-byte text
    PutDword(settings, 0);  // no full-text search
    PutDword(settings, 0);  // no keyword links...
    PutDword(settings, 0);  // ...nor associative links
    PutQword(settings, 0);  // time of compilation: none, so one commit gives the same bytes
    PutDword(settings, 0);
    PutDword(settings, 0);
    PutSystemRecord(out, kSettings, settings);
    PutSystemText(out, kDefaultTopic, PageFile(document.pages.front().context));
    PutSystemText(out, kTitle, document.title);
    PutSystemText(out, kContents, kContentsFile);
    PutSystemText(out, kIndex, kIndexFile);
    PutSystemText(out, kDefaultWindow, kWindowName);
    return out;
}

// #WINDOWS: the one window, a three-pane viewer with the contents and index tabs.
Bytes WindowsFile(const HelpDocument& document, StringTable* strings) {
    enum : uint32_t {
        kEntrySize = 196,
        kValidProperties = 0x2, kValidToolbar = 0x100, kValidExpansion = 0x200, kValidTabPosition = 0x400,
        kTriPane = 0x20, kAutoSync = 0x100, kUserPosition = 0x40000,
        kHideShow = 0x2, kBack = 0x4, kForward = 0x8, kHome = 0x40, kOptions = 0x1000, kPrint = 0x2000,
    };
    std::string home = PageFile(document.pages.front().context);
    Bytes out;
    PutDword(out, 1);  // windows
    PutDword(out, kEntrySize);
    PutDword(out, kEntrySize);
    PutDword(out, 0);  // texts are not Unicode
    PutDword(out, strings->Add(kWindowName));
    PutDword(out, kValidProperties | kValidToolbar | kValidExpansion | kValidTabPosition);
    PutDword(out, kTriPane | kAutoSync | kUserPosition);
    PutDword(out, strings->Add(document.title));  // caption
    for (int i = 0; i < 2 + 4 + 1 + 6 + 1 + 4; ++i) PutDword(out, 0);  // styles, place, show state, run-time handles, pane width and place
    PutDword(out, strings->Add(kContentsFile));
    PutDword(out, strings->Add(kIndexFile));
    PutDword(out, strings->Add(home));  // first page
    PutDword(out, strings->Add(home));  // the Home button's page
    PutDword(out, kHideShow | kBack | kForward | kHome | kOptions | kPrint);
    PutDword(out, 0);  // navigation pane open
    PutDword(out, 0);  // on the contents tab
    PutDword(out, 0);  // tabs at the top
    PutDword(out, 0);  // notification id
    out.resize(out.size() + 20, 0);  // tab order
    for (int i = 0; i < 1 + 4 + 4 + 1 + 1; ++i) PutDword(out, 0);  // history, jump buttons, minimum size, information types, custom tabs
    return out;
}

// #IVB: each context number with the offset in #STRINGS of its page's file, by number.
Bytes ContextMap(const HelpDocument& document, StringTable* strings) {
    std::vector<const HelpPage*> pages;
    for (const HelpPage& page : document.pages)
        if (page.contextNumber) pages.push_back(&page);
    std::sort(pages.begin(), pages.end(), [](const HelpPage* a, const HelpPage* b) { return a->contextNumber < b->contextNumber; });
    Bytes out;
    PutDword(out, static_cast<uint32_t>(8 * pages.size()));
    for (const HelpPage* page : pages) {
        PutDword(out, page->contextNumber);
        PutDword(out, strings->Add(PageFile(page->context)));
    }
    return out;
}

}  // namespace

bool WriteChmFile(const char* path, std::string* error) {
    HelpDocument document = BuildHelpDocument();
    StringTable strings;
    std::vector<ChmEntry> packed = {
        {"/#WINDOWS", WindowsFile(document, &strings)},
        {"/#IVB", ContextMap(document, &strings)},
        {std::string("/") + kContentsFile, AsBytes(ContentsSitemap(document))},
        {std::string("/") + kIndexFile, AsBytes(IndexSitemap(document))},
        {std::string("/") + kStylesheetFile, AsBytes(kStylesheet)},
    };
    for (const HelpPage& page : document.pages) packed.push_back({"/" + PageFile(page.context), AsBytes(PageHtml(page))});
    packed.push_back({"/#STRINGS", strings.bytes()});  // last: the files above add to it
    std::vector<ChmEntry> stored = {{"/#ITBITS", {}}, {"/#SYSTEM", SystemFile(document)}};
    Bytes image;
    return BuildChmContainer(stored, packed, &image, error) && WriteWholeFile(path, image, error);
}
