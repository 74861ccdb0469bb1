// The shipped help, built from docs/help and read back structurally.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "hlp_reader.h"
#include "test_projects.h"
#include "encoding/cp1252.h"
#include "tools/hlpc/context_hash.h"
#include "tools/hlpc/help_file.h"

namespace {

using qb::help::HelpProject;
using qb::help::ParagraphKind;

class ShippedHelp : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        project_ = new HelpProject(hlptest::LoadShippedProject());
        view_ = new hlptest::HelpView(hlptest::ReadHelpFile(qb::help::BuildHelpFile(*project_)));
    }
    static void TearDownTestSuite() {
        delete view_;
        delete project_;
    }

    static const hlptest::ReadTopic* TopicOfContext(const std::string& context) {
        uint32_t offset = 0;
        if (!hlptest::LookUpContext(view_->files.at("|CONTEXT"), qb::help::ContextHash(context), offset))
            return nullptr;
        return hlptest::TopicAt(*view_, offset);
    }

    static const qb::help::Topic* SourceTopic(const std::string& context) {
        for (const qb::help::Topic& topic : project_->topics) {
            if (topic.context == context) return &topic;
        }
        return nullptr;
    }

    static HelpProject* project_;
    static hlptest::HelpView* view_;
};

HelpProject* ShippedHelp::project_ = nullptr;
hlptest::HelpView* ShippedHelp::view_ = nullptr;

TEST_F(ShippedHelp, DirectoryHoldsEveryInternalFile) {
    std::set<std::string> names;
    for (const auto& [name, offset] : view_->directory) names.insert(name);
    EXPECT_EQ(names, (std::set<std::string>{"|CONTEXT", "|CTXOMAP", "|FONT", "|KWBTREE", "|KWDATA", "|KWMAP", "|SYSTEM",
                                            "|TOPIC", "|TTLBTREE"}));
}

TEST_F(ShippedHelp, SystemTitleAndContentsTopic) {
    EXPECT_EQ(view_->title, project_->title);
    EXPECT_EQ(view_->copyright, project_->copyright);
    ASSERT_TRUE(view_->hasContents);
    const hlptest::ReadTopic* contents = hlptest::TopicAt(*view_, view_->contentsOffset);
    ASSERT_NE(contents, nullptr);
    EXPECT_EQ(contents, TopicOfContext(project_->contentsContext));
    EXPECT_EQ(contents->title, SourceTopic(project_->contentsContext)->title);
}

std::string ExpectedText(const qb::help::Paragraph& paragraph) {
    const std::string text = qb::help::ParagraphText(paragraph);
    return paragraph.kind == ParagraphKind::Bullet ? "\x95 " + text : text;
}

TEST_F(ShippedHelp, EveryTopicTitleAndText) {
    ASSERT_EQ(view_->topics.size(), project_->topics.size());
    for (size_t t = 0; t < project_->topics.size(); ++t) {
        const qb::help::Topic& source = project_->topics[t];
        const hlptest::ReadTopic& read = view_->topics[t];
        EXPECT_EQ(read.title, source.title);
        ASSERT_EQ(read.paragraphs.size(), source.paragraphs.size() + 1) << source.context;
        EXPECT_EQ(read.paragraphs[0].text, source.title);
        EXPECT_EQ(read.paragraphs[0].font, 1);
        for (size_t p = 0; p < source.paragraphs.size(); ++p) {
            EXPECT_EQ(read.paragraphs[p + 1].text, ExpectedText(source.paragraphs[p]))
                << source.context << " paragraph " << p;
        }
    }
}

// A source line's text with the inline markup taken out, worked out apart from
// the generator's parser so that a character it loses or changes shows up:
// [text](context) keeps its text, and only "\\" and "\[" are escapes.
std::string WithoutInlineMarkup(const std::string& line) {
    std::string text;
    for (size_t at = 0; at < line.size(); ++at) {
        const size_t close = line[at] == '[' ? line.find("](", at) : std::string::npos;
        if (line[at] == '\\' && at + 1 < line.size() && (line[at + 1] == '\\' || line[at + 1] == '[')) {
            text += line[++at];
        } else if (close != std::string::npos) {
            text += line.substr(at + 1, close - at - 1);
            at = line.find(')', close);
        } else {
            text += line[at];
        }
    }
    return text;
}

// The title and the body paragraphs of a topic file as the reader shows them.
std::vector<std::string> SourceParagraphs(const std::string& utf8) {
    std::vector<std::string> paragraphs{""};
    std::istringstream lines(utf8);
    std::string line;
    while (std::getline(lines, line) && line != "" && line != "\r") {
        if (line.rfind("title: ", 0) == 0) paragraphs[0] = line.substr(7);
    }
    bool open = false;
    while (std::getline(lines, line)) {
        const size_t first = line.find_first_not_of(" \t\r");
        line = first == std::string::npos ? "" : line.substr(first, line.find_last_not_of(" \t\r") + 1 - first);
        const bool bullet = line.rfind("* ", 0) == 0;
        const bool subheading = line.rfind("## ", 0) == 0;
        if (line.empty() || bullet || subheading) open = false;
        if (line.empty()) continue;
        const std::string text = WithoutInlineMarkup(line.substr(subheading ? 3 : 0));
        if (open) {
            paragraphs.back() += " " + text;
        } else {
            paragraphs.push_back(bullet ? "\u2022 " + text.substr(2) : text);
        }
        open = !subheading;
    }
    for (std::string& paragraph : paragraphs) {
        std::string cp1252;
        size_t errorOffset = 0;
        EXPECT_TRUE(qb::Utf8ToCp1252(paragraph, cp1252, errorOffset)) << paragraph;
        paragraph = cp1252;
    }
    return paragraphs;
}

