#include <gtest/gtest.h>

#include <map>

#include "test_projects.h"
#include "tools/hlpc/help_source.h"

namespace {

using qb::help::HelpProject;
using qb::help::ParagraphKind;
using qb::help::ParseProject;
using qb::help::ParseTopic;
using qb::help::SourceError;
using qb::help::Topic;

// Expects a SourceError whose message contains the given text.
#define EXPECT_SOURCE_ERROR(statement, fragment)                                                    \
    do {                                                                                            \
        try {                                                                                       \
            statement;                                                                              \
            ADD_FAILURE() << "no SourceError";                                                      \
        } catch (const SourceError& error) {                                                        \
            EXPECT_NE(std::string(error.what()).find(fragment), std::string::npos) << error.what(); \
        }                                                                                           \
    } while (0)

TEST(TopicSource, HeaderAndParagraphs) {
    const Topic topic = ParseTopic("t.txt",
                                   "context: edit_question\r\n"
                                   "title: Editing a Question\r\n"
                                   "keyword: Editing a Question\r\n"
                                   "keyword: Changing\r\n"
                                   "\r\n"
                                   "First line\r\n"
                                   "  continues here.\r\n"
                                   "\r\n"
                                   "## Sub heading\r\n"
                                   "After it.\r\n");
    EXPECT_EQ(topic.context, "edit_question");
    EXPECT_EQ(topic.title, "Editing a Question");
    EXPECT_EQ(topic.keywords, (std::vector<std::string>{"Editing a Question", "Changing"}));
    ASSERT_EQ(topic.paragraphs.size(), 3u);
    EXPECT_EQ(qb::help::ParagraphText(topic.paragraphs[0]), "First line continues here.");
    EXPECT_EQ(topic.paragraphs[1].kind, ParagraphKind::Subheading);
    EXPECT_EQ(qb::help::ParagraphText(topic.paragraphs[1]), "Sub heading");
    EXPECT_EQ(topic.paragraphs[2].kind, ParagraphKind::Body);
    EXPECT_EQ(qb::help::ParagraphText(topic.paragraphs[2]), "After it.");
}

TEST(TopicSource, BulletsOnConsecutiveLines) {
    const Topic topic = ParseTopic("t.txt", "context: a\ntitle: A\n\nIntro:\n* one\n  more\n* two\n");
    ASSERT_EQ(topic.paragraphs.size(), 3u);
    EXPECT_EQ(topic.paragraphs[0].kind, ParagraphKind::Body);
    EXPECT_EQ(topic.paragraphs[1].kind, ParagraphKind::Bullet);
    EXPECT_EQ(qb::help::ParagraphText(topic.paragraphs[1]), "one more");
    EXPECT_EQ(qb::help::ParagraphText(topic.paragraphs[2]), "two");
}

TEST(TopicSource, LinksAndEscapes) {
    const Topic topic = ParseTopic(
        "t.txt", "context: a\ntitle: A\n\nSee [Attaching Files](attach_files). Not \\[a link](x) C:\\x\\\\.\n");
    ASSERT_EQ(topic.paragraphs.size(), 1u);
    const auto& runs = topic.paragraphs[0].runs;
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].text, "See ");
    EXPECT_EQ(runs[0].target, "");
    EXPECT_EQ(runs[1].text, "Attaching Files");
    EXPECT_EQ(runs[1].target, "attach_files");
    EXPECT_EQ(runs[2].text, ". Not [a link](x) C:\\x\\.");
    EXPECT_EQ(runs[2].target, "");
}

TEST(TopicSource, TextBecomesWindows1252) {
    const Topic topic = ParseTopic("t.txt",
                                   "context: a\ntitle: \xC3\x9C"
                                   "bung\n\nK\xC3\xA4se\n");
    EXPECT_EQ(topic.title,
              "\xDC"
              "bung");
    EXPECT_EQ(qb::help::ParagraphText(topic.paragraphs[0]), "K\xE4se");
}

