#include "creator/export.h"

#include "creator/check_summary.h"

#include "tests/support/memory_files.h"
#include "tests/support/test_records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace qb::creator {
namespace {

using testing_support::MakeRecord;
using testing_support::MemoryFileSystem;
using testing_support::StoredRecordBytes;
using testing_support::TestFileBytes;

const char kProgramDir[] = "C:\\Q";
const char kDestination[] = "C:\\Q\\Dist";
const char kTestPath[] = "C:\\Tests\\Biology.tvt";
const char kOutput[] = "C:\\Q\\Dist\\T0000001";
const char kList[] = "C:\\Q\\Dist\\TEST.LST";

// Copies inside the in-memory files; fails for a missing source or an existing destination.
class MemoryCopier final : public FileCopier {
public:
    explicit MemoryCopier(MemoryFileSystem& files) : files_(files) {}
    bool CopyNew(const std::string& source, const std::string& destination) override {
        calls.emplace_back(source, destination);
        if (!files_.Exists(source) || files_.Exists(destination)) return false;
        files_.SetContent(destination, files_.Content(source));
        return true;
    }
    std::vector<std::pair<std::string, std::string>> calls;

private:
    MemoryFileSystem& files_;
};

class RecordingReporter final : public ExportReporter {
public:
    void Report(ExportProblem problem, const std::string& text) override { problems.emplace_back(problem, text); }
    void ListGrew(const std::string& listText) override { lists.push_back(listText); }
    std::vector<std::pair<ExportProblem, std::string>> problems;
    std::vector<std::string> lists;
};

// The question every test starts from; its slots are written as stored.
QuestionRecord CellRecord() {
    return MakeRecord("Cells", "What is a cell?", "A unit");
}

// File slot k of the four: question text, question picture, answer text, answer picture.
std::string& Name(QuestionRecord& record, int k) {
    return record.slots[kFirstFileSlot + k];
}

void SetNames(QuestionRecord& record, const std::array<std::string, kFileSlotCount>& names) {
    for (int k = 0; k < kFileSlotCount; ++k) Name(record, k) = names[k];
}

void SetTexts(QuestionRecord& record, const std::array<std::string, kFirstFileSlot>& texts) {
    for (int k = 0; k < kFirstFileSlot; ++k) record.slots[k] = texts[k];
}

std::string TestFile(const std::vector<QuestionRecord>& records) {
    return TestFileBytes(records, StoredRecordBytes);
}

class TestExportTest : public ::testing::Test {
protected:
    TestExportTest() {
        for (const char* name :
             {"Quorbelind.exe", "Quorbelind.hlp", "Uninstall.exe", "ReadMe.txt", "Creator.exe", "Install.exe"}) {
            files.SetContent(std::string(kProgramDir) + "\\" + name, std::string("contents of ") + name);
        }
    }

    // Opens and runs the export of the test file holding bytes.
    bool Export(const std::string& bytes) {
        files.SetContent(kTestPath, bytes);
        return ExportAsIs();
    }

    bool ExportAsIs() {
        TestExport exporter({Directory(kProgramDir), "Quorbelind", kTestPath, Directory(kDestination)}, files, copier,
                            reporter);
        if (!exporter.Open()) {
            opened = false;
            return false;
        }
        bool ok = exporter.Run();
        listText = exporter.ListText();
        return ok;
    }

    std::string File(const std::string& path) { return files.Exists(path) ? files.Content(path) : "<missing>"; }

    std::vector<std::pair<std::string, std::string>> AttachmentCopies() const {
        return {copier.calls.begin() + 6, copier.calls.end()};
    }

