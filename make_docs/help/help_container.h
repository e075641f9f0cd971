// The help file's container: named internal files behind a header, found through a directory.
#pragma once

#include <map>
#include <string>

#include "help_bytes.h"

// A B+ tree of one leaf page: `entries` are the leaf's records, already in key order.
// `structure` names the record layout ("z4", "L4", "Lz"); `directory` marks the file system's
// own directory. False when the records do not fit one page.
bool BuildSingleLeafTree(const std::string& structure, unsigned pageSize, bool directory,
                         const std::vector<Bytes>& entries, Bytes* tree);

// The whole file: a header, every internal file with its file header, then the directory
// (names in byte order, each with the offset of its file). False when the directory does not
// fit its page.
bool BuildHelpContainer(const std::map<std::string, Bytes>& files, Bytes* image);

// An internal file as stored: its 9-byte file header and `content`.
Bytes InternalFile(const Bytes& content);
