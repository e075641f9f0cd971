// Laying out an HTML Help file: the ITSF header, the ITSP directory of one listing chunk, the
// uncompressed section, and the LZX section written as stored (uncompressed) LZX blocks.
#include "chm/chm_container.h"

#include <algorithm>

namespace {

constexpr uint32_t kLanguage = 0x409;  // US English
constexpr uint32_t kChunkSize = 0x1000;
constexpr uint32_t kPmglHeaderSize = 0x14;
constexpr unsigned kQuickrefInterval = 5;  // an entry every 1 + 2^2, the density written below
constexpr uint32_t kFrameSize = 0x8000;    // the LZX section decompresses in frames of 32 KB...
constexpr uint32_t kFramesPerReset = 2;    // ...and starts afresh every two of them (a 64 KB window)

struct Guid {
    uint32_t first;
    uint16_t second, third;
    uint8_t rest[8];
};
constexpr Guid kItsfGuid1 = {0x7C01FD10, 0x7BAA, 0x11D0, {0x9E, 0x0C, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC}};
constexpr Guid kItsfGuid2 = {0x7C01FD11, 0x7BAA, 0x11D0, {0x9E, 0x0C, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC}};
constexpr Guid kItspGuid = {0x5D02926A, 0x212E, 0x11D0, {0x9D, 0xF9, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC}};
const char kLzxTransform[] = "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}";
const std::string kStorage = "::DataSpace/Storage/MSCompressed/";

void PutGuid(Bytes& out, const Guid& guid) {
    PutDword(out, guid.first);
    PutWord(out, guid.second);
    PutWord(out, guid.third);
    out.insert(out.end(), guid.rest, guid.rest + 8);
}

// A directory number: 7 bits a byte, most significant first, the high bit on all but the last.
void PutEncodedInteger(Bytes& out, uint64_t value) {
    uint8_t bytes[10];
    int count = 0;
    do {
        bytes[count++] = static_cast<uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value);
    while (count-- > 0) out.push_back(static_cast<uint8_t>(bytes[count] | (count ? 0x80 : 0)));
}

void PutUtf16(Bytes& out, const std::string& text) {
    for (char c : text) PutWord(out, static_cast<uint8_t>(c));
}

// Bits as LZX reads them: 16-bit little-endian words, each filled from its highest bit.
class BitWriter {
public:
    explicit BitWriter(Bytes& out) : out_(out) {}
    void Put(uint32_t value, int bits) {
        while (bits-- > 0) {
            word_ = static_cast<uint16_t>(word_ << 1 | ((value >> bits) & 1));
            if (++used_ == 16) Flush();
        }
    }
    // The rest of the word as padding; an uncompressed block's header ends on a word.
    void Align() {
        if (used_) Put(0, 16 - used_);
    }

private:
    void Flush() {
        PutWord(out_, word_);
        word_ = 0;
        used_ = 0;
    }
    Bytes& out_;
    uint16_t word_ = 0;
    int used_ = 0;
};

// The LZX stream of `data`: each frame one uncompressed block of a whole frame, the last padded
// with zeros. `frameStarts` receives where each frame begins in the stream.
Bytes StoredLzxStream(const Bytes& data, std::vector<uint64_t>* frameStarts) {
    enum : uint32_t { kUncompressedBlock = 3 };
    Bytes stream;
    size_t frames = (data.size() + kFrameSize - 1) / kFrameSize;
    for (size_t frame = 0; frame < frames; ++frame) {
        frameStarts->push_back(stream.size());
        BitWriter bits(stream);
        if (frame % kFramesPerReset == 0) bits.Put(0, 1);  // after a reset: no x86 call translation
        bits.Put(kUncompressedBlock, 3);
        bits.Put(kFrameSize, 24);
        bits.Align();
        for (int r = 0; r < 3; ++r) PutDword(stream, 1);  // the repeated offsets, as at a reset
        size_t begin = frame * kFrameSize;
        size_t end = std::min(data.size(), begin + kFrameSize);
        stream.insert(stream.end(), data.begin() + begin, data.begin() + end);
        stream.resize(stream.size() + (kFrameSize - (end - begin)), 0);
    }
    return stream;
}

// The data-space files that name the two sections and describe the LZX one.
std::vector<ChmEntry> DataSpaceFiles(const Bytes& lzxStream, const std::vector<uint64_t>& frameStarts,
                                     uint64_t packedSize) {
    Bytes names;
    PutWord(names, 0);  // its size in words, below
    PutWord(names, 2);
    for (const char* name : {"Uncompressed", "MSCompressed"}) {
        PutWord(names, static_cast<unsigned>(std::char_traits<char>::length(name)));
        PutUtf16(names, name);
        PutWord(names, 0);
    }
    PutWordAt(names.data(), static_cast<uint16_t>(names.size() / 2));

    Bytes control;
    PutDword(control, 6);  // the dwords that follow
    control.insert(control.end(), {'L', 'Z', 'X', 'C'});
    PutDword(control, 2);                // version: the sizes below count 32 KB units
    PutDword(control, kFramesPerReset);  // reset interval
    PutDword(control, kFramesPerReset);  // window size
    PutDword(control, 1);                // windows per reset
    PutDword(control, 0);

    Bytes span;
    PutQword(span, packedSize);

    // The transform list as the known writers store it: the GUID's first 19 characters.
    Bytes transforms;
    PutUtf16(transforms, std::string(kLzxTransform).substr(0, 19));

    Bytes resets;
    PutDword(resets, 2);  // version
    PutDword(resets, static_cast<uint32_t>(frameStarts.size()));
    PutDword(resets, 8);     // the size of an entry
    PutDword(resets, 0x28);  // where the entries start
    PutQword(resets, packedSize);
    PutQword(resets, lzxStream.size());
    PutQword(resets, kFrameSize);
    for (uint64_t start : frameStarts) PutQword(resets, start);

    return {{"::DataSpace/NameList", names},
            {kStorage + "Content", lzxStream},
            {kStorage + "ControlData", control},
            {kStorage + "SpanInfo", span},
            {kStorage + "Transform/List", transforms},
            {kStorage + "Transform/" + kLzxTransform + "/InstanceData/ResetTable", resets}};
}

struct DirectoryEntry {
    std::string name;
    unsigned section;
    uint64_t offset, length;
};

// Readers look names up without regard to case, in the order of the lower-cased names.
bool ListedBefore(const DirectoryEntry& a, const DirectoryEntry& b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::lexicographical_compare(a.name.begin(), a.name.end(), b.name.begin(), b.name.end(),
                                        [&](char x, char y) { return static_cast<uint8_t>(lower(x)) < static_cast<uint8_t>(lower(y)); });
}

// The one listing chunk: its entries, free space, and from the end backwards the entry count
// and the offset of every fifth entry.
bool ListingChunk(const std::vector<DirectoryEntry>& entries, Bytes* chunk) {
    Bytes listed;
    std::vector<uint16_t> quickref;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i > 0 && i % kQuickrefInterval == 0) quickref.push_back(static_cast<uint16_t>(listed.size()));
        PutEncodedInteger(listed, entries[i].name.size());
        listed.insert(listed.end(), entries[i].name.begin(), entries[i].name.end());
        PutEncodedInteger(listed, entries[i].section);
        PutEncodedInteger(listed, entries[i].offset);
        PutEncodedInteger(listed, entries[i].length);
    }
    size_t used = kPmglHeaderSize + listed.size();
    if (used + 2 * (quickref.size() + 1) > kChunkSize) return false;
    chunk->clear();
    chunk->insert(chunk->end(), {'P', 'M', 'G', 'L'});
    PutDword(*chunk, static_cast<uint32_t>(kChunkSize - used));  // free space and quickref area
    PutDword(*chunk, 0);
    PutDword(*chunk, 0xFFFFFFFF);  // no chunk before...
    PutDword(*chunk, 0xFFFFFFFF);  // ...nor after
    PutBytes(*chunk, listed);
    chunk->resize(kChunkSize, 0);
    size_t at = kChunkSize - 2;
    PutWordAt(&(*chunk)[at], static_cast<uint16_t>(entries.size()));
    for (uint16_t offset : quickref) PutWordAt(&(*chunk)[at -= 2], offset);
    return true;
}

