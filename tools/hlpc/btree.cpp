#include "tools/hlpc/btree.h"

#include <stdexcept>

namespace qb::help {

namespace {

struct ChildRef {
    int page;
    Bytes firstKey;
};

Bytes EmptyPage(uint16_t pageSize) {
    return Bytes(pageSize, '\0');
}

void FinishLeaf(Bytes& page, size_t used, int count, int previous, int next) {
    SetU16At(page, 0, static_cast<uint32_t>(page.size() - used));
    SetU16At(page, 2, static_cast<uint32_t>(count));
    SetU16At(page, 4, static_cast<uint32_t>(previous) & 0xFFFF);
    SetU16At(page, 6, static_cast<uint32_t>(next) & 0xFFFF);
}

// Fills leaf pages in order; returns the first key of every page.
std::vector<ChildRef> BuildLeaves(const BTreeSpec& treeFormat, const std::vector<BTreeEntry>& entries,
                                  std::vector<Bytes>& pages, BTreeShape& shape) {
    std::vector<ChildRef> leaves;
    std::vector<size_t> used;
    std::vector<int> counts;
    for (size_t i = 0; i < entries.size(); ++i) {
        const size_t size = entries[i].key.size() + entries[i].data.size();
        if (size > treeFormat.pageSize - kLeafHeaderSize)
            throw std::length_error("a B+ tree entry does not fit into a page");
        if (pages.empty() || used.back() + size > treeFormat.pageSize) {
            pages.push_back(EmptyPage(treeFormat.pageSize));
            used.push_back(kLeafHeaderSize);
            counts.push_back(0);
            leaves.push_back({static_cast<int>(pages.size() - 1), entries[i].key});
            shape.leafFirstEntry.push_back(static_cast<int>(i));
        }
        Bytes& page = pages.back();
        page.replace(used.back(), size, entries[i].key + entries[i].data);
        used.back() += size;
        ++counts.back();
    }
    if (pages.empty()) {
        pages.push_back(EmptyPage(treeFormat.pageSize));
        used.push_back(kLeafHeaderSize);
        counts.push_back(0);
        leaves.push_back({0, Bytes()});
        shape.leafFirstEntry.push_back(0);
    }
    const int last = static_cast<int>(pages.size()) - 1;
    for (int p = 0; p <= last; ++p) {
        FinishLeaf(pages[p], used[p], counts[p], p == 0 ? -1 : p - 1, p == last ? -1 : p + 1);
    }
    return leaves;
}

// One level of index pages above the given children.
std::vector<ChildRef> BuildIndexLevel(const BTreeSpec& treeFormat, const std::vector<ChildRef>& children,
                                      std::vector<Bytes>& pages) {
    std::vector<ChildRef> parents;
    size_t used = 0;
    int count = 0;
    auto finish = [&]() {
        Bytes& page = pages.back();
        SetU16At(page, 0, static_cast<uint32_t>(page.size() - used));
        SetU16At(page, 2, static_cast<uint32_t>(count));
    };
    for (size_t i = 0; i < children.size(); ++i) {
        const size_t size = children[i].firstKey.size() + 2;
        if (size > treeFormat.pageSize - kIndexHeaderSize)
            throw std::length_error("a B+ tree key does not fit into an index page");
        if (i == 0 || used + size > treeFormat.pageSize) {
            if (i != 0) finish();
            pages.push_back(EmptyPage(treeFormat.pageSize));
            SetU16At(pages.back(), 4, static_cast<uint32_t>(children[i].page));
            used = kIndexHeaderSize;
            count = 0;
            parents.push_back({static_cast<int>(pages.size() - 1), children[i].firstKey});
            continue;
        }
        Bytes entry = children[i].firstKey;
        PutI16(entry, children[i].page);
        pages.back().replace(used, entry.size(), entry);
        used += entry.size();
        ++count;
    }
    finish();
    return parents;
}

Bytes TreeHeader(const BTreeSpec& treeFormat, const BTreeShape& shape, size_t entryCount) {
    Bytes header;
    PutU16(header, kBTreeMagic);
    PutU16(header, treeFormat.flags);
    PutU16(header, treeFormat.pageSize);
    Bytes structure = treeFormat.structure;
    if (structure.size() > 15) throw std::length_error("B+ tree structure string too long");
    structure.resize(16, '\0');
    header += structure;
    PutI16(header, 0);
    PutI16(header, shape.totalPages - shape.levels);
    PutI16(header, shape.rootPage);
    PutI16(header, -1);
    PutI16(header, shape.totalPages);
    PutI16(header, shape.levels);
    PutI32(header, static_cast<int32_t>(entryCount));
    return header;
}

}  // namespace

Bytes BuildBTree(const BTreeSpec& treeFormat, const std::vector<BTreeEntry>& sortedEntries, BTreeShape* shapeOut) {
    BTreeShape shape;
    std::vector<Bytes> pages;
    std::vector<ChildRef> level = BuildLeaves(treeFormat, sortedEntries, pages, shape);
    shape.levels = 1;
    while (level.size() > 1) {
        level = BuildIndexLevel(treeFormat, level, pages);
        ++shape.levels;
    }
    if (pages.size() > 0x7FFF) throw std::length_error("B+ tree has too many pages");
    shape.totalPages = static_cast<int>(pages.size());
    shape.rootPage = level.front().page;
    Bytes tree = TreeHeader(treeFormat, shape, sortedEntries.size());
    for (const Bytes& page : pages) tree += page;
    if (shapeOut) *shapeOut = shape;
    return tree;
}

}  // namespace qb::help
