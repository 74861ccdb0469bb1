#include <gtest/gtest.h>

#include "hlp_reader.h"
#include "test_projects.h"
#include "tools/hlpc/help_file.h"

namespace {

using hlptest::BytesOf;

const hlptest::ReadTopic& TopicOfKeyword(const hlptest::HelpView& view, const hlptest::ReadKeyword& keyword) {
    static const hlptest::ReadTopic none;
    if (keyword.offsets.size() != 1) return none;
    const hlptest::ReadTopic* topic = hlptest::TopicAt(view, keyword.offsets[0]);
    return topic ? *topic : none;
}

TEST(Keywords, SortedRegardlessOfCaseEachWithOneTopic) {
    const auto project = hlptest::ProjectOf({
        hlptest::PlainTopic("contents", "Contents", "x", {"beta", "Zeta"}),
        hlptest::PlainTopic("second", "Second", "y", {"Alpha"}),
        hlptest::PlainTopic("third", "Third", "z", {"gamma Ray"}),
    });
    const hlptest::HelpView view = hlptest::ReadHelpFile(qb::help::BuildHelpFile(project));
    ASSERT_EQ(view.keywords.size(), 4u);
    EXPECT_EQ(view.keywords[0].text, "Alpha");
    EXPECT_EQ(view.keywords[1].text, "beta");
    EXPECT_EQ(view.keywords[2].text, "gamma Ray");
    EXPECT_EQ(view.keywords[3].text, "Zeta");
    for (const auto& keyword : view.keywords) EXPECT_EQ(keyword.count, 1) << keyword.text;
    EXPECT_EQ(TopicOfKeyword(view, view.keywords[0]).title, "Second");
    EXPECT_EQ(TopicOfKeyword(view, view.keywords[1]).title, "Contents");
    EXPECT_EQ(TopicOfKeyword(view, view.keywords[2]).title, "Third");
    EXPECT_EQ(TopicOfKeyword(view, view.keywords[3]).title, "Contents");
}

TEST(Keywords, DataHoldsOneOffsetPerKeywordInKeywordOrder) {
    const auto project = hlptest::ProjectOf({
        hlptest::PlainTopic("contents", "Contents", "x", {"b"}),
        hlptest::PlainTopic("second", "Second", "y", {"a"}),
    });
    const hlptest::HelpView view = hlptest::ReadHelpFile(qb::help::BuildHelpFile(project));
    const std::string& data = view.files.at("|KWDATA");
    ASSERT_EQ(data.size(), 8u);
    std::string expected;
    qb::help::PutU32(expected, view.topics[1].offset);  // "a"
    qb::help::PutU32(expected, view.topics[0].offset);  // "b"
    EXPECT_EQ(data, expected);
    EXPECT_EQ(view.files.at("|KWMAP"), BytesOf({1, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(Keywords, MapNamesEveryLeafPageAndItsFirstKeyword) {
    std::vector<qb::help::Topic> topics;
    for (int i = 0; i < 300; ++i) {
        const std::string number = std::to_string(1000 + i);
        topics.push_back(hlptest::PlainTopic("t" + number, "Topic " + number, "text", {"Keyword number " + number}));
    }
    const hlptest::HelpView view = hlptest::ReadHelpFile(qb::help::BuildHelpFile(hlptest::ProjectOf(topics)));
    const hlptest::TreeView& tree = view.keywordTree;
    ASSERT_GT(tree.leafPages.size(), 1u);
    const std::string& map = view.files.at("|KWMAP");
    ASSERT_EQ(map.size(), 2 + 6 * tree.leafPages.size());
    EXPECT_EQ(static_cast<unsigned char>(map[0]) | (static_cast<unsigned char>(map[1]) << 8),
              static_cast<int>(tree.leafPages.size()));
    uint32_t first = 0;
    for (size_t page = 0; page < tree.leafPages.size(); ++page) {
        std::string expected;
        qb::help::PutU32(expected, first);
        qb::help::PutU16(expected, static_cast<uint32_t>(tree.leafPages[page]));
        EXPECT_EQ(map.substr(2 + 6 * page, 6), expected) << "page " << page;
        first += static_cast<uint32_t>(tree.leafEntryCounts[page]);
    }
    ASSERT_EQ(view.keywords.size(), 300u);
    for (size_t i = 0; i < view.keywords.size(); ++i) {
        const std::string number = std::to_string(1000 + i);
        EXPECT_EQ(view.keywords[i].text, "Keyword number " + number);
        EXPECT_EQ(TopicOfKeyword(view, view.keywords[i]).title, "Topic " + number);
    }
}

TEST(Keywords, NoKeywordTablesWithoutKeywords) {
    const hlptest::HelpView view =
        hlptest::ReadHelpFile(qb::help::BuildHelpFile(hlptest::ProjectOf({hlptest::PlainTopic("contents", "C", "x")})));
    EXPECT_EQ(view.files.count("|KWBTREE"), 0u);
    EXPECT_EQ(view.files.count("|KWDATA"), 0u);
    EXPECT_EQ(view.files.count("|KWMAP"), 0u);
}

TEST(Keywords, SameKeywordInTwoTopicsRefused) {
    const auto project = hlptest::ProjectOf({hlptest::PlainTopic("contents", "C", "x", {"Editing a Question"}),
                                             hlptest::PlainTopic("other", "O", "y", {"EDITING A QUESTION"})});
    EXPECT_THROW(qb::help::BuildHelpFile(project), qb::help::SourceError);
}

}  // namespace
