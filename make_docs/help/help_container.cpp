// Internal files, their directory and the file header of the help format.
#include "help_container.h"

#include "../little_endian.h"

namespace {

constexpr uint32_t kHelpFileMagic = 0x00035F3F;
constexpr unsigned kTreeMagic = 0x293B;
constexpr unsigned kDirectoryPageSize = 0x400;
constexpr size_t kLeafHeaderSize = 8;

}  // namespace

bool BuildSingleLeafTree(const std::string& structure, unsigned pageSize, bool directory,
                         const std::vector<Bytes>& entries, Bytes* tree) {
    size_t used = kLeafHeaderSize;
    for (const Bytes& entry : entries) used += entry.size();
    if (used > pageSize || structure.size() > 15) return false;

    Bytes& out = *tree;
    out.clear();
    PutWord(out, kTreeMagic);
    PutWord(out, directory ? 0x0402 : 0x0002);  // 0x0002 is always set; 0x0400 marks a directory
    PutWord(out, pageSize);
    Bytes layout(16, 0);
    for (size_t i = 0; i < structure.size(); ++i) layout[i] = static_cast<uint8_t>(structure[i]);
    PutBytes(out, layout);
    PutWord(out, 0);       // must be zero
    PutWord(out, 0);       // page splits
    PutWord(out, 0);       // root page
    PutWord(out, 0xFFFF);  // must be -1
    PutWord(out, 1);       // pages
    PutWord(out, 1);       // levels: the root is the leaf
    PutDword(out, static_cast<uint32_t>(entries.size()));

    size_t page = out.size();
    PutWord(out, static_cast<unsigned>(pageSize - used));  // free bytes at the page's end
    PutWord(out, static_cast<unsigned>(entries.size()));
    PutWord(out, 0xFFFF);  // no previous leaf
    PutWord(out, 0xFFFF);  // no next leaf
    for (const Bytes& entry : entries) PutBytes(out, entry);
    out.resize(page + pageSize, 0);
    return true;
}

Bytes InternalFile(const Bytes& content) {
    Bytes file;
    PutDword(file, static_cast<uint32_t>(content.size() + 9));  // room reserved, header included
    PutDword(file, static_cast<uint32_t>(content.size()));      // room used
    PutByte(file, 4);                                           // file flags: an ordinary file
    PutBytes(file, content);
    return file;
}

bool BuildHelpContainer(const std::map<std::string, Bytes>& files, Bytes* image) {
    Bytes& out = *image;
    out.assign(16, 0);
    std::vector<Bytes> directoryEntries;
    for (const auto& [name, content] : files) {  // std::map keeps the names in byte order
        Bytes entry;
        PutText(entry, name);
        PutDword(entry, static_cast<uint32_t>(out.size()));
        directoryEntries.push_back(entry);
        PutBytes(out, InternalFile(content));
    }
    Bytes directory;
    if (!BuildSingleLeafTree("z4", kDirectoryPageSize, true, directoryEntries, &directory)) return false;
    size_t directoryStart = out.size();
    PutBytes(out, InternalFile(directory));

    PutDwordAt(&out[0], kHelpFileMagic);
    PutDwordAt(&out[4], static_cast<uint32_t>(directoryStart));
    PutDwordAt(&out[8], 0xFFFFFFFF);  // no free blocks
    PutDwordAt(&out[12], static_cast<uint32_t>(out.size()));
    return true;
}
