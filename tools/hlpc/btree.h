// The B+ trees that index the help file's directory, contexts, keywords and titles.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/hlpc/bytes.h"

namespace qb::help {

// One entry: the key as stored (also in index pages) and the data that
// follows it in a leaf page.
struct BTreeEntry {
    Bytes key;
    Bytes data;
};

struct BTreeSpec {
    uint16_t flags;
    uint16_t pageSize;
    std::string structure;  // format string of the entries, at most 15 characters
};

constexpr uint16_t kBTreeMagic = 0x293B;
constexpr size_t kBTreeHeaderSize = 38;
constexpr size_t kLeafHeaderSize = 8;
constexpr size_t kIndexHeaderSize = 6;

// How the entries were spread over pages.
struct BTreeShape {
    int totalPages = 0;
    int levels = 0;
    int rootPage = 0;
    std::vector<int> leafFirstEntry;  // per leaf page (leaf pages are numbered from 0), index of its first entry
};

// Lays entries, already in key order, into leaf pages filled in order, with
// index levels above until a single root page remains. Throws
// std::length_error when one entry cannot fit into a page.
Bytes BuildBTree(const BTreeSpec& treeFormat, const std::vector<BTreeEntry>& sortedEntries,
                 BTreeShape* shape = nullptr);

}  // namespace qb::help