    MemoryFileSystem files;
    MemoryCopier copier{files};
    RecordingReporter reporter;
    std::string listText;
    bool opened = true;
};

TEST_F(TestExportTest, TestWithoutAttachmentsGivesOneListLineAndOnlyT0000001) {
    ASSERT_TRUE(Export(TestFile({CellRecord()})));
    EXPECT_EQ(File(kOutput),
              "QBKX0101A\r\n"
              "Cells\r\n15\r\n6\r\n0\r\n0\r\n0\r\n0\r\n"
              "0\r\n0\r\n0\r\n0\r\n0\r\n"
              "What is a cell?A unit"
              "\r\n");
    EXPECT_EQ(File(kList), "Biology.tvt\r\n");
    EXPECT_EQ(listText, "Biology.tvt");
    EXPECT_TRUE(reporter.problems.empty());
    EXPECT_TRUE(reporter.lists.empty());
    EXPECT_TRUE(AttachmentCopies().empty());
    EXPECT_EQ(File("C:\\Q\\Dist\\T0000002"), "<missing>");
    EXPECT_EQ(files.OpenStreamCount(), 0);
}

TEST_F(TestExportTest, ProgramFilesAreCopiedFirstInTableOrder) {
    ASSERT_TRUE(Export(TestFile({})));
    ASSERT_GE(copier.calls.size(), 6u);
    EXPECT_EQ(copier.calls[0], std::make_pair(std::string("C:\\Q\\Quorbelind.exe"), std::string("C:\\Q\\Dist\\D01")));
    EXPECT_EQ(copier.calls[5],
              std::make_pair(std::string("C:\\Q\\Install.exe"), std::string("C:\\Q\\Dist\\Install.exe")));
    EXPECT_EQ(File("C:\\Q\\Dist\\D03"), "contents of Uninstall.exe");
    EXPECT_EQ(File("C:\\Q\\Dist\\D05"), "contents of Creator.exe");
    EXPECT_EQ(File("C:\\Q\\Dist\\Quorbelind.hlp"), "contents of Quorbelind.hlp");
    EXPECT_EQ(File("C:\\Q\\Dist\\ReadMe.txt"), "contents of ReadMe.txt");
}

TEST_F(TestExportTest, MagicLineAloneGivesT0000001WithThatLineAlone) {
    ASSERT_TRUE(Export("QBKX0101A\r\n"));
    EXPECT_EQ(File(kOutput), "QBKX0101A\r\n");
    EXPECT_EQ(File(kList), "Biology.tvt\r\n");
    EXPECT_EQ(copier.calls.size(), 6u);
}

TEST_F(TestExportTest, FullPathBecomesStarBaseNameWithLengthPlusOne) {
    QuestionRecord record = CellRecord();
    Name(record, 1) = "C:\\Tests\\Cell.bmp";
    files.SetContent("C:\\Tests\\Cell.bmp", std::string("BM\x00\x01\r\n\x1a", 7));
    ASSERT_TRUE(Export(TestFile({record})));
    EXPECT_EQ(File(kOutput),
              "QBKX0101A\r\n"
              "Cells\r\n15\r\n6\r\n0\r\n0\r\n0\r\n0\r\n"
              "0\r\n9\r\n0\r\n0\r\n0\r\n"
              "What is a cell?A unit*Cell.bmp"
              "\r\n");
    EXPECT_EQ(File("C:\\Q\\Dist\\T0000002"), std::string("BM\x00\x01\r\n\x1a", 7));
    EXPECT_EQ(File(kList), "Biology.tvt\r\nCell.bmp\r\n");
    EXPECT_EQ(listText, "Biology.tvt\r\nCell.bmp");
    EXPECT_EQ(reporter.lists, std::vector<std::string>{"Biology.tvt\r\nCell.bmp"});
}

TEST_F(TestExportTest, StoredNameWithoutBackslashIsItsOwnBaseAndSource) {
    QuestionRecord record = CellRecord();
    Name(record, 0) = "notes.txt";
    files.SetContent("notes.txt", "plain notes");
    ASSERT_TRUE(Export(TestFile({record})));
    ASSERT_EQ(AttachmentCopies().size(), 1u);
    EXPECT_EQ(AttachmentCopies()[0].first, "notes.txt");
    EXPECT_EQ(AttachmentCopies()[0].second, "C:\\Q\\Dist\\T0000002");
    EXPECT_EQ(File(kList), "Biology.tvt\r\nnotes.txt\r\n");
    EXPECT_NE(File(kOutput).find("10\r\n0\r\n0\r\n0\r\n0\r\nWhat is a cell?A unit*notes.txt\r\n"), std::string::npos);
}

TEST_F(TestExportTest, InstalledTestTakesSourcesFromProgramDirectoryAndKeepsNames) {
    QuestionRecord first = CellRecord();
    SetNames(first, {"*intro.rtf", "*Cell.bmp", "", "*answer.txt"});
    QuestionRecord second = CellRecord();
    second.keyword = "Nucleus";
    SetTexts(second, {"Where is the DNA?", "In the nucleus", "In the wall", "", "Nowhere", ""});
    SetNames(second, {"", "", "", "*Cell.bmp"});
    files.SetContent("C:\\Q\\intro.rtf", "{\\rtf1 intro}");
    files.SetContent("C:\\Q\\Cell.bmp", "BMcell");
    files.SetContent("C:\\Q\\answer.txt", "answer");
    std::string source = TestFile({first, second});
    ASSERT_TRUE(Export(source));
    EXPECT_EQ(File(kOutput), source);
    std::vector<std::pair<std::string, std::string>> expected = {
        {"C:\\Q\\intro.rtf", "C:\\Q\\Dist\\T0000002"},
        {"C:\\Q\\Cell.bmp", "C:\\Q\\Dist\\T0000003"},
        {"C:\\Q\\answer.txt", "C:\\Q\\Dist\\T0000004"},
        {"C:\\Q\\Cell.bmp", "C:\\Q\\Dist\\T0000005"},
    };
    EXPECT_EQ(AttachmentCopies(), expected);
    EXPECT_EQ(File(kList), "Biology.tvt\r\nintro.rtf\r\nCell.bmp\r\nanswer.txt\r\nCell.bmp\r\n");
}

// A shipped test starts fresh: "0", without the miss count.
TEST_F(TestExportTest, AnsweredStatusesAndMissesAreExportedAsZero) {
    QuestionRecord answered = CellRecord();
    answered.status = 1;
    answered.misses = 12;
    QuestionRecord other = CellRecord();
    other.keyword = "Other";
    other.status = 7;
    ASSERT_TRUE(Export(TestFile({answered, other})));
    QuestionRecord unanswered = answered;
    unanswered.status = 0;
    unanswered.misses = 0;
    QuestionRecord otherUnanswered = other;
    otherUnanswered.status = 0;
    EXPECT_EQ(File(kOutput), TestFile({unanswered, otherUnanswered}));
}

TEST_F(TestExportTest, FileAttachedToTwoQuestionsIsCopiedTwiceAndListedTwice) {
    QuestionRecord first = CellRecord();
    Name(first, 1) = "C:\\Pics\\Cell.bmp";
    QuestionRecord second = CellRecord();
    second.keyword = "Again";
    Name(second, 3) = "C:\\Pics\\Cell.bmp";
    files.SetContent("C:\\Pics\\Cell.bmp", "BMpixels");
    ASSERT_TRUE(Export(TestFile({first, second})));
    EXPECT_EQ(File("C:\\Q\\Dist\\T0000002"), "BMpixels");
    EXPECT_EQ(File("C:\\Q\\Dist\\T0000003"), "BMpixels");
    EXPECT_EQ(File(kList), "Biology.tvt\r\nCell.bmp\r\nCell.bmp\r\n");
    EXPECT_EQ(reporter.lists,
              (std::vector<std::string>{"Biology.tvt\r\nCell.bmp", "Biology.tvt\r\nCell.bmp\r\nCell.bmp"}));
}

TEST_F(TestExportTest, AttachmentsAreNumberedInSlotOrderRecordByRecord) {
    QuestionRecord first = CellRecord();
    SetNames(first, {"C:\\a\\qtext.rtf", "C:\\a\\qpic.bmp", "C:\\a\\atext.txt", "C:\\a\\apic.bmp"});
    QuestionRecord second = CellRecord();
    second.keyword = "Second";
    SetNames(second, {"", "C:\\b\\only.bmp", "", ""});
    for (const char* path :
         {"C:\\a\\qtext.rtf", "C:\\a\\qpic.bmp", "C:\\a\\atext.txt", "C:\\a\\apic.bmp", "C:\\b\\only.bmp"})
        files.SetContent(path, std::string("data of ") + path);
    ASSERT_TRUE(Export(TestFile({first, second})));
    EXPECT_EQ(File("C:\\Q\\Dist\\T0000002"), "data of C:\\a\\qtext.rtf");
    EXPECT_EQ(File("C:\\Q\\Dist\\T0000003"), "data of C:\\a\\qpic.bmp");
    EXPECT_EQ(File("C:\\Q\\Dist\\T0000004"), "data of C:\\a\\atext.txt");
    EXPECT_EQ(File("C:\\Q\\Dist\\T0000005"), "data of C:\\a\\apic.bmp");
    EXPECT_EQ(File("C:\\Q\\Dist\\T0000006"), "data of C:\\b\\only.bmp");
    EXPECT_EQ(File(kList), "Biology.tvt\r\nqtext.rtf\r\nqpic.bmp\r\natext.txt\r\napic.bmp\r\nonly.bmp\r\n");
    EXPECT_NE(File(kOutput).find("10\r\n9\r\n10\r\n9\r\n0\r\n"), std::string::npos);
    EXPECT_NE(File(kOutput).find("*qtext.rtf*qpic.bmp*atext.txt*apic.bmp"), std::string::npos);
}

TEST_F(TestExportTest, TextBlockIsCopiedByteForByte) {
    QuestionRecord record = CellRecord();
    SetTexts(record, {std::string("line\x02\x01two\x00", 10), "right", "", std::string("\r\n\x1a", 3), "", "w4"});
    std::string source = TestFile({record});
    ASSERT_TRUE(Export(source));
    EXPECT_EQ(File(kOutput), source);
}

TEST_F(TestExportTest, MissingAttachmentUsesUpItsNumberAndIsReportedByStoredName) {
    QuestionRecord record = CellRecord();
    SetNames(record, {"*gone.rtf", "C:\\Pics\\Cell.bmp", "", ""});
    files.SetContent("C:\\Pics\\Cell.bmp", "BMpixels");
    EXPECT_FALSE(Export(TestFile({record})));
    ASSERT_EQ(reporter.problems.size(), 1u);
    EXPECT_EQ(reporter.problems[0].first, ExportProblem::AttachmentNotCopied);
    EXPECT_EQ(reporter.problems[0].second, "*gone.rtf");
    EXPECT_EQ(File("C:\\Q\\Dist\\T0000002"), "<missing>");
    EXPECT_EQ(File("C:\\Q\\Dist\\T0000003"), "BMpixels");
    EXPECT_EQ(File(kList), "Biology.tvt\r\nCell.bmp\r\n");
    // The exported test still names both files.
    EXPECT_NE(File(kOutput).find("*gone.rtf*Cell.bmp"), std::string::npos);
}

TEST_F(TestExportTest, MovedTestFindsItsAttachmentsBesideItAndKeepsTheirNames) {
    QuestionRecord record = CellRecord();
    SetNames(record, {"C:\\Old\\intro.rtf", "*Cell.bmp", "", "C:\\Pics\\here.bmp"});
    files.SetContent("C:\\Tests\\intro.rtf", "{\\rtf1 intro}");
    files.SetContent("C:\\Tests\\Cell.bmp", "BMcell");
    files.SetContent("C:\\Pics\\here.bmp", "BMhere");
    files.SetContent("C:\\Tests\\here.bmp", "BMbeside");
    ASSERT_TRUE(Export(TestFile({record})));
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"C:\\Tests\\intro.rtf", "C:\\Q\\Dist\\T0000002"},
        {"C:\\Tests\\Cell.bmp", "C:\\Q\\Dist\\T0000003"},
        {"C:\\Pics\\here.bmp", "C:\\Q\\Dist\\T0000004"},
    };
    EXPECT_EQ(AttachmentCopies(), expected);
    EXPECT_EQ(File(kList), "Biology.tvt\r\nintro.rtf\r\nCell.bmp\r\nhere.bmp\r\n");
    EXPECT_NE(File(kOutput).find("*intro.rtf*Cell.bmp*here.bmp"), std::string::npos);
}

