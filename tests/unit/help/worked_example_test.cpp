// A one-topic file whose bytes were accepted by the viewer: the parts our
// generator writes the same way must match it byte for byte.
#include <gtest/gtest.h>

#include "hlp_reader.h"
#include "test_projects.h"
#include "tools/hlpc/btree.h"
#include "tools/hlpc/help_file.h"
#include "tools/hlpc/topic_file.h"

namespace {

using hlptest::BytesOf;

qb::help::HelpProject Tiny() {
    return hlptest::ProjectOf({hlptest::PlainTopic("contents", "Help", "Hi.", {"Hello"})}, "Tiny");
}

std::string Leaf(const std::string& tree) {
    return tree.substr(qb::help::kBTreeHeaderSize + 8);
}

TEST(WorkedExample, System) {
    EXPECT_EQ(hlptest::InternalFileOf(Tiny(), "|SYSTEM"),
              BytesOf({0x6C, 0x03, 0x21, 0x00, 0x01, 0x00, 0,    0,    0,    0,    0, 0, 0x01, 0x00, 0x05,
                       0x00, 'T',  'i',  'n',  'y',  0,    0x03, 0x00, 0x04, 0x00, 0, 0, 0,    0}));
}

TEST(WorkedExample, FontFaceAndFirstTwoDescriptors) {
    const std::string font = hlptest::InternalFileOf(Tiny(), "|FONT");
    EXPECT_EQ(font.substr(0, 2), BytesOf({0x01, 0x00}));
    EXPECT_EQ(font.substr(4, 4), BytesOf({0x08, 0x00, 0x28, 0x00}));
    std::string face = "Arial";
    face.resize(32, '\0');
    EXPECT_EQ(font.substr(8, 32), face);
    EXPECT_EQ(font.substr(40, 22), BytesOf({0x00, 0x14, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                            0x01, 0x1C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x80, 0x00, 0x00, 0x00}));
    const int count = static_cast<unsigned char>(font[2]);
    EXPECT_EQ(font.size(), 40u + 11u * count);
}

TEST(WorkedExample, TopicBlockHeaderTopicHeaderAndHeading) {
    const std::string topic = hlptest::InternalFileOf(Tiny(), "|TOPIC");
    ASSERT_EQ(topic.size(), 4096u);
    EXPECT_EQ(topic.substr(0, 12), BytesOf({0xFF, 0xFF, 0xFF, 0xFF, 0x0C, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
    // The topic header record: sizes, chain and title as in the example.
    EXPECT_EQ(topic.substr(0x0C, 21),
              BytesOf({0x35, 0, 0, 0, 0x04, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x41, 0, 0, 0, 0x31, 0, 0, 0, 0x02}));
    EXPECT_EQ(topic.substr(0x0C + 21 + 4, 20), BytesOf({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0,
                                                        0,    0,    0xFF, 0xFF, 0xFF, 0xFF, 0x41, 0,    0, 0}));
    EXPECT_EQ(topic.substr(0x0C + 49, 4), "Help");
    // The heading paragraph, byte for byte.
    EXPECT_EQ(topic.substr(0x41, 42),
              BytesOf({0x2A, 0,    0,    0,    0x07, 0,    0,    0,    0x0C, 0,    0,    0,    0x6B, 0,
                       0,    0,    0x23, 0,    0,    0,    0x20, 0x16, 0x80, 0x0E, 0x00, 0x80, 0x00, 0x00,
                       0x00, 0x00, 0x80, 0x01, 0x00, 0x82, 0xFF, 0x00, 'H',  'e',  'l',  'p',  0x00, 0x00}));
}

// Our body paragraphs differ from the example only by the space above them
// (bit 0x0002 and one compressed short).
TEST(WorkedExample, BodyParagraphWithSpaceAbove) {
    qb::help::Paragraph paragraph;
    paragraph.runs.push_back({"Hi.", ""});
    qb::help::Bytes data1;
    qb::help::Bytes data2;
    qb::help::EncodeParagraph(paragraph, data1, data2);
    EXPECT_EQ(data1,
              BytesOf({0x18, 0x80, 0x0C, 0x00, 0x80, 0x00, 0x00, 0x02, 0x00, 0x90, 0x80, 0x00, 0x00, 0x82, 0xFF}));
    EXPECT_EQ(data2, BytesOf({0x00, 'H', 'i', '.', 0x00, 0x00}));
}

TEST(WorkedExample, LinkParagraph) {
    qb::help::Paragraph paragraph;
    paragraph.runs = {{"See ", ""}, {"Attaching Files", "attach_files"}, {".", ""}};
    qb::help::Bytes data1;
    qb::help::Bytes data2;
    qb::help::EncodeParagraph(paragraph, data1, data2);
    EXPECT_EQ(data2, std::string("\0See \0Attaching Files\0.\0\0", 25));
    EXPECT_EQ(data1.substr(data1.size() - 11),
              BytesOf({0x80, 0x00, 0x00, 0xE3, 0x4B, 0x4E, 0x78, 0xE4, 0x89, 0x82, 0xFF}));
}

TEST(WorkedExample, TrailingTopicHeader) {
    const hlptest::HelpView view = hlptest::ReadHelpFile(qb::help::BuildHelpFile(Tiny()));
    const hlptest::ReadRecord& trailing = view.records.back();
    const std::string topic = view.files.at("|TOPIC");
    const size_t at = trailing.position;
    EXPECT_EQ(topic.substr(at, 4), BytesOf({0x31, 0, 0, 0}));
    EXPECT_EQ(topic.substr(at + 12, 9), BytesOf({0xFF, 0xFF, 0xFF, 0xFF, 0x31, 0, 0, 0, 0x02}));
    EXPECT_EQ(topic.substr(at + 21, 28),
              BytesOf({0x31, 0, 0,    0,    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0,
                       0,    0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(WorkedExample, TablesAndDirectory) {
    const auto files = qb::help::BuildInternalFiles(Tiny());
    std::map<std::string, std::string> byName(files.begin(), files.end());
    EXPECT_EQ(Leaf(byName["|CONTEXT"]).substr(0, 8), BytesOf({0x8A, 0x55, 0xF4, 0x25, 0, 0, 0, 0}));
    EXPECT_EQ(Leaf(byName["|TTLBTREE"]).substr(0, 9), BytesOf({0, 0, 0, 0, 'H', 'e', 'l', 'p', 0}));
    EXPECT_EQ(Leaf(byName["|KWBTREE"]).substr(0, 12), BytesOf({'H', 'e', 'l', 'l', 'o', 0, 0x01, 0x00, 0, 0, 0, 0}));
    EXPECT_EQ(byName["|KWDATA"], BytesOf({0, 0, 0, 0}));
    EXPECT_EQ(byName["|KWMAP"], BytesOf({1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(byName["|CTXOMAP"], BytesOf({0, 0}));

    const std::string file = qb::help::BuildHelpFile(Tiny());
    const size_t directory = static_cast<unsigned char>(file[4]) | (static_cast<unsigned char>(file[5]) << 8);
    std::string header =
        BytesOf({0x2F, 0x04, 0, 0, 0x26, 0x04, 0, 0, 0x04, 0x3B, 0x29, 0x02, 0x04, 0x00, 0x04, 'z', '4'});
    header += std::string(14, '\0');
    header += BytesOf({0,    0, 0, 0, 0,    0,    0xFF, 0xFF, 0x01, 0x00, 0x01, 0x00,
                       0x09, 0, 0, 0, 0x8B, 0x03, 0x09, 0x00, 0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_EQ(file.substr(directory, header.size()), header);
    EXPECT_EQ(file.size(), directory + 9 + 38 + 1024);
    EXPECT_EQ(file.substr(0, 4), BytesOf({0x3F, 0x5F, 0x03, 0x00}));
    EXPECT_EQ(file.substr(8, 4), BytesOf({0xFF, 0xFF, 0xFF, 0xFF}));
}

}  // namespace