TEST(TopicSource, FaultsNameFileAndLine) {
    EXPECT_SOURCE_ERROR(ParseTopic("t.txt", "title: A\n\ntext\n"), "t.txt:1: the topic has no \"context:\"");
    EXPECT_SOURCE_ERROR(ParseTopic("t.txt", "context: a\n\ntext\n"), "no \"title:\"");
    EXPECT_SOURCE_ERROR(ParseTopic("t.txt", "context: a b\n"), "t.txt:1: context name");
    EXPECT_SOURCE_ERROR(ParseTopic("t.txt", "context: a\ntitel: A\n"), "t.txt:2: unknown header");
    EXPECT_SOURCE_ERROR(ParseTopic("t.txt", "context: a\ntitle: A\n\nok\n\nsee [x](no such)\n"),
                        "t.txt:6: invalid link target");
    EXPECT_SOURCE_ERROR(ParseTopic("t.txt", "context: a\ntitle: A\n\n[open link\n"), "t.txt:4: unfinished link");
    EXPECT_SOURCE_ERROR(ParseTopic("t.txt", "context: a\ntitle: A\n\nan arrow \xE2\x86\x92\n"),
                        "t.txt:4: character not representable");
    EXPECT_SOURCE_ERROR(ParseTopic("t.txt", "context: a\ntitle: A\n\n"), "has no text");
}

HelpProject Project(const std::map<std::string, std::string>& files, const std::string& projectText) {
    return ParseProject("project.txt", projectText, [&](const std::string& name) {
        const auto found = files.find(name);
        if (found == files.end()) throw SourceError(name + ": missing");
        return found->second;
    });
}

TEST(ProjectSource, ReadsSettingsAndTopicsInOrder) {
    const HelpProject project = Project(
        {{"a.txt", "context: a\ntitle: A\n\nSee [B](b).\n"}, {"b.txt", "context: b\ntitle: B\n\nBack to [A](a).\n"}},
        "# comment\ntitle: Help Title\ncopyright: Someone\ncontents: a\ntopic: a.txt\ntopic: b.txt\n");
    EXPECT_EQ(project.title, "Help Title");
    EXPECT_EQ(project.copyright, "Someone");
    EXPECT_EQ(project.contentsContext, "a");
    ASSERT_EQ(project.topics.size(), 2u);
    EXPECT_EQ(project.topics[0].source, "a.txt");
    EXPECT_EQ(project.topics[1].context, "b");
}

TEST(ProjectSource, CrossTopicRulesRefused) {
    const std::string head = "title: T\ncontents: a\ntopic: a.txt\ntopic: b.txt\n";
    EXPECT_SOURCE_ERROR(
        Project({{"a.txt", "context: a\ntitle: A\n\nSee [C](c).\n"}, {"b.txt", "context: b\ntitle: B\n\nx\n"}}, head),
        "link to the missing topic \"c\"");
    EXPECT_SOURCE_ERROR(
        Project({{"a.txt", "context: a\ntitle: A\n\nx\n"}, {"b.txt", "context: a\ntitle: B\n\nx\n"}}, head),
        "same hash");
    EXPECT_SOURCE_ERROR(
        Project({{"a.txt", "context: M359HPEHGW\ntitle: A\n\nx\n"}, {"b.txt", "context: Y5VQEXZQVJ\ntitle: B\n\nx\n"}},
                "title: T\ncontents: M359HPEHGW\ntopic: a.txt\ntopic: b.txt\n"),
        "same hash");
    EXPECT_SOURCE_ERROR(Project({{"a.txt", "context: a\ntitle: A\nkeyword: Attaching Files\n\nx\n"},
                                 {"b.txt", "context: b\ntitle: B\nkeyword: attaching files\n\nx\n"}},
                                head),
                        "keyword \"attaching files\" already names topic \"a\"");
    EXPECT_SOURCE_ERROR(Project({{"a.txt", "context: a\ntitle: A\n\nx\n"}, {"b.txt", "context: b\ntitle: B\n\nx\n"}},
                                "title: T\ncontents: c\ntopic: a.txt\ntopic: b.txt\n"),
                        "contents topic \"c\" does not exist");
    EXPECT_SOURCE_ERROR(Project({{"a.txt", "context: a\ntitle: A\n\nx\n"}, {"b.txt", "context: b\ntitle: B\n\nx\n"}},
                                "title: T\ncontents: A\ntopic: a.txt\ntopic: b.txt\n"),
                        "contents topic \"A\" does not exist");
    EXPECT_SOURCE_ERROR(Project({}, "title: T\ncontents: a\n"), "no \"topic:\"");
}

}  // namespace