TEST_F(TestExportTest, EarlierExportMakesEveryCopyFailButRewritesListAndTest) {
    QuestionRecord record = CellRecord();
    Name(record, 1) = "C:\\Pics\\Cell.bmp";
    files.SetContent("C:\\Pics\\Cell.bmp", "BMpixels");
    ASSERT_TRUE(Export(TestFile({record})));
    files.SetContent(kList, files.Content(kList) + "stale");
    files.SetContent(kOutput, files.Content(kOutput) + "stale");
    reporter.problems.clear();

    EXPECT_FALSE(ExportAsIs());
    std::vector<std::pair<ExportProblem, std::string>> expected = {
        {ExportProblem::ProgramFileNotCopied, "C:\\Q\\Quorbelind.exe"},
        {ExportProblem::ProgramFileNotCopied, "C:\\Q\\Quorbelind.hlp"},
        {ExportProblem::ProgramFileNotCopied, "C:\\Q\\Uninstall.exe"},
        {ExportProblem::ProgramFileNotCopied, "C:\\Q\\ReadMe.txt"},
        {ExportProblem::ProgramFileNotCopied, "C:\\Q\\Creator.exe"},
        {ExportProblem::ProgramFileNotCopied, "C:\\Q\\Install.exe"},
        {ExportProblem::AttachmentNotCopied, "C:\\Pics\\Cell.bmp"},
    };
    EXPECT_EQ(reporter.problems, expected);
    EXPECT_EQ(File(kList), "Biology.tvt\r\n");
    EXPECT_EQ(File(kOutput).find("stale"), std::string::npos);
}

