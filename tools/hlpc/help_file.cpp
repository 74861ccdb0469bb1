#include "tools/hlpc/help_file.h"

#include <algorithm>
#include <cstring>

#include "tools/hlpc/btree.h"
#include "tools/hlpc/context_hash.h"
#include "tools/hlpc/topic_file.h"

namespace qb::help {

namespace {

constexpr uint16_t kSystemMagic = 0x036C;
constexpr uint16_t kSystemMinorVersion = 33;
constexpr uint16_t kSystemMajorVersion = 1;
constexpr uint16_t kSystemTitle = 1;
constexpr uint16_t kSystemCopyright = 2;
constexpr uint16_t kSystemContents = 3;

constexpr uint16_t kTreeFlags = 0x0002;
constexpr uint16_t kDirectoryFlags = 0x0402;
constexpr uint16_t kTreePageSize = 2048;
constexpr uint16_t kDirectoryPageSize = 1024;

constexpr size_t kFaceNameSize = 32;

void PutSystemRecord(Bytes& out, uint16_t type, const Bytes& data) {
    PutU16(out, type);
    PutU16(out, static_cast<uint32_t>(data.size()));
    out += data;
}

Bytes SystemFile(const HelpProject& project, uint32_t contentsOffset) {
    Bytes out;
    PutU16(out, kSystemMagic);
    PutU16(out, kSystemMinorVersion);
    PutU16(out, kSystemMajorVersion);
    PutU32(out, 0);  // no generation time: the same source gives the same file
    PutU16(out, 0);  // uncompressed topic blocks of 4096 bytes
    Bytes title;
    PutStringZ(title, project.title);
    PutSystemRecord(out, kSystemTitle, title);
    if (!project.copyright.empty()) {
        Bytes copyright;
        PutStringZ(copyright, project.copyright);
        PutSystemRecord(out, kSystemCopyright, copyright);
    }
    Bytes contents;
    PutU32(contents, contentsOffset);
    PutSystemRecord(out, kSystemContents, contents);
    return out;
}

struct FontDescriptor {
    uint8_t attributes;
    uint8_t halfPoints;
    uint8_t red, green, blue;
};

Bytes FontFile() {
    const FontDescriptor descriptors[] = {
        {0x00, 20, 0, 0, 0},     // body text
        {0x01, 28, 0, 0, 0x80},  // topic heading
        {0x01, 20, 0, 0, 0x80},  // subheading
    };
    const uint16_t faceCount = 1;
    const uint16_t count = sizeof(descriptors) / sizeof(descriptors[0]);
    Bytes out;
    PutU16(out, faceCount);
    PutU16(out, count);
    PutU16(out, 8);
    PutU16(out, 8 + faceCount * kFaceNameSize);
    Bytes face = "Arial";
    face.resize(kFaceNameSize, '\0');
    out += face;
    for (const FontDescriptor& d : descriptors) {
        PutU8(out, d.attributes);
        PutU8(out, d.halfPoints);
        PutU8(out, 3);  // swiss family
        PutU16(out, 0);
        PutU8(out, d.red);
        PutU8(out, d.green);
        PutU8(out, d.blue);
        PutU8(out, 0);
        PutU8(out, 0);
        PutU8(out, 0);
    }
    return out;
}

uint32_t TopicOffset(const TopicFile& topics, size_t topic) {
    return topics.records[topics.topicHeader[topic]].offset;
}

// Sorted by the hash taken as a signed number: that is how the viewers search.
Bytes ContextFile(const HelpProject& project, const TopicFile& topics) {
    std::vector<std::pair<int32_t, uint32_t>> rows;
    for (size_t t = 0; t < project.topics.size(); ++t) {
        rows.emplace_back(static_cast<int32_t>(ContextHash(project.topics[t].context)), TopicOffset(topics, t));
    }
    std::sort(rows.begin(), rows.end());
    std::vector<BTreeEntry> entries;
    for (const auto& [hash, offset] : rows) {
        BTreeEntry entry;
        PutI32(entry.key, hash);
        PutU32(entry.data, offset);
        entries.push_back(entry);
    }
    return BuildBTree({kTreeFlags, kTreePageSize, "L4"}, entries);
}

Bytes TitleFile(const HelpProject& project, const TopicFile& topics) {
    std::vector<BTreeEntry> entries;
    for (size_t t = 0; t < project.topics.size(); ++t) {
        BTreeEntry entry;
        PutU32(entry.key, TopicOffset(topics, t));
        PutStringZ(entry.data, project.topics[t].title);
        entries.push_back(entry);
    }
    return BuildBTree({kTreeFlags, kTreePageSize, "Lz"}, entries);
}

// |KWBTREE, |KWDATA and |KWMAP; none of them when there are no keywords.
void AddKeywordFiles(const HelpProject& project, const TopicFile& topics, std::vector<InternalFile>& files) {
    std::vector<std::pair<std::string, uint32_t>> keywords;
    for (size_t t = 0; t < project.topics.size(); ++t) {
        for (const std::string& keyword : project.topics[t].keywords)
            keywords.emplace_back(keyword, TopicOffset(topics, t));
    }
    if (keywords.empty()) return;
    std::sort(keywords.begin(), keywords.end(),
              [](const auto& a, const auto& b) { return CompareKeywords(a.first, b.first) < 0; });
    Bytes data;
    std::vector<BTreeEntry> entries;
    for (const auto& [keyword, offset] : keywords) {
        BTreeEntry entry;
        PutStringZ(entry.key, keyword);
        PutU16(entry.data, 1);
        PutU32(entry.data, static_cast<uint32_t>(data.size()));
        PutU32(data, offset);
        entries.push_back(entry);
    }
    BTreeShape shape;
    Bytes tree = BuildBTree({kTreeFlags, kTreePageSize, "F24"}, entries, &shape);
    Bytes map;
    PutU16(map, static_cast<uint32_t>(shape.leafFirstEntry.size()));
    for (size_t page = 0; page < shape.leafFirstEntry.size(); ++page) {
        PutU32(map, static_cast<uint32_t>(shape.leafFirstEntry[page]));
        PutU16(map, static_cast<uint32_t>(page));
    }
    files.emplace_back("|KWBTREE", tree);
    files.emplace_back("|KWDATA", data);
    files.emplace_back("|KWMAP", map);
}

Bytes InternalHeader(size_t usedSpace) {
    Bytes header;
    PutU32(header, static_cast<uint32_t>(usedSpace + kInternalHeaderSize));
    PutU32(header, static_cast<uint32_t>(usedSpace));
    PutU8(header, 4);
    return header;
}

}  // namespace

std::vector<InternalFile> BuildInternalFiles(const HelpProject& project) {
    const TopicFile topics = BuildTopicFile(project);
    size_t contents = 0;
    while (project.topics[contents].context != project.contentsContext) ++contents;
    std::vector<InternalFile> files;
    files.emplace_back("|SYSTEM", SystemFile(project, TopicOffset(topics, contents)));
    files.emplace_back("|FONT", FontFile());
    files.emplace_back("|TOPIC", topics.data);
    files.emplace_back("|CONTEXT", ContextFile(project, topics));
    files.emplace_back("|TTLBTREE", TitleFile(project, topics));
    AddKeywordFiles(project, topics, files);
    files.emplace_back("|CTXOMAP", Bytes(2, '\0'));
    return files;
}

Bytes AssembleHelpFile(const std::vector<InternalFile>& files) {
    Bytes out(kFileHeaderSize, '\0');
    std::vector<std::pair<std::string, uint32_t>> directory;
    for (const auto& [name, data] : files) {
        directory.emplace_back(name, static_cast<uint32_t>(out.size()));
        out += InternalHeader(data.size());
        out += data;
    }
    std::sort(directory.begin(), directory.end(),
              [](const auto& a, const auto& b) { return std::strcmp(a.first.c_str(), b.first.c_str()) < 0; });
    std::vector<BTreeEntry> entries;
    for (const auto& [name, offset] : directory) {
        BTreeEntry entry;
        PutStringZ(entry.key, name);
        PutU32(entry.data, offset);
        entries.push_back(entry);
    }
    const Bytes tree = BuildBTree({kDirectoryFlags, kDirectoryPageSize, "z4"}, entries);
    const uint32_t directoryOffset = static_cast<uint32_t>(out.size());
    out += InternalHeader(tree.size());
    out += tree;
    SetU32At(out, 0, kHelpFileMagic);
    SetU32At(out, 4, directoryOffset);
    SetU32At(out, 8, 0xFFFFFFFF);
    SetU32At(out, 12, static_cast<uint32_t>(out.size()));
    return out;
}

Bytes BuildHelpFile(const HelpProject& project) {
    ValidateProject(project);
    return AssembleHelpFile(BuildInternalFiles(project));
}

}  // namespace qb::help
