#include <gtest/gtest.h>

#include <random>

#include "authoring/question_table.h"
#include "authoring/table_text.h"
#include "encoding/cp1252.h"
#include "tests/support/test_records.h"

namespace qb {
namespace {

using testing_support::MakeRecord;

TableOptions Separator(char separator) {
    TableOptions options;
    options.separator = separator;
    return options;
}

// UTF-16 bytes of ASCII and Latin-1 text given as UTF-8, with a byte order mark.
std::string Utf16(const std::string& utf8, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (size_t at = 0; at < utf8.size();) {
        uint32_t codePoint = 0;
        at += DecodeUtf8(utf8, at, codePoint);
        const char high = static_cast<char>(codePoint >> 8), low = static_cast<char>(codePoint & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

std::vector<std::string> Described(const std::vector<RowError>& errors) {
    std::vector<std::string> described;
    for (const RowError& error : errors) described.push_back(DescribeRowError(error));
    return described;
}

// Every row of text; false when the last quote is never closed, unclosedRow
// then being its row, counted from 1.
bool ParseTable(const std::string& text, char separator, std::vector<TableRow>& rows, size_t& unclosedRow) {
    rows.clear();
    TableReader reader(text, separator);
    TableRow row;
    while (reader.Next(row)) rows.push_back(row);
    if (reader.Unclosed()) unclosedRow = reader.RowsRead() + 1;
    return !reader.Unclosed();
}

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
        {"a;b,c", ';'},
        {"a\tb;c,d", '\t'},
        {"a,b", ','},
        {"\"x;y\",z", ','},
        {"abc\nd;e", ','},
        {"abc", ','},
        {"\"a\"\"\t\";b", ';'},
        // The rows agree on a count of columns: an unquoted separator in a cell does not lead.
        {"k,Is a;b?,y\nk,q,a", ','},
        {"k,a;b;c,y\nk,q;r;s,a", ';'},  // both split every row into 3: semicolon comes first
        {"\n\r\nk;q;a\nk;q;a", ';'},
        {"\"a\nb\";c;d\ne;f;g", ';'},
        {"k,q,a\nk,q,a,w\n", ','},  // rows of different lengths: the widest first row
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
        "Caf\xC3\xA9;\"Where is\r\nthe \xE2\x82\xAC?\";\"Here; there\";Nowhere;;;;;*pic.bmp;;\r\n;;\r\n");
    ASSERT_TRUE(table.errors.empty());
    ASSERT_EQ(table.records.size(), 1u);
    QuestionRecord expected = MakeRecord("Caf\xE9", "Where is\r\nthe \x80?", "Here; there");
    expected.slots[kSlotWrongAnswer1] = "Nowhere";
    expected.slots[kSlotQuestionPictureFile] = "*pic.bmp";
    EXPECT_EQ(table.records[0].keyword, expected.keyword);
    EXPECT_EQ(table.records[0].slots, expected.slots);
}

TEST(QuestionTableReader, NotUtf8IsReadAsWindows1252) {
    const QuestionTable table = ReadQuestionTable("Caf\xE9\tQu\x80?\tOui\n");
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
        {"k,\xE4\xB8\xAD,a", {"row 1, question: '\xE4\xB8\xAD' (U+4E2D) has no Windows-1252 form"}},
        {",,\nk,q,a", {}},
    };
    for (const auto& c : cases) {
        const QuestionTable table = ReadQuestionTable(c.row, Separator(','));
        EXPECT_EQ(Described(table.errors), c.errors) << c.row;
        EXPECT_EQ(table.records.size(), c.errors.empty() ? 1u : 0u) << c.row;
    }
    const QuestionTable two = ReadQuestionTable("keyword\nk,q,a\nk,q\n,q,a\n", Separator(','));
    ASSERT_EQ(two.errors.size(), 2u);
    EXPECT_EQ(DescribeRowError(two.errors[1]), "row 4, keyword: empty");
}

// Tables that were once garbled without a word, or refused with the wrong
// message: each row is the text the table gives now, as keyword, question and
// right answer of every question, or the errors.
TEST(QuestionTableReader, TablesThatMustNotGarble) {
    using Questions = std::vector<std::vector<std::string>>;
    const std::string cafe = "keyword\tquestion\tright answer\r\nCaf\xC3\xA9\tWo?\tParis";
    TableOptions header;
    header.header = HeaderChoice::Header;
    TableOptions utf16;
    utf16.encoding = EncodingChoice::Utf16;
    TableOptions cp1252;
    cp1252.encoding = EncodingChoice::Cp1252;
    struct Case {
        Case(const char* name, std::string bytes, Questions questions, std::vector<std::string> errors,
             TableOptions options = {})
            : name(name),
              bytes(std::move(bytes)),
              questions(std::move(questions)),
              errors(std::move(errors)),
              options(options) {}
        const char* name;
        std::string bytes;
        Questions questions;
        std::vector<std::string> errors;
        TableOptions options;
    };
    const Case cases[] = {
        {"mixed behind a UTF-8 mark",
         "\xEF\xBB\xBFkeyword;question;right answer\nCaf\xC3\xA9;Where?;Paris\nNa\xEFve;q;x\n",
         {{"Caf\xE9", "Where?", "Paris"}},
         {"row 3, keyword: the byte 0xEF is not UTF-8"}},
        {"mixed without a mark",
         "Caf\xC3\xA9;Where?;Paris\nNa\xEFve;q;x\n",
         {{"Caf\xE9", "Where?", "Paris"}},
         {"row 2, keyword: the byte 0xEF is not UTF-8, though other characters of the table are: it mixes two "
          "encodings"}},
        {"mixed, the UTF-8 behind",
         "Na\xEFve;q;\xE9t\xE9\nCaf\xC3\xA9;Where?;Paris\n",
         {{"Caf\xE9", "Where?", "Paris"}},
         {"row 1, keyword: the byte 0xEF is not UTF-8, though other characters of the table are: it mixes two "
          "encodings",
          "row 1, right answer: the byte 0xE9 is not UTF-8, though other characters of the table are: it mixes two "
          "encodings"}},
        {"UTF-16 LE with a last line end", Utf16(cafe + "\r\n", false), {{"Caf\xE9", "Wo?", "Paris"}}, {}},
        {"UTF-16 LE without one", Utf16(cafe, false), {{"Caf\xE9", "Wo?", "Paris"}}, {}},
        {"UTF-16 BE", Utf16(cafe, true), {{"Caf\xE9", "Wo?", "Paris"}}, {}},
        {"UTF-16 told, without a mark", Utf16(cafe, false).substr(2), {{"Caf\xE9", "Wo?", "Paris"}}, {}, utf16},
        {"UTF-16 with a lone surrogate",
         Utf16("k\tq\ta", false) + std::string("\x00\xD8", 2),
         {},
         {"row 1, right answer: holds a UTF-16 character cut in half"}},
        {"Windows-1252 told",
         "\xEF\xBB\xBF"
         "Caf\xC3\xA9,q,a",
         {{"Caf\xC3\xA9", "q", "a"}},
         {},
         cp1252},
        {"a semicolon in a comma table's first row",
         "k1,Is a;b?,yes\nk2,q,a\n",
         {{"k1", "Is a;b?", "yes"}, {"k2", "q", "a"}},
         {}},
        {"a leading empty line", "\r\nk;q;a\r\n", {{"k", "q", "a"}}, {}},
        {"NUL", std::string("k,q\0x,a", 7), {}, {"row 1, question: the control character U+0000 is not allowed"}},
        {"0x01 and 0x02",
         "k\x02,q,a\x01",
         {},
         {"row 1, keyword: the control character U+0002 is not allowed",
          "row 1, right answer: the control character U+0001 is not allowed"}},
        {"a combining accent",
         "Cafe\xCC\x81,Cre\xCC\x80me?,\xC3\xBC\xCC\x88",
         {},
         {"row 1, right answer: '\xCC\x88' (U+0308) has no Windows-1252 form"}},
        {"a combining accent on a letter that has it",
         "Cafe\xCC\x81,Cre\xCC\x80me?,S\xCC\x8C",
         {{"Caf\xE9", "Cr\xE8me?", "\x8A"}},
         {}},
        {"a character without a form, shown",
         "k,\xC5\x82,a",
         {},
         {"row 1, question: '\xC5\x82' (U+0142) has no Windows-1252 form"}},
        {"an empty table", "", {}, {"the table holds no questions"}},
        {"a byte order mark alone", "\xEF\xBB\xBF", {}, {"the table holds no questions"}},
        {"a header alone", "keyword;question;right answer\r\n", {}, {"the table holds no questions"}},
        {"a header named otherwise, told", "\nStichwort;Frage;Antwort\nk;q;a", {{"k", "q", "a"}}, {}, header},
    };
    for (const auto& c : cases) {
        const QuestionTable table = ReadQuestionTable(c.bytes, c.options);
        Questions questions;
        for (const QuestionRecord& record : table.records)
            questions.push_back({record.keyword, record.slots[kSlotQuestion], record.slots[kSlotRightAnswer]});
        EXPECT_EQ(questions, c.questions) << c.name;
        EXPECT_EQ(Described(table.errors), c.errors) << c.name;
    }
}

// The import dialog's preview: the layout, and the rows as they will be read.
TEST(ImportPreview, LayoutAndFirstRows) {
    const std::string bytes = "\r\nStichwort;Frage;Antwort\r\nCaf\xE9;\"a\r\nb\";c\r\n;;\r\nk;q;a;;;;;;;;;;x\r\n";
    const ImportPreview preview = PreviewQuestionTable(bytes, {});
    EXPECT_EQ(preview.layout.encoding, TableEncoding::Cp1252);
    EXPECT_EQ(preview.layout.separator, ';');
    EXPECT_FALSE(preview.layout.hasHeader);
    EXPECT_EQ(preview.layout.firstRow, 2u);
    EXPECT_EQ(preview.rowNumbers, (std::vector<size_t>{2, 3, 5}));
    ASSERT_EQ(preview.rows.size(), 3u);
    EXPECT_EQ(preview.rows[1], TableRow({"Caf\xC3\xA9", "a\r\nb", "c", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(preview.rows[2].size(), static_cast<size_t>(kTableColumnCount));
    TableOptions header;
    header.header = HeaderChoice::Header;
    EXPECT_EQ(PreviewQuestionTable(bytes, header).rowNumbers, (std::vector<size_t>{3, 5}));
    EXPECT_EQ(PreviewQuestionTable(bytes, header, 1).rows.size(), 1u);
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
        const QuestionTable back = ReadQuestionTable(WriteQuestionTable(records, separator));
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