TEST_F(TestExportTest, MissingProgramFileIsReportedAndTheTestIsExportedAllTheSame) {
    files.Remove("C:\\Q\\Quorbelind.hlp");
    QuestionRecord record = CellRecord();
    Name(record, 0) = "C:\\t\\a.rtf";
    files.SetContent("C:\\t\\a.rtf", "{\\rtf1}");
    EXPECT_FALSE(Export(TestFile({record})));
    ASSERT_EQ(reporter.problems.size(), 1u);
    EXPECT_EQ(reporter.problems[0],
              std::make_pair(ExportProblem::ProgramFileNotCopied, std::string("C:\\Q\\Quorbelind.hlp")));
    EXPECT_EQ(File("C:\\Q\\Dist\\T0000002"), "{\\rtf1}");
    EXPECT_EQ(File("C:\\Q\\Dist\\D05"), "contents of Creator.exe");
}

TEST_F(TestExportTest, ListFileThatCannotBeCreatedEndsBeforeAnythingIsCopied) {
    files.Faults(kList).refuseOpen = true;
    EXPECT_FALSE(Export(TestFile({CellRecord()})));
    EXPECT_FALSE(opened);
    ASSERT_EQ(reporter.problems.size(), 1u);
    EXPECT_EQ(reporter.problems[0], std::make_pair(ExportProblem::ListFileNotCreated, std::string(kList)));
    EXPECT_TRUE(copier.calls.empty());
    EXPECT_EQ(files.OpenStreamCount(), 0);
}

