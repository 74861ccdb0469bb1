#include <gtest/gtest.h>

#include <algorithm>

#include "hlp_reader.h"
#include "test_projects.h"
#include "tools/hlpc/btree.h"
#include "tools/hlpc/context_hash.h"
#include "tools/hlpc/help_file.h"

namespace {

using hlptest::ReadTree;
using hlptest::TreeView;
using qb::help::BTreeEntry;
using qb::help::BuildBTree;

int32_t KeyAsSigned(const std::string& key) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(key[i]);
    return static_cast<int32_t>(v);
}

// A project of many topics, enough for several |CONTEXT leaf pages.
qb::help::HelpProject ManyTopics(int count) {
    std::vector<qb::help::Topic> topics;
    for (int i = 0; i < count; ++i) {
        // Varied leading letters spread the hashes over both signs.
        const std::string name = std::string(1, static_cast<char>('a' + i % 26)) +
                                 static_cast<char>('a' + (i / 26) % 26) + "_" + std::to_string(i);
        topics.push_back(hlptest::PlainTopic(name, "Topic " + std::to_string(i), "Text " + std::to_string(i) + "."));
    }
    return hlptest::ProjectOf(topics);
}

TEST(ContextTree, OnePageSortedBySignedHash) {
    const auto project = hlptest::ProjectOf(
        {hlptest::PlainTopic("contents", "C", "x"), hlptest::PlainTopic("attach_files", "A", "x"),
         hlptest::PlainTopic("define_question", "D", "x"), hlptest::PlainTopic("edit_question", "E", "x")});
    const TreeView tree = ReadTree(hlptest::InternalFileOf(project, "|CONTEXT"));
    EXPECT_EQ(tree.structure, "L4");
    EXPECT_EQ(tree.pageSize, 2048);
    EXPECT_EQ(tree.totalPages, 1);
    EXPECT_EQ(tree.levels, 1);
    ASSERT_EQ(tree.leafEntries.size(), 4u);
    // attach_files hashes to a negative number and so comes first, although
    // it is the largest unsigned value.
    EXPECT_EQ(static_cast<uint32_t>(KeyAsSigned(tree.leafEntries[0])), qb::help::ContextHash("attach_files"));
    EXPECT_EQ(static_cast<uint32_t>(KeyAsSigned(tree.leafEntries[1])), qb::help::ContextHash("contents"));
    EXPECT_EQ(static_cast<uint32_t>(KeyAsSigned(tree.leafEntries[2])), qb::help::ContextHash("edit_question"));
    EXPECT_EQ(static_cast<uint32_t>(KeyAsSigned(tree.leafEntries[3])), qb::help::ContextHash("define_question"));
}

TEST(ContextTree, ManyPagesSortedAcrossPagesWithAnIndexPage) {
    const int count = 600;
    const std::string data = hlptest::InternalFileOf(ManyTopics(count), "|CONTEXT");
    const TreeView tree = ReadTree(data);  // also checks every index key against its child
    const int perLeaf = (2048 - 8) / 8;
    const int leaves = (count + perLeaf - 1) / perLeaf;
    EXPECT_EQ(tree.totalPages, leaves + 1);
    EXPECT_EQ(tree.levels, 2);
    EXPECT_EQ(tree.rootPage, leaves);
    EXPECT_EQ(tree.pageSplits, tree.totalPages - tree.levels);
    EXPECT_EQ(data.size(), qb::help::kBTreeHeaderSize + static_cast<size_t>(tree.totalPages) * 2048);
    ASSERT_EQ(tree.leafEntryCounts.size(), static_cast<size_t>(leaves));
    for (int page = 0; page + 1 < leaves; ++page) EXPECT_EQ(tree.leafEntryCounts[page], perLeaf) << "page " << page;
    EXPECT_EQ(tree.leafEntryCounts.back(), count - perLeaf * (leaves - 1));
    ASSERT_EQ(tree.leafEntries.size(), static_cast<size_t>(count));
    bool negative = false;
    bool positive = false;
    for (size_t i = 0; i < tree.leafEntries.size(); ++i) {
        const int32_t key = KeyAsSigned(tree.leafEntries[i]);
        negative = negative || key < 0;
        positive = positive || key > 0;
        if (i > 0) {
            EXPECT_LT(KeyAsSigned(tree.leafEntries[i - 1]), key) << "entry " << i;
        }
    }
    EXPECT_TRUE(negative && positive);
}

