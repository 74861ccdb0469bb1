#include <gtest/gtest.h>

#include "authoring/question_check.h"
#include "authoring/salvage_scan.h"
#include "document/document.h"
#include "tests/support/memory_files.h"
#include "tests/support/test_records.h"
#include "tests/support/bitmap_bytes.h"

namespace qb {
namespace {

using testing_support::BitmapFile;
using testing_support::MakeRecord;
using testing_support::MemoryFileSystem;
using testing_support::RecordBytes;

const std::string kMagic = std::string(kMagicLine) + "\r\n";
const std::string kRecordA = RecordBytes(MakeRecord("Alpha", "First?", "One"));
const std::string kRecordB = RecordBytes(MakeRecord("Beta", "Second?", "Two"));
const std::string kRecordC = RecordBytes(MakeRecord("Gamma", "Third?", "Three"));
const std::string kGarbage = "\x13\x37 garbage\r\n42\r\n";
// A header that reads, but whose question would run past the end of the file.
const std::string kPastTheEnd = "Late\r\n900\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\nq";

TestFileScan Scan(const std::string& bytes) {
    MemoryFileSystem files;
    files.SetContent("t.tvt", bytes);
    auto stream = files.Open("t.tvt", OpenMode::Read);
    TestFileScan scan;
    EXPECT_TRUE(ScanTestFile(*stream, scan));
    return scan;
}

// The parts as the sequence of the pieces they cover: "A" for a record, "~"
// for a damaged part, with the pieces' lengths checked against the offsets.
std::string Shape(const TestFileScan& scan, const std::vector<std::string>& pieces, size_t start) {
    std::string shape;
    size_t at = start;
    size_t piece = 0;
    for (const FilePart& part : scan.parts) {
        size_t length = 0;
        const size_t first = piece;
        while (piece < pieces.size() && length < static_cast<size_t>(part.end - part.start))
            length += pieces[piece++].size();
        EXPECT_EQ(part.start, static_cast<int64_t>(at)) << "part " << shape.size();
        EXPECT_EQ(part.end - part.start, static_cast<int64_t>(length)) << "part " << shape.size();
        at += length;
        shape += part.damaged ? "~" : pieces[first] == kRecordA ? "A" : pieces[first] == kRecordB ? "B" : "C";
    }
    return shape;
}

TEST(SalvageScan, FindsTheRecordsAroundDamage) {
    const struct {
        const char* what;
        std::vector<std::string> pieces;  // behind the magic line
        std::string shape;
    } cases[] = {
        {"intact, closing line", {kRecordA, kRecordB, "\r\n"}, "AB"},
        {"intact, no closing line", {kRecordA, kRecordB}, "AB"},
        {"damage at the start", {kGarbage, kRecordA, kRecordB, "\r\n"}, "~AB"},
        {"damage in the middle", {kRecordA, kGarbage, kRecordB, kRecordC, "\r\n"}, "A~BC"},
        {"several damaged parts", {kGarbage, kRecordA, kRecordB, kGarbage + kGarbage, kRecordC, "\r\n"}, "~AB~C"},
        {"the last record cut short", {kRecordA, kRecordB.substr(0, 30)}, "A~"},
        {"plausible but past the end", {kRecordA, kGarbage, kPastTheEnd}, "A~"},
        {"resumed record needs a follower", {kRecordA, kGarbage, kRecordB, kGarbage}, "A~"},
        {"a record cut short follows", {kRecordA, kGarbage, kRecordB, kRecordC.substr(0, kRecordC.size() - 2)}, "A~B~"},
        {"bytes behind the closing line", {kRecordA, "\r\n\r\n"}, "A~"},
    };
    for (const auto& c : cases) {
        std::string bytes = kMagic;
        for (const std::string& piece : c.pieces) bytes += piece;
        const TestFileScan scan = Scan(bytes);
        EXPECT_TRUE(scan.magicAccepted) << c.what;
        EXPECT_EQ(Shape(scan, c.pieces, kMagic.size()), c.shape) << c.what;
    }
}

// Loader, check and salvage read every ending of a test the same way: the
// closing line in any form, or cut short to its CR, or missing, leaves the
// test whole; one byte more is damage to all three.
TEST(ClosingLine, LoaderCheckAndSalvageAgree) {
    const struct {
        const char* ending;
        bool whole;
    } cases[] = {{"\r\n", true}, {"\n", true}, {"\r", true}, {"", true}, {"\r\n\r", false}, {"x", false}};
    for (const auto& c : cases) {
        const std::string bytes = kMagic + kRecordA + kRecordB + c.ending;
        MemoryFileSystem files;
        files.SetContent("t.tvt", bytes);
        TestDocument document;
        document.files = &files;
        document.testFile = files.Open("t.tvt", OpenMode::Read);
        document.testFilePath = "t.tvt";
        testing_support::MemoryList list;
        testing_support::MemoryReporter reporter;
        int32_t remaining = 0;
        EXPECT_EQ(LoadQuestionIndex(document, list, reporter, remaining), 2) << c.ending;
        EXPECT_EQ(document.damagedFile.empty(), c.whole) << "loader, ending \"" << c.ending << "\"";
        TestFileScan scan;
        const CheckReport report = CheckTestFile(files, *files.Open("t.tvt", OpenMode::Read), "t.tvt", scan);
        EXPECT_EQ(report.findings.empty(), c.whole) << "check, ending \"" << c.ending << "\"";
        EXPECT_EQ(Scan(bytes).damagedCount == 0, c.whole) << "salvage, ending \"" << c.ending << "\"";
    }
}

TEST(SalvageScan, DamagedFirstLineIsSearchedFromTheStart) {
    const TestFileScan scan = Scan("QBKX\x01\x02zz\r\n" + kRecordA + "\r\n");
    EXPECT_FALSE(scan.magicAccepted);
    EXPECT_EQ(Shape(scan, {"QBKX\x01\x02zz\r\n", kRecordA}, 0), "~A");
    EXPECT_TRUE(Scan("").magicAccepted);
    EXPECT_TRUE(Scan("").parts.empty());
}

// A header with a blank before a number is skipped; its slots then run into
// the next keyword line, which is where the search resumes.
TEST(SalvageScan, ResumesOnlyAtPlainRecords) {
    const std::string spaced = "Beta\r\n 7\r\n3\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";
    const std::string bytes = kMagic + kGarbage + spaced + "Second?Two" + kRecordC;
    const TestFileScan scan = Scan(bytes);
    EXPECT_EQ(Shape(scan, {kGarbage + spaced, "Second?Two" + kRecordC}, kMagic.size()), "~C");
    MemoryFileSystem files;
    files.SetContent("t.tvt", bytes);
    auto stream = files.Open("t.tvt", OpenMode::Read);
    QuestionRecord record;
    ASSERT_TRUE(ReadQuestionRecord(*stream, scan.parts.back().start, record));
    EXPECT_EQ(record.keyword, "Second?TwoGamma");
}

TEST(QuestionCheck, EachFinding) {
    MemoryFileSystem files;
    files.SetContent("/t/pic.bmp", BitmapFile(8, 8, 24));
    files.SetContent("/t/odd.bmp", BitmapFile(8, 8, 2));
    files.SetContent("/t/notes.txt", "notes");
    QuestionRecord attached = MakeRecord("Files", "q", "a");
    attached.slots[kSlotQuestionTextFile] = "*notes.txt";
    attached.slots[kSlotQuestionPictureFile] = "C:\\Moved\\pic.bmp";  // found beside the test
    attached.slots[kSlotAnswerTextFile] = "/elsewhere/gone.rtf";
    attached.slots[kSlotAnswerPictureFile] = "/t/odd.bmp";
    QuestionRecord answers = MakeRecord("Answers", "q", "a");
    answers.slots[kSlotWrongAnswer1] = "a";
    answers.slots[kSlotWrongAnswer1 + 1] = "b";
    answers.slots[kSlotWrongAnswer1 + 3] = "b";
    // Status lines with a miss count the writer never writes: read, and reported.
    auto statusLine = [](const std::string& keyword, const std::string& line) {
        return keyword + "\r\n1\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n" + line + "\r\nqa";
    };
    const std::string bytes = kMagic + RecordBytes(MakeRecord("Fine", "q", "a")) + RecordBytes(MakeRecord("", "", "")) +
                              RecordBytes(MakeRecord("Fine", "q", "a")) + RecordBytes(answers) + RecordBytes(attached) +
                              statusLine("Missed", "1 12") + statusLine("Abc", "1 abc") + statusLine("Minus", "0 -4") +
                              statusLine("Huge", "0 999999999999") + statusLine("Three", "0 3 7") +
                              std::string(21, 'L') + "\r\n" + kGarbage;
    files.SetContent("/t/x.tvt", bytes);
    auto stream = files.Open("/t/x.tvt", OpenMode::Read);
    TestFileScan scan;
    const CheckReport report = CheckTestFile(files, *stream, "/t/x.tvt", scan);
    EXPECT_EQ(scan.recordCount + scan.damagedCount, 11u);
    const int64_t damage = static_cast<int64_t>(bytes.find(std::string(21, 'L')));
    const std::vector<std::string> expected = {
        "2 : keyword empty",
        "2 : question empty",
        "2 : right answer empty",
        "3 Fine: keyword repeated (first at question 1)",
        "4 Answers: wrong answer 1 equals the right answer",
        "4 Answers: wrong answer 4 equals wrong answer 2",
        "5 Files: answer text file \"/elsewhere/gone.rtf\" missing",
        "5 Files: answer picture \"/t/odd.bmp\" is not a bitmap the picture pane can show",
        "7 Abc: miss count is not a number (read as 0)",
        "8 Minus: miss count is not a number (read as 0)",
        "9 Huge: miss count above 99999 (read as 99999)",
        "10 Three: status line holds more than the miss count",
        "11 " + std::string(21, 'L') + ": keyword longer than 20 characters",
        "11 " + std::string(21, 'L') + ": damaged record at byte " + std::to_string(damage) + ", " +
            std::to_string(bytes.size() - static_cast<size_t>(damage)) + " bytes follow",
    };
    std::vector<std::string> found;
    for (const Finding& f : report.findings)
        found.push_back(std::to_string(f.question) + " " + f.keyword + ": " + f.what);
    EXPECT_EQ(found, expected);
    EXPECT_EQ(report.questions, 10);
    EXPECT_EQ(DescribeFinding(report.findings[6]),
              "question 5 \"Files\": answer text file \"/elsewhere/gone.rtf\" missing");
}

// A "*" name lies in the program directory when one is given, as Creator's
// export looks for it; else beside the test.
TEST(QuestionCheck, StarNamesInTheProgramDirectory) {
    MemoryFileSystem files;
    files.SetContent("C:\\P\\stars.bmp", BitmapFile(8, 8, 24));
    QuestionRecord record = MakeRecord("Stars", "q", "a");
    record.slots[kSlotAnswerPictureFile] = "*stars.bmp";
    files.SetContent("/t/x.tvt", kMagic + RecordBytes(record));
    for (const std::string programDirectory : {"", "C:\\P"}) {
        auto stream = files.Open("/t/x.tvt", OpenMode::Read);
        TestFileScan scan;
        const CheckReport report = CheckTestFile(files, *stream, "/t/x.tvt", scan, Directory(programDirectory));
        EXPECT_EQ(report.findings.size(), programDirectory.empty() ? 1u : 0u) << programDirectory;
    }
}

// The open test's current questions: a record changed into the journal is
// checked there, and each finding names its question's key.
TEST(QuestionCheck, OpenTestWithItsJournal) {
    MemoryFileSystem files;
    QuestionRecord moon = MakeRecord("Moon", "Which?", "Luna");
    moon.slots[kSlotWrongAnswer1] = "Luna";
    files.SetContent("C:\\T\\sky.tvt", testing_support::TestFileBytes({MakeRecord("Sky", "q", "a"), moon}));
    TestDocument document;
    document.files = &files;
    testing_support::MemoryList list;
    testing_support::MemoryReporter reporter;
    int32_t remaining = 0;
    ASSERT_EQ(OpenTest(document, "C:\\T\\sky.tvt", "C:\\Q\\CHANGINGS.TMP", list, reporter, remaining),
              std::nullopt);
    QuestionRecord changed = MakeRecord("Sky", "q", "a");
    changed.slots[kSlotAnswerPictureFile] = "*gone.bmp";
    document.head->position = WriteQuestionRecord(*document.journalFile, changed);
    document.head->inJournal = true;
    const CheckReport report = CheckOpenTest(document, Directory("C:\\Q"));
    ASSERT_EQ(report.findings.size(), 2u);
    EXPECT_EQ(report.findings[0].key, 0);
    EXPECT_EQ(DescribeFinding(report.findings[0]), "question 1 \"Sky\": answer picture \"*gone.bmp\" missing");
    EXPECT_EQ(report.findings[1].key, 1);
    EXPECT_EQ(DescribeFinding(report.findings[1]), "question 2 \"Moon\": wrong answer 1 equals the right answer");
    EXPECT_EQ(report.questions, 2);
}

// Enough keywords for the keyword table to grow several times.
TEST(QuestionCheck, RepeatsAmongManyKeywords) {
    MemoryFileSystem files;
    std::string bytes = kMagic;
    for (int i = 0; i < 3000; ++i) bytes += RecordBytes(MakeRecord("k" + std::to_string(i), "q", "a"));
    bytes += RecordBytes(MakeRecord("k5", "q", "a")) + RecordBytes(MakeRecord("k2999", "q", "a"));
    files.SetContent("/t/many.tvt", bytes);
    auto stream = files.Open("/t/many.tvt", OpenMode::Read);
    TestFileScan scan;
    const CheckReport report = CheckTestFile(files, *stream, "/t/many.tvt", scan);
    ASSERT_EQ(report.findings.size(), 2u);
    EXPECT_EQ(report.findings[0].question, 3001);
    EXPECT_EQ(report.findings[0].what, "keyword repeated (first at question 6)");
    EXPECT_EQ(report.findings[1].what, "keyword repeated (first at question 3000)");
}

}  // namespace
}  // namespace qb
