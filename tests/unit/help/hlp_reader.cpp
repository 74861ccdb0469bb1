#include "hlp_reader.h"

#include <cstring>

namespace hlptest {

namespace {

[[noreturn]] void Fail(const std::string& what) {
    throw HlpReadError(what);
}

uint32_t U8(const std::string& b, size_t at) {
    if (at >= b.size()) Fail("read past the end");
    return static_cast<unsigned char>(b[at]);
}
uint32_t U16(const std::string& b, size_t at) {
    return U8(b, at) | (U8(b, at + 1) << 8);
}
uint32_t U32(const std::string& b, size_t at) {
    return U16(b, at) | (U16(b, at + 2) << 16);
}
int32_t I16(const std::string& b, size_t at) {
    return static_cast<int16_t>(U16(b, at));
}

std::string StringZ(const std::string& b, size_t at, size_t end) {
    const size_t nul = b.find('\0', at);
    if (nul == std::string::npos || nul >= end) Fail("unterminated string");
    return b.substr(at, nul - at);
}

// Size of a key or of a whole leaf entry for the structures the file uses.
size_t KeySize(const std::string& structure, const std::string& b, size_t at, size_t end) {
    if (structure[0] == 'L') return 4;
    return StringZ(b, at, end).size() + 1;
}

size_t EntrySize(const std::string& structure, const std::string& b, size_t at, size_t end) {
    const size_t key = KeySize(structure, b, at, end);
    if (structure == "z4" || structure == "L4") return key + 4;
    if (structure == "F24") return key + 6;
    if (structure == "Lz") return key + StringZ(b, at + key, end).size() + 1;
    Fail("unknown tree structure " + structure);
}

size_t PageStart(const TreeView& tree, int page) {
    if (page < 0 || page >= tree.totalPages) Fail("page number out of range");
    return 38 + static_cast<size_t>(page) * tree.pageSize;
}

// The first key below an index or leaf page, following first children down.
// Height 0 is a leaf page.
std::string FirstKeyBelow(const std::string& data, const TreeView& tree, int page, int height) {
    size_t start = PageStart(tree, page);
    while (height > 0) {
        page = I16(data, start + 4);
        start = PageStart(tree, page);
        --height;
    }
    if (I16(data, start + 2) == 0) return std::string();
    return data.substr(start + 8, KeySize(tree.structure, data, start + 8, start + tree.pageSize));
}

// Index pages: entry keys rise and each equals the first key below its child.
void CheckIndexPage(const std::string& data, const TreeView& tree, int page, int height) {
    const size_t start = PageStart(tree, page);
    const int count = I16(data, start + 2);
    size_t at = start + 6;
    if (height > 1) CheckIndexPage(data, tree, I16(data, start + 4), height - 1);
    for (int i = 0; i < count; ++i) {
        const size_t key = KeySize(tree.structure, data, at, start + tree.pageSize);
        const std::string keyBytes = data.substr(at, key);
        const int child = I16(data, at + key);
        if (FirstKeyBelow(data, tree, child, height - 1) != keyBytes)
            Fail("index key differs from its child's first key");
        if (height > 1) CheckIndexPage(data, tree, child, height - 1);
        at += key + 2;
    }
    if (U16(data, start) != start + tree.pageSize - at) Fail("wrong unused-byte count in an index page");
}

}  // namespace

TreeView ReadTree(const std::string& data) {
    TreeView tree;
    if (data.size() < 38 || U16(data, 0) != 0x293B) Fail("bad B+ tree magic");
    tree.flags = static_cast<uint16_t>(U16(data, 2));
    tree.pageSize = static_cast<uint16_t>(U16(data, 4));
    tree.structure = StringZ(data, 6, 22);
    if (I16(data, 22) != 0 || I16(data, 28) != -1) Fail("bad fixed fields in the B+ tree header");
    tree.pageSplits = I16(data, 24);
    tree.rootPage = I16(data, 26);
    tree.totalPages = I16(data, 30);
    tree.levels = I16(data, 32);
    tree.totalEntries = static_cast<int32_t>(U32(data, 34));
    if (tree.pageSize == 0 || data.size() != 38 + static_cast<size_t>(tree.totalPages) * tree.pageSize) {
        Fail("B+ tree size does not match its page count");
    }
    if (tree.levels < 1) Fail("B+ tree without levels");
    if (tree.levels > 1) CheckIndexPage(data, tree, tree.rootPage, tree.levels - 1);
    int page = tree.rootPage;
    for (int level = tree.levels; level > 1; --level) page = I16(data, PageStart(tree, page) + 4);
    int previous = -1;
    while (page != -1) {
        const size_t start = PageStart(tree, page);
        if (I16(data, start + 4) != previous) Fail("leaf page chain broken");
        const int count = I16(data, start + 2);
        size_t at = start + 8;
        for (int i = 0; i < count; ++i) {
            const size_t size = EntrySize(tree.structure, data, at, start + tree.pageSize);
            if (i == 0)
                tree.leafFirstKeys.push_back(data.substr(at, KeySize(tree.structure, data, at, start + tree.pageSize)));
            tree.leafEntries.push_back(data.substr(at, size));
            at += size;
        }
        if (at > start + tree.pageSize) Fail("leaf entries run past the page");
        if (U16(data, start) != start + tree.pageSize - at) Fail("wrong unused-byte count in a leaf page");
        tree.leafPages.push_back(page);
        tree.leafEntryCounts.push_back(count);
        previous = page;
        page = I16(data, start + 6);
        if (tree.leafPages.size() > static_cast<size_t>(tree.totalPages)) Fail("leaf chain loops");
    }
    if (static_cast<int32_t>(tree.leafEntries.size()) != tree.totalEntries) Fail("entry count differs from the header");
    return tree;
}

bool LookUpContext(const std::string& data, uint32_t hash, uint32_t& topicOffset) {
    const TreeView tree = ReadTree(data);
    const int32_t wanted = static_cast<int32_t>(hash);
    int page = tree.rootPage;
    for (int level = tree.levels; level > 1; --level) {
        const size_t start = PageStart(tree, page);
        int next = I16(data, start + 4);
        const int count = I16(data, start + 2);
        for (int i = 0; i < count; ++i) {
            const size_t at = start + 6 + static_cast<size_t>(i) * 6;
            if (static_cast<int32_t>(U32(data, at)) > wanted) break;
            next = I16(data, at + 4);
        }
        page = next;
    }
    const size_t start = PageStart(tree, page);
    const int count = I16(data, start + 2);
    for (int i = 0; i < count; ++i) {
        const size_t at = start + 8 + static_cast<size_t>(i) * 8;
        const int32_t key = static_cast<int32_t>(U32(data, at));
        if (key == wanted) {
            topicOffset = U32(data, at + 4);
            return true;
        }
        if (key > wanted) return false;
    }
    return false;
}

namespace {

// Compressed integers.
uint32_t CUShort(const std::string& b, size_t& at) {
    uint32_t v;
    if (U8(b, at) & 1) {
        v = U16(b, at) >> 1;
        at += 2;
    } else {
        v = U8(b, at) >> 1;
        at += 1;
    }
    return v;
}
int32_t CSShort(const std::string& b, size_t& at) {
    int32_t v;
    if (U8(b, at) & 1) {
        v = static_cast<int32_t>(U16(b, at) >> 1) - 16384;
        at += 2;
    } else {
        v = static_cast<int32_t>(U8(b, at) >> 1) - 64;
        at += 1;
    }
    return v;
}
int32_t CSLong(const std::string& b, size_t& at) {
    int32_t v;
    if (U8(b, at) & 1) {
        v = static_cast<int32_t>(U32(b, at) >> 1) - 0x40000000;
        at += 4;
    } else {
        v = static_cast<int32_t>(U16(b, at) >> 1) - 16384;
        at += 2;
    }
    return v;
}

ReadParagraph ParseParagraph(const std::string& d1, const std::string& d2, uint32_t dataLen2) {
    ReadParagraph p;
    size_t at = 0;
    const int32_t topicSize = CSLong(d1, at);
    const uint32_t topicLength = CUShort(d1, at);
    if (topicLength != dataLen2) Fail("TopicLength differs from DataLen2");
    if (static_cast<size_t>(topicSize) != d1.size() - at) Fail("TopicSize is not the rest of LinkData1");
    if (U8(d1, at) != 0x00 || U8(d1, at + 1) != 0x80) Fail("unexpected paragraph bytes");
    at += 4;  // two fixed bytes and the paragraph id
    p.bits = static_cast<uint16_t>(U16(d1, at));
    at += 2;
    if (p.bits & 0x0001 || p.bits & 0x0080 || p.bits & 0xE000) Fail("reserved paragraph bits set");
    const uint16_t fields[] = {0x0002, 0x0004, 0x0008, 0x0010, 0x0020, 0x0040};
    for (const uint16_t field : fields) {
        if (!(p.bits & field)) continue;
        const int32_t value = CSShort(d1, at);
        if (field == 0x0002) p.spaceAbove = value;
        if (field == 0x0010) p.leftIndent = value;
    }
    if (p.bits & 0x0100) at += 3;
    if (p.bits & 0x0200) Fail("tab stops not expected");
    size_t s = 0;
    bool inLink = false;
    for (;;) {
        const size_t nul = d2.find('\0', s);
        if (nul == std::string::npos) Fail("string without command");
        const std::string text = d2.substr(s, nul - s);
        p.text += text;
        if (inLink) p.links.back().text += text;
        s = nul + 1;
        const uint32_t command = U8(d1, at++);
        if (command == 0xFF) break;
        switch (command) {
        case 0x80:
            if (p.font < 0) p.font = static_cast<int>(U16(d1, at));
            at += 2;
            break;
        case 0x81:
        case 0x82:
        case 0x83:
        case 0x8B: break;
        case 0xE3:
            if (inLink) Fail("nested hotspot");
            p.links.push_back({"", U32(d1, at)});
            inLink = true;
            at += 4;
            break;
        case 0x89:
            if (!inLink) Fail("hotspot end without start");
            inLink = false;
            break;
        default: Fail("unexpected command " + std::to_string(command));
        }
    }
    if (inLink) Fail("unfinished hotspot");
    if (at != d1.size()) Fail("commands after the end command");
    if (s != d2.size()) Fail("text after the last command");
    return p;
}

void ReadSystem(const std::string& d, HelpView& view) {
    if (U16(d, 0) != 0x036C || U16(d, 4) != 1 || U16(d, 2) <= 16) Fail("bad |SYSTEM header");
    if (U16(d, 10) != 0) Fail("topic blocks are not uncompressed 4 KB blocks");
    size_t at = 12;
    while (at < d.size()) {
        const uint32_t type = U16(d, at);
        const uint32_t size = U16(d, at + 2);
        if (at + 4 + size > d.size()) Fail("|SYSTEM record runs past the end");
        const std::string data = d.substr(at + 4, size);
        if (type == 1) view.title = StringZ(data, 0, data.size());
        if (type == 2) view.copyright = StringZ(data, 0, data.size());
        if (type == 3) {
            if (size != 4) Fail("contents record of wrong size");
            view.hasContents = true;
            view.contentsOffset = U32(data, 0);
        }
        at += 4 + size;
    }
}

void ReadTopics(const std::string& d, HelpView& view) {
    if (d.empty() || d.size() % 4096 != 0) Fail("|TOPIC is not whole 4096-byte blocks");
    const uint32_t blocks = static_cast<uint32_t>(d.size() / 4096);
    for (uint32_t b = 0; b < blocks; ++b) {
        for (int w = 0; w < 3; ++w) view.blockHeaders.push_back(U32(d, b * 4096 + w * 4));
    }
    uint32_t position = 12;
    uint32_t previous = 0xFFFFFFFF;
    uint32_t currentBlock = 0;
    uint32_t textBytes = 0;
    ReadTopic* topic = nullptr;
    bool trailingSeen = false;
    while (position != 0xFFFFFFFF) {
        const uint32_t block = position / 0x4000;
        const uint32_t offset = position % 0x4000;
        if (block >= blocks || offset < 12 || offset >= 4096) Fail("record position outside the blocks");
        if (block < currentBlock) Fail("record chain goes backwards");
        if (block != currentBlock) textBytes = 0;
        currentBlock = block;
        const size_t at = block * 4096 + offset;
        ReadRecord r;
        r.position = position;
        r.block = block;
        r.offset = block * 0x8000 + textBytes;
        r.blockSize = U32(d, at);
        r.dataLen2 = U32(d, at + 4);
        const uint32_t prev = U32(d, at + 8);
        const uint32_t next = U32(d, at + 12);
        const uint32_t dataLen1 = U32(d, at + 16);
        r.type = static_cast<uint8_t>(U8(d, at + 20));
        if (prev != previous) Fail("PrevBlock does not name the previous record");
        if (offset + r.blockSize > 4096) Fail("record crosses its block");
        if (dataLen1 < 21 || r.blockSize != dataLen1 + r.dataLen2) Fail("record sizes disagree");
        const std::string d1 = d.substr(at + 21, dataLen1 - 21);
        const std::string d2 = d.substr(at + dataLen1, r.dataLen2);
        if (trailingSeen) Fail("record after the trailing topic header");
        if (r.type == 0x02) {
            if (d1.size() != 28) Fail("topic header LinkData1 is not 28 bytes");
            ReadTopic t;
            t.position = position;
            t.offset = r.offset;
            t.topicSize = U32(d1, 0);
            t.topicNumber = U32(d1, 12);
            t.firstParagraph = U32(d1, 20);
            t.nextHeader = U32(d1, 24);
            t.title = d2;
            if (d2.empty() && U32(d1, 20) == 0xFFFFFFFF && next == 0xFFFFFFFF) {
                trailingSeen = true;
                view.trailingTopicNumber = t.topicNumber;
                if (topic && topic->nextHeader != position) Fail("last topic does not point at the trailing record");
                topic = nullptr;
            } else {
                if (topic && topic->nextHeader != position) Fail("NextTopic does not name the next topic header");
                view.topics.push_back(t);
                topic = &view.topics.back();
            }
        } else if (r.type == 0x20) {
            if (!topic) Fail("paragraph outside a topic");
            ReadParagraph p = ParseParagraph(d1, d2, r.dataLen2);
            p.position = position;
            if (topic->paragraphs.empty() && topic->firstParagraph != position) Fail("first paragraph pointer wrong");
            topic->paragraphs.push_back(p);
            textBytes += r.dataLen2;
        } else {
            Fail("unknown record type");
        }
        view.records.push_back(r);
        previous = position;
        position = next;
    }
    if (!trailingSeen) Fail("no trailing topic header");
    // The rest of every block after its last record is zero padding.
    for (uint32_t b = 0; b < blocks; ++b) {
        uint32_t end = 12;
        for (const ReadRecord& r : view.records) {
            if (r.block == b) end = r.position % 0x4000 + r.blockSize;
        }
        if (d.find_first_not_of('\0', b * 4096 + end) < (b + 1) * 4096) Fail("non-zero padding in a block");
    }
}

void ReadKeywords(const HelpView& in, HelpView& view) {
    const auto tree = in.files.find("|KWBTREE");
    const auto data = in.files.find("|KWDATA");
    if (tree == in.files.end() && data == in.files.end()) return;
    if (tree == in.files.end() || data == in.files.end()) Fail("|KWBTREE and |KWDATA must come together");
    view.keywordTree = ReadTree(tree->second);
    if (view.keywordTree.structure != "F24") Fail("|KWBTREE structure is not F24");
    for (const std::string& entry : view.keywordTree.leafEntries) {
        ReadKeyword k;
        k.text = StringZ(entry, 0, entry.size());
        k.count = static_cast<uint16_t>(U16(entry, k.text.size() + 1));
        const uint32_t first = U32(entry, k.text.size() + 3);
        for (uint32_t i = 0; i < k.count; ++i) k.offsets.push_back(U32(data->second, first + 4 * i));
        view.keywords.push_back(k);
    }
}

}  // namespace

HelpView ReadHelpFile(const std::string& bytes) {
    HelpView view;
    if (bytes.size() < 16 || U32(bytes, 0) != 0x00035F3F) Fail("bad file magic");
    if (U32(bytes, 12) != bytes.size()) Fail("file size field differs from the size");
    if (U32(bytes, 8) != 0xFFFFFFFF) Fail("unexpected free list");
    const uint32_t dirAt = U32(bytes, 4);
    const uint32_t dirReserved = U32(bytes, dirAt);
    const uint32_t dirUsed = U32(bytes, dirAt + 4);
    if (dirReserved != dirUsed + 9 || dirAt + dirReserved > bytes.size()) Fail("bad directory header");
    const TreeView dir = ReadTree(bytes.substr(dirAt + 9, dirUsed));
    if (dir.structure != "z4" || dir.flags != 0x0402 || dir.pageSize != 1024) Fail("bad directory tree header");
    std::string previousName;
    for (const std::string& entry : dir.leafEntries) {
        const std::string name = StringZ(entry, 0, entry.size());
        if (!previousName.empty() && std::strcmp(previousName.c_str(), name.c_str()) >= 0) Fail("directory not sorted");
        previousName = name;
        const uint32_t at = U32(entry, name.size() + 1);
        const uint32_t reserved = U32(bytes, at);
        const uint32_t used = U32(bytes, at + 4);
        if (reserved != used + 9 || at + reserved > bytes.size()) Fail("bad internal file header of " + name);
        view.directory[name] = at;
        view.files[name] = bytes.substr(at + 9, used);
    }
    for (const char* required : {"|SYSTEM", "|TOPIC", "|FONT", "|CONTEXT"}) {
        if (!view.files.count(required)) Fail(std::string("missing ") + required);
    }
    ReadSystem(view.files["|SYSTEM"], view);
    ReadTopics(view.files["|TOPIC"], view);
    view.context = ReadTree(view.files["|CONTEXT"]);
    for (const std::string& entry : view.context.leafEntries) {
        view.contextEntries.emplace_back(static_cast<int32_t>(U32(entry, 0)), U32(entry, 4));
    }
    if (view.files.count("|TTLBTREE")) {
        for (const std::string& entry : ReadTree(view.files["|TTLBTREE"]).leafEntries) {
            view.titles.emplace_back(U32(entry, 0), StringZ(entry, 4, entry.size()));
        }
    }
    ReadKeywords(view, view);
    return view;
}

const ReadTopic* TopicAt(const HelpView& view, uint32_t offset) {
    for (const ReadTopic& topic : view.topics) {
        if (topic.offset == offset) return &topic;
    }
    return nullptr;
}

}  // namespace hlptest
