// |SYSTEM, |FONT, |CONTEXT, |CTXOMAP and |TTLBTREE.
#include "help_indexes.h"

#include <algorithm>
#include <map>

#include "help_container.h"

namespace {

constexpr unsigned kSystemMagic = 0x036C;
constexpr unsigned kWindows31Format = 21;
constexpr unsigned kIndexPageSize = 0x800;

enum SystemRecord : unsigned { kTitle = 1, kCopyright = 2, kContents = 3, kWindow = 6 };

// The main window: its caption, place and size. Windows' engine reads the place and size in
// 1024ths of the screen, Wine's in pixels; these suit both.
struct MainWindow {
    unsigned x = 40, y = 30, width = 720, height = 540;
};

Bytes MainWindowRecord(const std::string& caption) {
    enum Given : unsigned { kName = 0x02, kCaption = 0x04, kX = 0x08, kY = 0x10, kWidth = 0x20, kHeight = 0x40 };
    MainWindow window;
    Bytes out;
    PutWord(out, kName | kCaption | kX | kY | kWidth | kHeight);
    auto field = [&out](const std::string& text, size_t size) {
        Bytes bytes(size, 0);
        std::copy(text.begin(), text.begin() + std::min(text.size(), size - 1), bytes.begin());
        PutBytes(out, bytes);
    };
    field("", 10);  // window type
    field("main", 9);
    field(caption, 51);
    PutWord(out, window.x);
    PutWord(out, window.y);
    PutWord(out, window.width);
    PutWord(out, window.height);
    PutWord(out, 0);        // not maximized
    PutDword(out, 0xFFFFFF);  // white behind the scrolling text...
    PutDword(out, 0xFFFFFF);  // ...and behind the non-scrolling region
    return out;
}

void PutSystemRecord(Bytes& out, unsigned type, const Bytes& data) {
    PutWord(out, type);
    PutWord(out, static_cast<unsigned>(data.size()));
    PutBytes(out, data);
}

struct FontFace {
    const char* name;
    unsigned family;  // 1 modern (fixed pitch), 3 swiss
};
const FontFace kFaces[] = {{"Arial", 3}, {"Courier New", 1}};
constexpr size_t kFaceNameSize = 32;

struct FontDescriptor {
    HelpFont font;
    bool bold;
    unsigned halfPoints;
    unsigned face;  // index into kFaces
};
const FontDescriptor kFonts[kHelpFontCount] = {
    {kBodyFont, false, 20, 0},
    {kTitleFont, true, 28, 0},
    {kHeadingFont, true, 20, 0},
    {kCodeFont, false, 20, 1},
};

}  // namespace

Bytes BuildSystemFile(const std::string& title, const std::string& copyright, TopicOffset contents) {
    Bytes out;
    PutWord(out, kSystemMagic);
    PutWord(out, kWindows31Format);
    PutWord(out, 1);   // major version
    PutDword(out, 0);  // no build date: the same sources make the same file
    PutWord(out, 0);   // flags: topic blocks are 4 KB and not compressed
    Bytes text;
    PutText(text, title);
    PutSystemRecord(out, kTitle, text);
    text.clear();
    PutText(text, copyright);
    PutSystemRecord(out, kCopyright, text);
    Bytes offset;
    PutDword(offset, contents);
    PutSystemRecord(out, kContents, offset);
    PutSystemRecord(out, kWindow, MainWindowRecord(title));
    return out;
}

Bytes BuildFontFile() {
    constexpr size_t kHeaderSize = 8;
    constexpr size_t faces = sizeof kFaces / sizeof kFaces[0];
    Bytes out;
    PutWord(out, faces);
    PutWord(out, kHelpFontCount);
    PutWord(out, kHeaderSize);
    PutWord(out, static_cast<unsigned>(kHeaderSize + faces * kFaceNameSize));
    for (const FontFace& face : kFaces) {
        Bytes name(kFaceNameSize, 0);
        std::copy(face.name, face.name + std::char_traits<char>::length(face.name), name.begin());
        PutBytes(out, name);
    }
    for (const FontDescriptor& font : kFonts) {
        PutByte(out, font.bold ? 1 : 0);  // attributes: bit 0 bold
        PutByte(out, font.halfPoints);
        PutByte(out, kFaces[font.face].family);
        PutWord(out, font.face);
        for (int i = 0; i < 3; ++i) PutByte(out, 0);     // text black
        for (int i = 0; i < 3; ++i) PutByte(out, 0xFF);  // on white
    }
    return out;
}

bool BuildContextFile(const std::vector<HelpTopic>& topics, const std::vector<TopicOffset>& offsets, Bytes* file,
                      std::string* error) {
    std::map<int32_t, size_t> byHash;  // signed order: the engine compares hashes as signed numbers
    for (size_t t = 0; t < topics.size(); ++t) {
        auto [place, added] = byHash.emplace(ContextHash(topics[t].context), t);
        if (!added) {
            *error = "the context names \"" + topics[place->second].context + "\" and \"" + topics[t].context +
                     "\" have the same hash";
            return false;
        }
    }
    std::vector<Bytes> entries;
    for (const auto& [hash, topic] : byHash) {
        Bytes entry;
        PutDword(entry, static_cast<uint32_t>(hash));
        PutDword(entry, offsets[topic]);
        entries.push_back(entry);
    }
    if (!BuildSingleLeafTree("L4", kIndexPageSize, false, entries, file)) {
        *error = "too many context names for one page";
        return false;
    }
    return true;
}

Bytes BuildContextMapFile(const std::vector<HelpTopic>& topics, const std::vector<TopicOffset>& offsets) {
    std::map<unsigned, TopicOffset> byNumber;
    for (size_t t = 0; t < topics.size(); ++t)
        if (topics[t].contextNumber != 0) byNumber[topics[t].contextNumber] = offsets[t];
    Bytes out;
    PutWord(out, static_cast<unsigned>(byNumber.size()));
    for (const auto& [number, offset] : byNumber) {
        PutDword(out, number);
        PutDword(out, offset);
    }
    return out;
}

bool BuildTitleFile(const std::vector<HelpTopic>& topics, const std::vector<TopicOffset>& offsets, Bytes* file,
                    std::string* error) {
    std::map<TopicOffset, std::string> byOffset;
    for (size_t t = 0; t < topics.size(); ++t) byOffset[offsets[t]] = topics[t].title;
    std::vector<Bytes> entries;
    for (const auto& [offset, title] : byOffset) {
        Bytes entry;
        PutDword(entry, offset);
        PutText(entry, title);
        entries.push_back(entry);
    }
    if (!BuildSingleLeafTree("Lz", kIndexPageSize, false, entries, file)) {
        *error = "too many titles for one page";
        return false;
    }
    return true;
}
