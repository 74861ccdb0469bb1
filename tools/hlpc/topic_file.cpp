#include "tools/hlpc/topic_file.h"

#include "tools/hlpc/context_hash.h"

namespace qb::help {

namespace {

constexpr uint8_t kCmdFont = 0x80;
constexpr uint8_t kCmdEndParagraph = 0x82;
constexpr uint8_t kCmdEndHotspot = 0x89;
constexpr uint8_t kCmdJump = 0xE3;
constexpr uint8_t kCmdEnd = 0xFF;

constexpr uint16_t kSpaceAbove = 0x0002;
constexpr uint16_t kLeftIndent = 0x0010;

constexpr size_t kTopicHeaderData1Size = 28;

struct ParagraphFormat {
    uint16_t font;
    int16_t spaceAbove;  // 0 for none
    int16_t leftIndent;  // 0 for none
    const char* prefix;
};

ParagraphFormat FormatOf(ParagraphKind kind) {
    switch (kind) {
    case ParagraphKind::Heading: return {kFontHeading, 0, 0, ""};
    case ParagraphKind::Subheading: return {kFontSubheading, 12, 0, ""};
    case ParagraphKind::Bullet: return {kFontBody, 4, 12, "\x95 "};
    case ParagraphKind::Body: break;
    }
    return {kFontBody, 8, 0, ""};
}

// Text strings and commands alternate: every string is followed by exactly one command.
class CommandWriter {
public:
    void Text(const std::string& text) { pending_ += text; }
    void Command(const Bytes& command) {
        strings_ += pending_;
        strings_.push_back('\0');
        commands_ += command;
        pending_.clear();
    }
    const Bytes& Strings() const { return strings_; }
    const Bytes& Commands() const { return commands_; }

private:
    Bytes pending_;
    Bytes strings_;
    Bytes commands_;
};

Bytes Command(uint8_t code) {
    return Bytes(1, static_cast<char>(code));
}

Bytes FontCommand(uint16_t font) {
    Bytes command = Command(kCmdFont);
    PutU16(command, font);
    return command;
}

Bytes JumpCommand(const std::string& context) {
    Bytes command = Command(kCmdJump);
    PutU32(command, ContextHash(context));
    return command;
}

Bytes TopicHeaderPlaceholder() {
    return Bytes(kTopicHeaderData1Size, '\0');
}

TopicRecord TopicHeaderRecord(size_t topic, const std::string& title) {
    TopicRecord record;
    record.type = kRecordTopicHeader;
    record.linkData1 = TopicHeaderPlaceholder();
    record.linkData2 = title;
    record.topic = topic;
    return record;
}

TopicRecord ParagraphRecord(size_t topic, const Paragraph& paragraph) {
    TopicRecord record;
    record.topic = topic;
    EncodeParagraph(paragraph, record.linkData1, record.linkData2);
    return record;
}

// The header fields that depend on the layout: topic size, topic number,
// first paragraph and next topic header.
void FillTopicHeaders(std::vector<TopicRecord>& records, const std::vector<size_t>& headers) {
    for (size_t t = 0; t < headers.size(); ++t) {
        const size_t first = headers[t];
        const size_t next = t + 1 < headers.size() ? headers[t + 1] : records.size() - 1;
        uint32_t topicSize = 0;
        for (size_t r = first; r < next; ++r) topicSize += records[r].Size();
        Bytes& data = records[first].linkData1;
        SetU32At(data, 0, topicSize);
        SetU32At(data, 4, kNone);
        SetU32At(data, 8, kNone);
        SetU32At(data, 12, static_cast<uint32_t>(t));
        SetU32At(data, 16, kNone);
        SetU32At(data, 20, first + 1 < next ? records[first + 1].position : kNone);
        SetU32At(data, 24, records[next].position);
    }
}

TopicRecord TrailingRecord(size_t topicCount) {
    TopicRecord record;
    record.type = kRecordTopicHeader;
    record.topic = topicCount;
    record.linkData1 = TopicHeaderPlaceholder();
    SetU32At(record.linkData1, 0, record.Size());
    for (size_t at = 4; at < kTopicHeaderData1Size; at += 4) SetU32At(record.linkData1, at, kNone);
    SetU32At(record.linkData1, 12, static_cast<uint32_t>(topicCount));
    return record;
}

void PutRecord(Bytes& out, const std::vector<TopicRecord>& records, size_t r) {
    const TopicRecord& record = records[r];
    PutU32(out, record.Size());
    PutU32(out, static_cast<uint32_t>(record.linkData2.size()));
    PutU32(out, r == 0 ? kNone : records[r - 1].position);
    PutU32(out, r + 1 == records.size() ? kNone : records[r + 1].position);
    PutU32(out, kRecordHeaderSize + static_cast<uint32_t>(record.linkData1.size()));
    PutU8(out, record.type);
    out += record.linkData1;
    out += record.linkData2;
}

// Block header: the last record and the last topic header that start before
// the block, and the first record that starts in it.
Bytes BlockHeader(const std::vector<TopicRecord>& records, uint32_t block) {
    uint32_t lastBefore = kNone;
    uint32_t lastHeaderBefore = kNone;
    uint32_t firstInBlock = kNone;
    for (const TopicRecord& record : records) {
        if (record.block < block) {
            lastBefore = record.position;
            if (record.type == kRecordTopicHeader) lastHeaderBefore = record.position;
        } else if (record.block == block && firstInBlock == kNone) {
            firstInBlock = record.position;
        }
    }
    Bytes header;
    PutU32(header, lastBefore);
    PutU32(header, firstInBlock);
    PutU32(header, lastHeaderBefore);
    return header;
}

Bytes SerializeBlocks(const std::vector<TopicRecord>& records, uint32_t blockCount) {
    Bytes data;
    size_t r = 0;
    for (uint32_t block = 0; block < blockCount; ++block) {
        Bytes blockData = BlockHeader(records, block);
        for (; r < records.size() && records[r].block == block; ++r) PutRecord(blockData, records, r);
        blockData.resize(kTopicBlockSize, '\0');
        data += blockData;
    }
    return data;
}

}  // namespace

void EncodeParagraph(const Paragraph& paragraph, Bytes& linkData1, Bytes& linkData2) {
    const ParagraphFormat format = FormatOf(paragraph.kind);
    CommandWriter writer;
    writer.Command(FontCommand(format.font));
    writer.Text(format.prefix);
    for (const TextRun& run : paragraph.runs) {
        if (run.target.empty()) {
            writer.Text(run.text);
            continue;
        }
        writer.Command(JumpCommand(run.target));
        writer.Text(run.text);
        writer.Command(Command(kCmdEndHotspot));
    }
    writer.Command(Command(kCmdEndParagraph));
    writer.Command(Command(kCmdEnd));

    Bytes body;
    PutU8(body, 0x00);
    PutU8(body, 0x80);
    PutU16(body, 0);  // paragraph id
    PutU16(body, (format.spaceAbove ? kSpaceAbove : 0) | (format.leftIndent ? kLeftIndent : 0));
    if (format.spaceAbove) PutCompressedShort(body, format.spaceAbove);
    if (format.leftIndent) PutCompressedShort(body, format.leftIndent);
    body += writer.Commands();

    linkData2 = writer.Strings();
    linkData1.clear();
    PutCompressedLong(linkData1, static_cast<int32_t>(body.size()));
    PutCompressedUShort(linkData1, static_cast<uint32_t>(linkData2.size()));
    linkData1 += body;
}

void LayOutRecords(std::vector<TopicRecord>& records, uint32_t& blockCount) {
    uint32_t block = 0;
    uint32_t used = kTopicBlockHeaderSize;
    uint32_t textBytes = 0;
    for (TopicRecord& record : records) {
        const uint32_t size = record.Size();
        if (size > kTopicBlockSize - kTopicBlockHeaderSize) {
            throw SourceError("a paragraph needs " + std::to_string(size) + " bytes, more than a topic block holds (" +
                              std::to_string(kTopicBlockSize - kTopicBlockHeaderSize) + "); split it");
        }
        if (used + size > kTopicBlockSize) {
            ++block;
            used = kTopicBlockHeaderSize;
            textBytes = 0;
        }
        record.block = block;
        record.position = block * 0x4000 + used;
        record.offset = block * 0x8000 + textBytes;
        used += size;
        if (record.type == kRecordParagraph) textBytes += static_cast<uint32_t>(record.linkData2.size());
    }
    blockCount = block + 1;
}

TopicFile BuildTopicFile(const HelpProject& project) {
    TopicFile file;
    for (size_t t = 0; t < project.topics.size(); ++t) {
        const Topic& topic = project.topics[t];
        file.topicHeader.push_back(file.records.size());
        file.records.push_back(TopicHeaderRecord(t, topic.title));
        Paragraph heading;
        heading.kind = ParagraphKind::Heading;
        heading.runs.push_back({topic.title, ""});
        file.records.push_back(ParagraphRecord(t, heading));
        for (const Paragraph& paragraph : topic.paragraphs) file.records.push_back(ParagraphRecord(t, paragraph));
    }
    file.records.push_back(TrailingRecord(project.topics.size()));
    LayOutRecords(file.records, file.blockCount);
    FillTopicHeaders(file.records, file.topicHeader);
    file.data = SerializeBlocks(file.records, file.blockCount);
    return file;
}

}  // namespace qb::help