TEST_F(TestExportTest, T0000001ThatCannotBeCreatedEndsTheExport) {
    files.Faults(kOutput).refuseOpen = true;
    EXPECT_FALSE(Export(TestFile({CellRecord()})));
    ASSERT_EQ(reporter.problems.size(), 1u);
    EXPECT_EQ(reporter.problems[0], std::make_pair(ExportProblem::TestFileNotCreated, std::string(kOutput)));
    EXPECT_EQ(File(kList), "Biology.tvt\r\n");
    EXPECT_EQ(files.OpenStreamCount(), 0);
}

TEST_F(TestExportTest, TestThatCannotBeOpenedEndsTheExport) {
    EXPECT_FALSE(ExportAsIs());
    ASSERT_EQ(reporter.problems.size(), 1u);
    EXPECT_EQ(reporter.problems[0], std::make_pair(ExportProblem::TestNotOpened, std::string(kTestPath)));
    EXPECT_EQ(File(kOutput), "");
    EXPECT_EQ(files.OpenStreamCount(), 0);
}

TEST_F(TestExportTest, EmptyTestFileEndsAsFaultyWithFilesClosed) {
    EXPECT_FALSE(Export(""));
    EXPECT_TRUE(reporter.problems.empty());
    EXPECT_EQ(File(kOutput), "");
    EXPECT_EQ(File(kList), "Biology.tvt\r\n");
    EXPECT_EQ(files.OpenStreamCount(), 0);
}