TEST_F(ShippedHelp, EveryTopicReadsBackAsItsSourceText) {
    ASSERT_EQ(view_->topics.size(), project_->topics.size());
    const std::string base = std::string(QB_HELP_SOURCE_DIR) + "/";
    for (size_t t = 0; t < project_->topics.size(); ++t) {
        const std::vector<std::string> expected =
            SourceParagraphs(hlptest::ReadRepositoryFile(base + project_->topics[t].source));
        const hlptest::ReadTopic& read = view_->topics[t];
        ASSERT_EQ(read.paragraphs.size(), expected.size()) << project_->topics[t].source;
        for (size_t p = 0; p < expected.size(); ++p) {
            EXPECT_EQ(read.paragraphs[p].text, expected[p]) << project_->topics[t].source << " paragraph " << p;
        }
    }
}

TEST_F(ShippedHelp, EveryLinkJumpsToItsTopic) {
    size_t links = 0;
    for (size_t t = 0; t < project_->topics.size(); ++t) {
        const qb::help::Topic& source = project_->topics[t];
        for (size_t p = 0; p < source.paragraphs.size(); ++p) {
            const auto& read = view_->topics[t].paragraphs[p + 1].links;
            std::vector<std::pair<std::string, uint32_t>> expected;
            for (const auto& run : source.paragraphs[p].runs) {
                if (!run.target.empty()) expected.emplace_back(run.text, qb::help::ContextHash(run.target));
            }
            ASSERT_EQ(read.size(), expected.size()) << source.context;
            for (size_t l = 0; l < read.size(); ++l) {
                EXPECT_EQ(read[l].text, expected[l].first);
                EXPECT_EQ(read[l].hash, expected[l].second);
                ++links;
            }
        }
    }
    EXPECT_GT(links, project_->topics.size());
    for (const qb::help::Topic& topic : project_->topics) {
        const hlptest::ReadTopic* target = TopicOfContext(topic.context);
        ASSERT_NE(target, nullptr) << topic.context;
        EXPECT_EQ(target->title, topic.title);
    }
}

TEST_F(ShippedHelp, ContentsLinksToEveryOtherTopic) {
    std::set<uint32_t> linked;
    for (const auto& paragraph : TopicOfContext(project_->contentsContext)->paragraphs) {
        for (const auto& link : paragraph.links) linked.insert(link.hash);
    }
    for (const qb::help::Topic& topic : project_->topics) {
        if (topic.context == project_->contentsContext) continue;
        EXPECT_TRUE(linked.count(qb::help::ContextHash(topic.context))) << topic.context;
    }
}

TEST_F(ShippedHelp, EveryKeywordNamesItsTopic) {
    size_t count = 0;
    for (const qb::help::Topic& topic : project_->topics) count += topic.keywords.size();
    ASSERT_EQ(view_->keywords.size(), count);
    for (const hlptest::ReadKeyword& keyword : view_->keywords) {
        ASSERT_EQ(keyword.count, 1) << keyword.text;
        const hlptest::ReadTopic* read = hlptest::TopicAt(*view_, keyword.offsets[0]);
        ASSERT_NE(read, nullptr) << keyword.text;
        bool declared = false;
        for (const qb::help::Topic& topic : project_->topics) {
            if (topic.title == read->title) {
                for (const std::string& k : topic.keywords) declared = declared || k == keyword.text;
            }
        }
        EXPECT_TRUE(declared) << keyword.text << " -> " << read->title;
    }
}

// The keywords the program's dialogs ask for, and those of the index a user types.
TEST_F(ShippedHelp, DialogKeywordsLeadToTheirTopics) {
    const std::pair<const char*, const char*> wanted[] = {
        {"Defining a new Question", "define_question"},
        {"Editing a Question", "edit_question"},
        {"Attaching Files", "attach_files"},
        {"miss", "learning"},
        {"undo", "learning"},
        {"keyboard", "learning"},
    };
    for (const auto& [keyword, context] : wanted) {
        const hlptest::ReadKeyword* found = nullptr;
        for (const auto& k : view_->keywords) {
            if (k.text == keyword) found = &k;
        }
        ASSERT_NE(found, nullptr) << keyword;
        ASSERT_EQ(found->offsets.size(), 1u);
        EXPECT_EQ(hlptest::TopicAt(*view_, found->offsets[0]), TopicOfContext(context)) << keyword;
    }
}

TEST_F(ShippedHelp, TitleTreeListsEveryTopic) {
    ASSERT_EQ(view_->titles.size(), view_->topics.size());
    for (size_t t = 0; t < view_->topics.size(); ++t) {
        EXPECT_EQ(view_->titles[t].first, view_->topics[t].offset);
        EXPECT_EQ(view_->titles[t].second, view_->topics[t].title);
    }
}

TEST_F(ShippedHelp, SameSourceSameBytes) {
    EXPECT_EQ(qb::help::BuildHelpFile(*project_), qb::help::BuildHelpFile(hlptest::LoadShippedProject()));
}

// The read-me ships beside the help file: Windows line ends, and it names
// the files a user finds in the program directory.
TEST(ReadMe, WindowsLineEndsAndTheProgramFiles) {
    const std::string text = hlptest::ReadRepositoryFile(QB_README_PATH);
    ASSERT_FALSE(text.empty());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at byte " << i;
        }
        if (text[i] == '\r') {
            ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at byte " << i;
        }
        ASSERT_LT(static_cast<unsigned char>(text[i]), 0x80) << "non-ASCII byte at " << i;
    }
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    for (const char* name :
         {"Quorbelind.exe", "Creator.exe", "Install.exe", "Uninstall.exe", "Quorbelind.hlp", "ReadMe.txt", "F1"}) {
        EXPECT_NE(text.find(name), std::string::npos) << name;
    }
}

}  // namespace
