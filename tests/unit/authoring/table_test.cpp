#include <gtest/gtest.h>

#include <random>

#include "authoring/question_table.h"
#include "authoring/table_text.h"
#include "tests/support/test_records.h"

namespace qb {
namespace {

using testing_support::MakeRecord;

std::vector<TableRow> Parsed(const std::string& text, char separator) {
    std::vector<TableRow> rows;
    size_t unclosed = 0;
    EXPECT_TRUE(ParseTable(text, separator, rows, unclosed)) << text;
    return rows;
}

TEST(TableReader, CellsQuotesAndLineBreaks) {
    const struct {
        const char* text;
        std::vector<TableRow> rows;
    } cases[] = {
        {"a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}},
        {"a,b\nc,d", {{"a", "b"}, {"c", "d"}}},
        {"a\rb", {{"a"}, {"b"}}},
        {"\"a,b\",c", {{"a,b", "c"}}},
        {"\"say \"\"hi\"\"\",x", {{"say \"hi\"", "x"}}},
        {"\"one\ntwo\",x\r\n", {{"one\r\ntwo", "x"}}},
        {"\"one\r\ntwo\rthree\"", {{"one\r\ntwo\r\nthree"}}},
        {"a,,\n", {{"a", "", ""}}},
        {"\"\",a\"b\"", {{"", "a\"b\""}}},
        {"\n", {{""}}},
    };
    for (const auto& c : cases) EXPECT_EQ(Parsed(c.text, ','), c.rows) << c.text;
    std::vector<TableRow> rows;
    size_t unclosed = 0;
    EXPECT_FALSE(ParseTable("a\nb\n\"c,d\n", ',', rows, unclosed));
    EXPECT_EQ(unclosed, 3u);
}

TEST(TableReader, SeparatorIsWhatSplitsTheFirstRow) {
    const struct {
        const char* text;
        char separator;
    } cases[] = {
        {"a;b,c", ';'},    {"a\tb;c,d", '\t'}, {"a,b", ','},           {"\"x;y\",z", ','},
        {"abc\nd;e", ','}, {"abc", ','},       {"\"a\"\"\t\";b", ';'},
    };
    for (const auto& c : cases) EXPECT_EQ(DetectSeparator(c.text), c.separator) << c.text;
}

TEST(TableReader, KindByExtension) {
    EXPECT_EQ(TableKindOf("q.CSV"), TableKind::Csv);
    EXPECT_EQ(TableKindOf("dir.csv/q.tsv"), TableKind::Tab);
    EXPECT_EQ(TableKindOf("q.Txt"), TableKind::Tab);
    EXPECT_EQ(TableKindOf("q.xls"), TableKind::Unknown);
}

// A table as a spreadsheet saves it in a semicolon locale: a byte order
// mark, accents in UTF-8, a quoted cell over two lines, trailing separators.
TEST(QuestionTableReader, SpreadsheetTable) {
    const QuestionTable table = ReadQuestionTable(
        "\xEF\xBB\xBFKEYWORD;Question;Answer\r\n"
        "Caf\xC3\xA9;\"Where is\r\nthe \xE2\x82\xAC?\";\"Here; there\";Nowhere;;;;;*pic.bmp;;\r\n;;\r\n",
        0);
    ASSERT_TRUE(table.errors.empty());
    ASSERT_EQ(table.records.size(), 1u);
    QuestionRecord expected = MakeRecord("Caf\xE9", "Where is\r\nthe \x80?", "Here; there");
    expected.slots[kSlotWrongAnswer1] = "Nowhere";
    expected.slots[kSlotQuestionPictureFile] = "*pic.bmp";
    EXPECT_EQ(table.records[0].keyword, expected.keyword);
    EXPECT_EQ(table.records[0].slots, expected.slots);
}

TEST(QuestionTableReader, NotUtf8IsReadAsWindows1252) {
    const QuestionTable table = ReadQuestionTable("Caf\xE9\tQu\x80?\tOui\n", '\t');
    ASSERT_EQ(table.records.size(), 1u);
    EXPECT_EQ(table.records[0].keyword, "Caf\xE9");
    EXPECT_EQ(table.records[0].slots[kSlotQuestion], "Qu\x80?");
}

// Every error of every row, named by row and column; no records then.
TEST(QuestionTableReader, RowChecks) {
    const std::string name260(260, 'n');
    const struct {
        std::string row;
        std::vector<std::string> errors;
    } cases[] = {
        {"k,q,a", {}},
        {std::string(20, 'k') + ",q,a", {}},
        {"\xC3\xA9" + std::string(19, 'k') + ",q,a", {}},
        {",q,a", {"row 1, keyword: empty"}},
        {std::string(21, 'k') + ",q,a", {"row 1, keyword: longer than 20 characters"}},
        {"\"k\nk\",q,a", {"row 1, keyword: holds a line break"}},
        {"k,,a", {"row 1, question: empty"}},
        {"k,q", {"row 1, right answer: empty"}},
        {"k,q,a,,,,," + name260, {"row 1, question text file: longer than 259 characters"}},
        {"k,q,a,,,,,,,,\"x\ny\"", {"row 1, answer picture: holds a line break"}},
        {"k,q,a,,,,,,,,,,", {}},
        {"k,q,a,,,,,,,,,,x", {"row 1: more than 11 columns"}},
        {"k,\xE4\xB8\xAD,a", {"row 1, question: the character U+4E2D has no Windows-1252 form"}},
        {",,\nk,q,a", {}},
    };
    for (const auto& c : cases) {
        const QuestionTable table = ReadQuestionTable(c.row, ',');
        std::vector<std::string> errors;
        for (const RowError& error : table.errors) errors.push_back(DescribeRowError(error));
        EXPECT_EQ(errors, c.errors) << c.row;
        EXPECT_EQ(table.records.size(), c.errors.empty() ? 1u : 0u) << c.row;
    }
    const QuestionTable two = ReadQuestionTable("keyword\nk,q,a\nk,q\n,q,a\n", ',');
    ASSERT_EQ(two.errors.size(), 2u);
    EXPECT_EQ(DescribeRowError(two.errors[1]), "row 4, keyword: empty");
}

// Records as the question dialog makes them: texts whose line breaks are CR LF.
QuestionRecord RandomRecord(std::mt19937& random) {
    static const std::string pieces[] = {"a",    "Z",    " ",    ",",    ";",       "\t", "\"", "\r\n",
                                         "\xE9", "\x80", "\x81", "\xFF", "keyword", "0",  "*",  "\\"};
    const auto text = [&](size_t most, bool lineBreaks) {
        std::string out;
        const size_t length = random() % (most + 1);
        while (out.size() < length) {
            const std::string& piece = pieces[random() % (sizeof pieces / sizeof pieces[0])];
            if ((!lineBreaks && piece == "\r\n") || out.size() + piece.size() > most) continue;
            out += piece;
        }
        return out;
    };
    QuestionRecord record;
    do record.keyword = text(kMaxKeywordLength, false);
    while (record.keyword.empty());
    for (int k = 0; k < kSlotCount; ++k)
        record.slots[k] = k < kFirstFileSlot ? text(40, true) : text(random() % 2 ? kMaxPathLength : 12, false);
    if (record.slots[kSlotQuestion].empty()) record.slots[kSlotQuestion] = "q";
    if (record.slots[kSlotRightAnswer].empty()) record.slots[kSlotRightAnswer] = "\r\n";
    return record;
}

TEST(QuestionTableRoundTrip, RandomRecordsComeBackAlike) {
    std::mt19937 random(20261208);
    for (char separator : {',', '\t'}) {
        std::vector<QuestionRecord> records;
        for (int i = 0; i < 300; ++i) records.push_back(RandomRecord(random));
        const QuestionTable back = ReadQuestionTable(WriteQuestionTable(records, separator), 0);
        ASSERT_TRUE(back.errors.empty()) << DescribeRowError(back.errors[0]);
        ASSERT_EQ(back.records.size(), records.size());
        for (size_t i = 0; i < records.size(); ++i) {
            EXPECT_EQ(back.records[i].keyword, records[i].keyword) << i;
            EXPECT_EQ(back.records[i].slots, records[i].slots) << i;
        }
    }
}

}  // namespace
}  // namespace qb