TEST_F(TestExportTest, StoredNameEndingBeforeItsLengthEndsAsFaulty) {
    QuestionRecord good = CellRecord();
    Name(good, 0) = "C:\\t\\a.rtf";
    files.SetContent("C:\\t\\a.rtf", "{\\rtf1}");
    QuestionRecord cut = CellRecord();
    cut.keyword = "Cut";
    Name(cut, 1) = "C:\\t\\b.bmp";
    files.SetContent("C:\\t\\b.bmp", "BM");
    std::string bytes = TestFile({good, cut});
    bytes.resize(bytes.size() - 2 - 4);  // the closing line end and the end of the name
    EXPECT_FALSE(Export(bytes));
    // The first record is complete; nothing of the cut record's names is copied.
    EXPECT_EQ(File("C:\\Q\\Dist\\T0000002"), "{\\rtf1}");
    EXPECT_EQ(File("C:\\Q\\Dist\\T0000003"), "<missing>");
    EXPECT_EQ(AttachmentCopies().size(), 1u);
    EXPECT_EQ(File(kList), "Biology.tvt\r\na.rtf\r\n");
    EXPECT_EQ(File(kOutput).find("*b.bmp"), std::string::npos);
    EXPECT_NE(File(kOutput).find("*a.rtf"), std::string::npos);
    EXPECT_EQ(files.OpenStreamCount(), 0);
}

TEST_F(TestExportTest, TextBlockEndingEarlyEndsAsFaulty) {
    std::string bytes = TestFile({CellRecord()});
    bytes.resize(bytes.size() - 2 - 3);
    EXPECT_FALSE(Export(bytes));
    EXPECT_EQ(files.OpenStreamCount(), 0);
}

// The exported test begins with the source's first line and ends as the
// source ends: with the closing line where the loader reads one (a lone CR
// included), without one where it is missing, and with whatever of a header
// the source ends inside.
TEST_F(TestExportTest, SourceEndingIsCopiedAsTheLoaderReadsIt) {
    const std::string magic = "QBKX0101A\r\n";
    std::string record = TestFile({CellRecord()});
    record = record.substr(magic.size(), record.size() - magic.size() - 2);
    const struct {
        std::string source, exported;
    } cases[] = {
        {magic + record + "\r\n", magic + record + "\r\n"},
        {magic + record + "\n", magic + record + "\r\n"},
        {magic + record + "\r", magic + record + "\r\n"},
        {magic + record, magic + record},
        {magic + "\r\n", magic + "\r\n"},
        {magic + "\r", magic + "\r\n"},
        {"QBKX0101A\n" + record + "\n", magic + record + "\r\n"},
        {"QBKX0101A", "QBKX0101A"},
        {magic + record + "\r\n\r", magic + record + "\r\n\r"},
        {magic + record + "\r\nx", magic + record + "\r\nx"},
        {magic + record + "Half\r\n3\r\n4\r\n", magic + record + "Half\r\n3\r\n4\r\n"},
    };
    for (const auto& c : cases) {
        for (const std::string& name : files.Names())
            if (name.rfind(kDestination, 0) == 0) files.Remove(name);
        EXPECT_TRUE(Export(c.source)) << testing::PrintToString(c.source);
        EXPECT_EQ(File(kOutput), c.exported) << testing::PrintToString(c.source);
    }
}

TEST_F(TestExportTest, NegativeTextLengthEndsAsFaulty) {
    std::string bytes = "QBKX0101A\r\nBad\r\n-4\r\n4\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\nabcd\r\n";
    EXPECT_FALSE(Export(bytes));
    EXPECT_EQ(files.OpenStreamCount(), 0);
}

TEST_F(TestExportTest, HugeClaimedLengthDoesNotExhaustMemory) {
    std::string bytes =
        "QBKX0101A\r\nBad\r\n2000000000000\r\n4\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\nabcd\r\n";
    EXPECT_FALSE(Export(bytes));
    EXPECT_EQ(files.OpenStreamCount(), 0);
}

TEST_F(TestExportTest, OverlongStoredNameEndsAsFaulty) {
    QuestionRecord record = CellRecord();
    Name(record, 2) = "C:\\" + std::string(257, 'x');
    files.SetContent(Name(record, 2), "data");
    EXPECT_FALSE(Export(TestFile({record})));
    EXPECT_TRUE(AttachmentCopies().empty());
}

TEST_F(TestExportTest, LongestStoredNameIsExported) {
    QuestionRecord record = CellRecord();
    Name(record, 2) = "C:\\" + std::string(256, 'x');
    files.SetContent(Name(record, 2), "data");
    ASSERT_TRUE(Export(TestFile({record})));
    EXPECT_EQ(File("C:\\Q\\Dist\\T0000002"), "data");
    EXPECT_NE(File(kOutput).find("\r\n257\r\n0\r\n0\r\n"), std::string::npos);
}