Bytes DirectoryHeader() {
    Bytes header;
    header.insert(header.end(), {'I', 'T', 'S', 'P'});
    PutDword(header, 1);  // version
    PutDword(header, 0x54);
    PutDword(header, 0x0A);
    PutDword(header, kChunkSize);
    PutDword(header, 2);           // quickref density
    PutDword(header, 1);           // index depth: listing chunks only
    PutDword(header, 0xFFFFFFFF);  // no index chunk
    PutDword(header, 0);           // first listing chunk
    PutDword(header, 0);           // last listing chunk
    PutDword(header, 0xFFFFFFFF);
    PutDword(header, 1);  // chunks
    PutDword(header, kLanguage);
    PutGuid(header, kItspGuid);
    PutDword(header, 0x54);
    for (int i = 0; i < 3; ++i) PutDword(header, 0xFFFFFFFF);
    return header;
}

}  // namespace

bool BuildChmContainer(const std::vector<ChmEntry>& stored, const std::vector<ChmEntry>& packed, Bytes* image,
                       std::string* error) {
    std::vector<DirectoryEntry> entries{{"/", 0, 0, 0}};
    Bytes packedSection;
    for (const ChmEntry& file : packed) {
        entries.push_back({file.name, 1, packedSection.size(), file.content.size()});
        PutBytes(packedSection, file.content);
    }
    std::vector<uint64_t> frameStarts;
    Bytes lzxStream = StoredLzxStream(packedSection, &frameStarts);
    std::vector<ChmEntry> section0 = stored;
    for (ChmEntry& file : DataSpaceFiles(lzxStream, frameStarts, packedSection.size())) section0.push_back(file);
    Bytes storedSection;
    for (const ChmEntry& file : section0) {
        entries.push_back({file.name, 0, storedSection.size(), file.content.size()});
        PutBytes(storedSection, file.content);
    }
    std::sort(entries.begin(), entries.end(), ListedBefore);
    Bytes chunk;
    if (!ListingChunk(entries, &chunk)) {
        *error = "the directory outgrows its one chunk";
        return false;
    }
    Bytes directory = DirectoryHeader();
    PutBytes(directory, chunk);

    constexpr uint64_t kHeaderSize = 0x60, kHeaderSectionSize = 0x18;
    uint64_t directoryAt = kHeaderSize + kHeaderSectionSize;
    uint64_t contentAt = directoryAt + directory.size();
    Bytes& out = *image;
    out.clear();
    out.insert(out.end(), {'I', 'T', 'S', 'F'});
    PutDword(out, 3);  // version
    PutDword(out, static_cast<uint32_t>(kHeaderSize));
    PutDword(out, 1);
    PutDword(out, 0);  // time stamp: none, so one commit gives the same bytes
    PutDword(out, kLanguage);
    PutGuid(out, kItsfGuid1);
    PutGuid(out, kItsfGuid2);
    PutQword(out, kHeaderSize);
    PutQword(out, kHeaderSectionSize);
    PutQword(out, directoryAt);
    PutQword(out, directory.size());
    PutQword(out, contentAt);
    // The header section: its mark, the file's size, and fields always zero.
    PutDword(out, 0x01FE);
    PutDword(out, 0);
    PutQword(out, contentAt + storedSection.size());
    PutDword(out, 0);
    PutDword(out, 0);
    PutBytes(out, directory);
    PutBytes(out, storedSection);
    return true;
}
