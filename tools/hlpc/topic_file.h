// The |TOPIC internal file: topic header and paragraph records laid into
// uncompressed 4096-byte blocks.
#pragma once
#include <cstdint>
#include <vector>

#include "tools/hlpc/bytes.h"
#include "tools/hlpc/help_source.h"

namespace qb::help {

constexpr uint32_t kTopicBlockSize = 4096;
constexpr uint32_t kTopicBlockHeaderSize = 12;
constexpr uint32_t kRecordHeaderSize = 21;
constexpr uint32_t kNone = 0xFFFFFFFF;

constexpr uint8_t kRecordTopicHeader = 0x02;
constexpr uint8_t kRecordParagraph = 0x20;

// Descriptor numbers in |FONT.
enum FontNumber : uint16_t { kFontBody = 0, kFontHeading = 1, kFontSubheading = 2 };

struct TopicRecord {
    uint8_t type = kRecordParagraph;
    Bytes linkData1;
    Bytes linkData2;
    size_t topic = 0;  // index of the topic it belongs to; the topic count for the trailing record
    uint32_t block = 0;
    uint32_t position = 0;  // TOPICPOS: 0x4000 per block plus the byte offset in the block
    uint32_t offset = 0;    // TOPICOFFSET: 0x8000 per block plus the text bytes before it in the block

    uint32_t Size() const { return kRecordHeaderSize + static_cast<uint32_t>(linkData1.size() + linkData2.size()); }
};

struct TopicFile {
    std::vector<TopicRecord> records;  // in chain order, the trailing empty topic header last
    std::vector<size_t> topicHeader;   // per topic, the index of its header record
    uint32_t blockCount = 0;
    Bytes data;  // the blocks, each padded to 4096 bytes
};

// The records of one paragraph, exposed for tests.
void EncodeParagraph(const Paragraph& paragraph, Bytes& linkData1, Bytes& linkData2);

// Lays records into blocks without ever splitting one; throws SourceError for
// a paragraph too long for a block.
void LayOutRecords(std::vector<TopicRecord>& records, uint32_t& blockCount);

// Every topic gets its title as a heading paragraph, since viewers do not
// show the header's title in the text.
TopicFile BuildTopicFile(const HelpProject& project);

}  // namespace qb::help