TEST(ContextTree, EveryTopicFoundTheWayTheViewerSearches) {
    const auto project = ManyTopics(600);
    const hlptest::HelpView view = hlptest::ReadHelpFile(qb::help::BuildHelpFile(project));
    ASSERT_EQ(view.topics.size(), project.topics.size());
    for (size_t t = 0; t < project.topics.size(); ++t) {
        uint32_t offset = 0;
        ASSERT_TRUE(
            hlptest::LookUpContext(view.files.at("|CONTEXT"), qb::help::ContextHash(project.topics[t].context), offset))
            << project.topics[t].context;
        EXPECT_EQ(offset, view.topics[t].offset) << project.topics[t].context;
    }
    uint32_t unused = 0;
    EXPECT_FALSE(hlptest::LookUpContext(view.files.at("|CONTEXT"), qb::help::ContextHash("no_such_topic"), unused));
}

std::vector<BTreeEntry> Numbered(int count) {
    std::vector<BTreeEntry> entries;
    for (int i = 0; i < count; ++i) {
        BTreeEntry entry;
        qb::help::PutI32(entry.key, i - count / 2);
        qb::help::PutU32(entry.data, static_cast<uint32_t>(i));
        entries.push_back(entry);
    }
    return entries;
}

TEST(BTree, ThreeLevelsWhenTheIndexOverflowsAPage) {
    const uint16_t pageSize = 64;
    const int count = 200;
    qb::help::BTreeShape shape;
    const std::string data = BuildBTree({0x0002, pageSize, "L4"}, Numbered(count), &shape);
    const int perLeaf = (pageSize - 8) / 8;                                 // 7 entries
    const int childrenPerIndex = (pageSize - 6) / 6 + 1;                    // 9 entries plus the first child
    const int leaves = (count + perLeaf - 1) / perLeaf;                     // 29
    const int middle = (leaves + childrenPerIndex - 1) / childrenPerIndex;  // 3
    const TreeView tree = ReadTree(data);
    EXPECT_EQ(tree.levels, 3);
    EXPECT_EQ(tree.totalPages, leaves + middle + 1);
    EXPECT_EQ(tree.rootPage, tree.totalPages - 1);
    EXPECT_EQ(shape.totalPages, tree.totalPages);
    ASSERT_EQ(shape.leafFirstEntry.size(), static_cast<size_t>(leaves));
    for (int page = 0; page < leaves; ++page) EXPECT_EQ(shape.leafFirstEntry[page], page * perLeaf);
    ASSERT_EQ(tree.leafEntries.size(), static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) EXPECT_EQ(KeyAsSigned(tree.leafEntries[i]), i - count / 2);
    uint32_t found = 0;
    for (int i = 0; i < count; ++i) {
        ASSERT_TRUE(hlptest::LookUpContext(data, static_cast<uint32_t>(i - count / 2), found)) << i;
        EXPECT_EQ(found, static_cast<uint32_t>(i));
    }
}

TEST(BTree, EmptyTreeIsOneEmptyLeaf) {
    const TreeView tree = ReadTree(BuildBTree({0x0002, 2048, "L4"}, {}));
    EXPECT_EQ(tree.totalPages, 1);
    EXPECT_EQ(tree.totalEntries, 0);
}

TEST(BTree, EntryLargerThanAPageRefused) {
    BTreeEntry entry;
    entry.key = std::string(100, 'k') + '\0';
    entry.data = "1234";
    EXPECT_THROW(BuildBTree({0x0002, 64, "z4"}, {entry}), std::length_error);
}

}  // namespace