TEST_F(TestExportTest, NameWithoutFileIsReportedAndLeftEmpty) {
    QuestionRecord record = CellRecord();
    SetNames(record, {"*", "C:\\dir\\", "C:\\t\\c.bmp", ""});
    files.SetContent("C:\\t\\c.bmp", "BMc");
    EXPECT_FALSE(Export(TestFile({record})));
    std::vector<std::pair<ExportProblem, std::string>> expected = {
        {ExportProblem::AttachmentNotCopied, "*"},
        {ExportProblem::AttachmentNotCopied, "C:\\dir\\"},
    };
    EXPECT_EQ(reporter.problems, expected);
    // No number is used up for them: the real file is T0000002.
    EXPECT_EQ(File("C:\\Q\\Dist\\T0000002"), "BMc");
    EXPECT_NE(File(kOutput).find("0\r\n0\r\n6\r\n0\r\n0\r\nWhat is a cell?A unit*c.bmp"), std::string::npos);
}

TEST_F(TestExportTest, OutOfMemoryEndsAsFaultyKeepingWhatWasWritten) {
    files.Faults(kTestPath).outOfMemoryOnRead = true;
    EXPECT_FALSE(Export(TestFile({CellRecord()})));
    EXPECT_TRUE(reporter.problems.empty());
    EXPECT_EQ(File(kOutput), "QBKX0101A\r\nCells\r\n15\r\n6\r\n0\r\n0\r\n0\r\n0\r\n");
    EXPECT_EQ(File(kList), "Biology.tvt\r\n");
    EXPECT_EQ(files.OpenStreamCount(), 0);
}

TEST_F(TestExportTest, FailedWriteOfTheTestIsReportedOnceAndFaulty) {
    files.Faults(kOutput).writeLimit = 20;
    EXPECT_FALSE(Export(TestFile({CellRecord(), CellRecord()})));
    ASSERT_EQ(reporter.problems.size(), 1u);
    EXPECT_EQ(reporter.problems[0], std::make_pair(ExportProblem::FileNotWritten, std::string(kOutput)));
    EXPECT_EQ(files.OpenStreamCount(), 0);
}

TEST_F(TestExportTest, FailedWriteOfTheListIsFaulty) {
    QuestionRecord record = CellRecord();
    Name(record, 0) = "C:\\t\\a.rtf";
    files.SetContent("C:\\t\\a.rtf", "{\\rtf1}");
    files.Faults(kList).writeLimit = 13;
    EXPECT_FALSE(Export(TestFile({record})));
    ASSERT_EQ(reporter.problems.size(), 1u);
    EXPECT_EQ(reporter.problems[0], std::make_pair(ExportProblem::FileNotWritten, std::string(kList)));
}

TEST_F(TestExportTest, DataLostOnCloseIsFaulty) {
    files.Faults(kList).failClose = true;
    EXPECT_FALSE(Export(TestFile({CellRecord()})));
    ASSERT_EQ(reporter.problems.size(), 1u);
    EXPECT_EQ(reporter.problems[0], std::make_pair(ExportProblem::FileNotWritten, std::string(kList)));
}

}  // namespace
}  // namespace qb::creator

namespace qb::creator {
namespace {

// The findings shown before an export: at most kFindingsShown, the rest counted.
TEST(FindingsShownBeforeExport, ListedThenCounted) {
    std::vector<Finding> findings;
    for (int i = 1; i <= 17; ++i) findings.push_back({i, "K" + std::to_string(i), "question empty"});
    const struct {
        size_t count;
        std::string last;
    } cases[] = {
        {1, "question 1 \"K1\": question empty"},
        {15, "question 15 \"K15\": question empty"},
        {16, "... and 1 more finding"},
        {17, "... and 2 more findings"},
    };
    for (const auto& c : cases) {
        const std::string text = ListFindings(std::vector<Finding>(findings.begin(), findings.begin() + c.count));
        EXPECT_EQ(text.substr(text.rfind('\n') + 1), c.last) << c.count;
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), static_cast<long>(std::min<size_t>(c.count, 16) - 1));
    }
}

}  // namespace
}  // namespace qb::creator
