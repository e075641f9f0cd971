// Compound file layout: header, the stream's sectors, one directory sector, then the FAT.
#include "compound_file.h"

#include <cstring>

#include "../little_endian.h"

namespace {

constexpr uint32_t kFreeSector = 0xFFFFFFFF;
constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kFatSector = 0xFFFFFFFD;
constexpr uint32_t kNoEntry = 0xFFFFFFFF;
constexpr uint32_t kEntriesPerSector = kCompoundSectorSize / 4;
constexpr uint32_t kDirectoryEntrySize = 128;
constexpr uint8_t kStreamObject = 2;
constexpr uint8_t kRootObject = 5;
constexpr uint8_t kBlack = 1;

uint32_t SectorsFor(size_t bytes) { return static_cast<uint32_t>((bytes + kCompoundSectorSize - 1) / kCompoundSectorSize); }

// One 128-byte directory entry; the name is stored as UTF-16 with its terminator counted.
void PutDirectoryEntry(uint8_t* entry, const std::string& name, uint8_t type, uint32_t child,
                       uint32_t start, uint32_t size) {
    std::memset(entry, 0, kDirectoryEntrySize);
    for (size_t i = 0; i < name.size(); ++i) PutWordAt(entry + 2 * i, static_cast<uint8_t>(name[i]));
    PutWordAt(entry + 64, static_cast<uint16_t>(name.empty() ? 0 : 2 * (name.size() + 1)));
    entry[66] = type;
    entry[67] = type ? kBlack : 0;
    PutDwordAt(entry + 68, kNoEntry);  // left sibling
    PutDwordAt(entry + 72, kNoEntry);  // right sibling
    PutDwordAt(entry + 76, child);
    PutDwordAt(entry + 116, start);
    PutDwordAt(entry + 120, size);     // the high half (offset 124) stays 0 in version 3
}

}  // namespace

bool BuildCompoundFile(const std::string& streamName, const std::vector<uint8_t>& stream,
                       std::vector<uint8_t>* file, std::string* error) {
    if (streamName.empty() || streamName.size() > 31) {
        *error = "a stream name has 1 to 31 characters";
        return false;
    }
    if (stream.size() < kMiniStreamCutoff) {
        *error = "a stream of " + std::to_string(stream.size()) + " bytes would belong in the mini-stream";
        return false;
    }
    const uint32_t streamSectors = SectorsFor(stream.size());
    const uint32_t directorySectors = 1;
    // The FAT describes every sector, its own included.
    uint32_t fatSectors = 1;
    while (fatSectors * kEntriesPerSector < streamSectors + directorySectors + fatSectors) ++fatSectors;
    if (fatSectors > kHeaderFatSlots) {
        *error = "a stream of " + std::to_string(stream.size()) + " bytes needs more FAT sectors than the header lists";
        return false;
    }
    const uint32_t directoryStart = streamSectors;
    const uint32_t fatStart = directoryStart + directorySectors;
    const uint32_t totalSectors = fatStart + fatSectors;

    file->assign(kCompoundSectorSize * (1 + size_t{totalSectors}), 0);
    uint8_t* header = file->data();
    static const uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    std::memcpy(header, kSignature, sizeof kSignature);
    PutWordAt(header + 24, 0x003E);  // minor version
    PutWordAt(header + 26, 0x0003);  // major version: 512-byte sectors
    PutWordAt(header + 28, 0xFFFE);  // byte order mark: little-endian
    PutWordAt(header + 30, 9);       // sector shift: 2^9
    PutWordAt(header + 32, 6);       // mini sector shift: 2^6
    PutDwordAt(header + 44, fatSectors);
    PutDwordAt(header + 48, directoryStart);
    PutDwordAt(header + 56, kMiniStreamCutoff);
    PutDwordAt(header + 60, kEndOfChain);  // no mini FAT
    PutDwordAt(header + 68, kEndOfChain);  // no DIFAT sectors
    for (uint32_t slot = 0; slot < kHeaderFatSlots; ++slot)
        PutDwordAt(header + 76 + 4 * slot, slot < fatSectors ? fatStart + slot : kFreeSector);

    auto sector = [&](uint32_t index) { return file->data() + kCompoundSectorSize * (1 + size_t{index}); };
    std::memcpy(sector(0), stream.data(), stream.size());

    uint8_t* directory = sector(directoryStart);
    PutDirectoryEntry(directory, "Root Entry", kRootObject, 1, kEndOfChain, 0);
    PutDirectoryEntry(directory + kDirectoryEntrySize, streamName, kStreamObject, kNoEntry, 0,
                      static_cast<uint32_t>(stream.size()));
    for (uint32_t unused = 2; unused < kCompoundSectorSize / kDirectoryEntrySize; ++unused)
        PutDirectoryEntry(directory + unused * kDirectoryEntrySize, "", 0, kNoEntry, 0, 0);

    // Every FAT slot past the last sector stays free (0xFF bytes), then the chains.
    for (uint32_t i = 0; i < fatSectors; ++i) std::memset(sector(fatStart + i), 0xFF, kCompoundSectorSize);
    auto setFat = [&](uint32_t index, uint32_t next) { PutDwordAt(sector(fatStart) + 4 * size_t{index}, next); };
    for (uint32_t i = 0; i < streamSectors; ++i) setFat(i, i + 1 == streamSectors ? kEndOfChain : i + 1);
    setFat(directoryStart, kEndOfChain);
    for (uint32_t i = 0; i < fatSectors; ++i) setFat(fatStart + i, kFatSector);
    return true;
}
