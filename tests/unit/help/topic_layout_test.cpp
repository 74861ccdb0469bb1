#include <gtest/gtest.h>

#include "hlp_reader.h"
#include "test_projects.h"
#include "tools/hlpc/context_hash.h"
#include "tools/hlpc/help_file.h"
#include "tools/hlpc/topic_file.h"

namespace {

using qb::help::LayOutRecords;
using qb::help::TopicRecord;

TopicRecord Record(uint8_t type, size_t data1, size_t data2) {
    TopicRecord record;
    record.type = type;
    record.linkData1.assign(data1, 'a');
    record.linkData2.assign(data2, 'b');
    return record;
}

TopicRecord Header() {
    return Record(qb::help::kRecordTopicHeader, 28, 0);
}  // 49 bytes
TopicRecord ParagraphOfSize(uint32_t size) {
    return Record(qb::help::kRecordParagraph, 10, size - 31);
}  // 21 + 10 + text

// Positions count 0x4000 per block and the byte offset in the block (after
// its 12-byte header); offsets count 0x8000 per block and the text bytes of
// the paragraphs before the record in the same block.
TEST(TopicLayout, RecordsNeverCrossABlock) {
    std::vector<TopicRecord> records = {
        Header(),               // block 0 at 12, ends at 61
        ParagraphOfSize(4031),  // block 0 at 61, ends at 4092: fits
        ParagraphOfSize(35),    // 4092 + 35 > 4096: block 1 at 12
        Header(),               // block 1 at 47, after 4 text bytes of the paragraph before it
        ParagraphOfSize(4000),  // block 1 at 96, ends exactly at 4096
        ParagraphOfSize(4084),  // the largest record: block 2 at 12, fills it
        Header(),               // block 3
    };
    uint32_t blocks = 0;
    LayOutRecords(records, blocks);
    EXPECT_EQ(blocks, 4u);
    EXPECT_EQ(records[0].position, 12u);
    EXPECT_EQ(records[0].offset, 0u);
    EXPECT_EQ(records[1].position, 61u);
    EXPECT_EQ(records[1].offset, 0u);
    EXPECT_EQ(records[2].position, 0x4000u + 12);
    EXPECT_EQ(records[2].offset, 0x8000u);
    EXPECT_EQ(records[3].position, 0x4000u + 47);
    EXPECT_EQ(records[3].offset, 0x8000u + 4);
    EXPECT_EQ(records[4].position, 0x4000u + 96);
    EXPECT_EQ(records[4].offset, 0x8000u + 4);
    EXPECT_EQ(records[5].position, 0x8000u + 12);
    EXPECT_EQ(records[5].offset, 0x10000u);
    EXPECT_EQ(records[6].position, 0xC000u + 12);
    EXPECT_EQ(records[6].offset, 0x18000u);
}

TEST(TopicLayout, RecordLargerThanABlockRefused) {
    std::vector<TopicRecord> records = {Header(), ParagraphOfSize(4085)};
    uint32_t blocks = 0;
    EXPECT_THROW(LayOutRecords(records, blocks), qb::help::SourceError);
}

// Topics with long paragraphs, so that later topics start in blocks 1, 2 and beyond.
qb::help::HelpProject LongTopics() {
    std::vector<qb::help::Topic> topics;
    for (int i = 0; i < 9; ++i) {
        const std::string text(1500 + 100 * i, static_cast<char>('a' + i));
        qb::help::Topic topic = hlptest::PlainTopic("topic_" + std::to_string(i), "Topic " + std::to_string(i), text);
        topic.paragraphs.push_back(topic.paragraphs.front());
        topics.push_back(topic);
    }
    return hlptest::ProjectOf(topics);
}

TEST(TopicLayout, TopicsInLaterBlocksFoundByTheirOffsets) {
    const auto project = LongTopics();
    const hlptest::HelpView view = hlptest::ReadHelpFile(qb::help::BuildHelpFile(project));
    ASSERT_EQ(view.topics.size(), project.topics.size());
    EXPECT_GE(view.records.back().block, 5u);
    for (size_t t = 0; t < project.topics.size(); ++t) {
        const hlptest::ReadTopic& topic = view.topics[t];
        EXPECT_EQ(topic.title, project.topics[t].title);
        ASSERT_EQ(topic.paragraphs.size(), 3u);
        EXPECT_EQ(topic.paragraphs[1].text, project.topics[t].paragraphs[0].runs[0].text);
        uint32_t offset = 0;
        ASSERT_TRUE(hlptest::LookUpContext(view.files.at("|CONTEXT"), qb::help::ContextHash(project.topics[t].context),
                                           offset));
        EXPECT_EQ(offset, topic.offset) << "topic " << t;
        EXPECT_EQ(topic.topicNumber, t);
    }
    EXPECT_EQ(view.trailingTopicNumber, project.topics.size());
}

TEST(TopicLayout, BlockHeadersNameTheRecordsAroundEachBlock) {
    const hlptest::HelpView view = hlptest::ReadHelpFile(qb::help::BuildHelpFile(LongTopics()));
    const size_t blocks = view.blockHeaders.size() / 3;
    ASSERT_GE(blocks, 3u);
    EXPECT_EQ(view.blockHeaders[0], 0xFFFFFFFFu);
    EXPECT_EQ(view.blockHeaders[1], 12u);
    EXPECT_EQ(view.blockHeaders[2], 0xFFFFFFFFu);
    for (size_t b = 1; b < blocks; ++b) {
        uint32_t lastBefore = 0;
        uint32_t lastHeaderBefore = 0;
        uint32_t firstIn = 0xFFFFFFFF;
        for (const hlptest::ReadRecord& r : view.records) {
            if (r.block < b) {
                lastBefore = r.position;
                if (r.type == qb::help::kRecordTopicHeader) lastHeaderBefore = r.position;
            } else if (r.block == b && firstIn == 0xFFFFFFFF) {
                firstIn = r.position;
            }
        }
        EXPECT_EQ(view.blockHeaders[3 * b], lastBefore) << "block " << b;
        EXPECT_EQ(view.blockHeaders[3 * b + 1], firstIn) << "block " << b;
        EXPECT_EQ(view.blockHeaders[3 * b + 2], lastHeaderBefore) << "block " << b;
    }
}

TEST(TopicLayout, TopicHeaderSizesAndChain) {
    const hlptest::HelpView view = hlptest::ReadHelpFile(qb::help::BuildHelpFile(LongTopics()));
    for (const hlptest::ReadTopic& topic : view.topics) {
        uint32_t size = 0;
        for (const hlptest::ReadRecord& r : view.records) {
            if (r.position >= topic.position && r.position < topic.nextHeader) size += r.blockSize;
        }
        EXPECT_EQ(topic.topicSize, size) << topic.title;
        EXPECT_EQ(topic.firstParagraph, topic.paragraphs.front().position);
    }
}

TEST(TopicLayout, TopicFileIsWholeBlocks) {
    const std::string data = hlptest::InternalFileOf(LongTopics(), "|TOPIC");
    EXPECT_EQ(data.size() % 4096, 0u);
    const hlptest::HelpView view = hlptest::ReadHelpFile(qb::help::BuildHelpFile(LongTopics()));
    EXPECT_EQ(data.size() / 4096, view.records.back().block + 1);
}

}  // namespace
