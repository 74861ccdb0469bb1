#include "creator/export.h"

#include "memory_files.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace qb::creator {
namespace {

using testing::MemoryFiles;

const char kProgramDir[] = "C:\\Q";
const char kDestination[] = "C:\\Q\\Dist";
const char kTestPath[] = "C:\\Tests\\Biology.tvt";
const char kOutput[] = "C:\\Q\\Dist\\T0000001";
const char kList[] = "C:\\Q\\Dist\\TEST.LST";

// Copies inside the in-memory files; fails for a missing source or an existing destination.
class MemoryCopier final : public FileCopier {
public:
    explicit MemoryCopier(MemoryFiles& files) : files_(files) {}
    bool CopyNew(const std::string& source, const std::string& destination) override {
        calls.emplace_back(source, destination);
        if (!files_.Exists(source) || files_.Exists(destination)) return false;
        files_.files[destination] = files_.files[source];
        return true;
    }
    std::vector<std::pair<std::string, std::string>> calls;

private:
    MemoryFiles& files_;
};

class RecordingReporter final : public ExportReporter {
public:
    void Report(ExportProblem problem, const std::string& text) override { problems.emplace_back(problem, text); }
    void ListGrew(const std::string& listText) override { lists.push_back(listText); }
    std::vector<std::pair<ExportProblem, std::string>> problems;
    std::vector<std::string> lists;
};

// One question record as the test file holds it: header lines, then the slots.
struct Record {
    std::string keyword = "Cells";
    std::vector<std::string> texts = {"What is a cell?", "A unit", "", "", "", ""};
    std::vector<std::string> names = {"", "", "", ""};
    int status = 0;

    std::string Bytes() const {
        std::string out = keyword + "\r\n";
        for (const std::string& text : texts) out += std::to_string(text.size()) + "\r\n";
        for (const std::string& name : names) out += std::to_string(name.size()) + "\r\n";
        out += std::to_string(status) + "\r\n";
        for (const std::string& text : texts) out += text;
        for (const std::string& name : names) out += name;
        return out;
    }
};

std::string TestFile(const std::vector<Record>& records) {
    std::string out = "QBKX0101A\r\n";
    for (const Record& record : records) out += record.Bytes();
    if (!records.empty()) out += "\r\n";
    return out;
}

class TestExportTest : public ::testing::Test {
protected:
    TestExportTest() {
        for (const char* name : {"Quorbelind.exe", "Quorbelind.hlp", "Uninstall.exe", "ReadMe.txt", "Creator.exe",
                                 "Install.exe"}) {
            files.files[std::string(kProgramDir) + "\\" + name] = std::string("contents of ") + name;
        }
    }

    // Opens and runs the export of the test file holding bytes.
    bool Export(const std::string& bytes) {
        files.files[kTestPath] = bytes;
        return ExportAsIs();
    }

    bool ExportAsIs() {
        TestExport exporter({kProgramDir, "Quorbelind", kTestPath, kDestination}, files, copier, reporter);
        if (!exporter.Open()) {
            opened = false;
            return false;
        }
        bool ok = exporter.Run();
        listText = exporter.ListText();
        return ok;
    }

    std::string File(const std::string& path) {
        auto it = files.files.find(path);
        return it == files.files.end() ? "<missing>" : it->second;
    }

    std::vector<std::pair<std::string, std::string>> AttachmentCopies() const {
        return {copier.calls.begin() + 6, copier.calls.end()};
    }

    MemoryFiles files;
    MemoryCopier copier{files};
    RecordingReporter reporter;
    std::string listText;
    bool opened = true;
};

TEST_F(TestExportTest, TestWithoutAttachmentsGivesOneListLineAndOnlyT0000001) {
    ASSERT_TRUE(Export(TestFile({Record{}})));
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
    EXPECT_EQ(files.openStreams, 0);
}

TEST_F(TestExportTest, ProgramFilesAreCopiedFirstInTableOrder) {
    ASSERT_TRUE(Export(TestFile({})));
    ASSERT_GE(copier.calls.size(), 6u);
    EXPECT_EQ(copier.calls[0], std::make_pair(std::string("C:\\Q\\Quorbelind.exe"), std::string("C:\\Q\\Dist\\D01")));
    EXPECT_EQ(copier.calls[5], std::make_pair(std::string("C:\\Q\\Install.exe"), std::string("C:\\Q\\Dist\\Install.exe")));
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
    Record record;
    record.names[1] = "C:\\Tests\\Cell.bmp";
    files.files["C:\\Tests\\Cell.bmp"] = std::string("BM\x00\x01\r\n\x1a", 7);
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
    Record record;
    record.names[0] = "notes.txt";
    files.files["notes.txt"] = "plain notes";
    ASSERT_TRUE(Export(TestFile({record})));
    ASSERT_EQ(AttachmentCopies().size(), 1u);
    EXPECT_EQ(AttachmentCopies()[0].first, "notes.txt");
    EXPECT_EQ(AttachmentCopies()[0].second, "C:\\Q\\Dist\\T0000002");
    EXPECT_EQ(File(kList), "Biology.tvt\r\nnotes.txt\r\n");
    EXPECT_NE(File(kOutput).find("10\r\n0\r\n0\r\n0\r\n0\r\nWhat is a cell?A unit*notes.txt\r\n"), std::string::npos);
}

TEST_F(TestExportTest, InstalledTestTakesSourcesFromProgramDirectoryAndKeepsNames) {
    Record first;
    first.names = {"*intro.rtf", "*Cell.bmp", "", "*answer.txt"};
    Record second;
    second.keyword = "Nucleus";
    second.texts = {"Where is the DNA?", "In the nucleus", "In the wall", "", "Nowhere", ""};
    second.names = {"", "", "", "*Cell.bmp"};
    files.files["C:\\Q\\intro.rtf"] = "{\\rtf1 intro}";
    files.files["C:\\Q\\Cell.bmp"] = "BMcell";
    files.files["C:\\Q\\answer.txt"] = "answer";
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

TEST_F(TestExportTest, AnsweredStatusesAreExportedAsZero) {
    Record answered;
    answered.status = 1;
    Record other;
    other.keyword = "Other";
    other.status = 7;
    ASSERT_TRUE(Export(TestFile({answered, other})));
    Record unanswered = answered;
    unanswered.status = 0;
    Record otherUnanswered = other;
    otherUnanswered.status = 0;
    EXPECT_EQ(File(kOutput), TestFile({unanswered, otherUnanswered}));
}

TEST_F(TestExportTest, FileAttachedToTwoQuestionsIsCopiedTwiceAndListedTwice) {
    Record first;
    first.names[1] = "C:\\Pics\\Cell.bmp";
    Record second;
    second.keyword = "Again";
    second.names[3] = "C:\\Pics\\Cell.bmp";
    files.files["C:\\Pics\\Cell.bmp"] = "BMpixels";
    ASSERT_TRUE(Export(TestFile({first, second})));
    EXPECT_EQ(File("C:\\Q\\Dist\\T0000002"), "BMpixels");
    EXPECT_EQ(File("C:\\Q\\Dist\\T0000003"), "BMpixels");
    EXPECT_EQ(File(kList), "Biology.tvt\r\nCell.bmp\r\nCell.bmp\r\n");
    EXPECT_EQ(reporter.lists,
              (std::vector<std::string>{"Biology.tvt\r\nCell.bmp", "Biology.tvt\r\nCell.bmp\r\nCell.bmp"}));
}

TEST_F(TestExportTest, AttachmentsAreNumberedInSlotOrderRecordByRecord) {
    Record first;
    first.names = {"C:\\a\\qtext.rtf", "C:\\a\\qpic.bmp", "C:\\a\\atext.txt", "C:\\a\\apic.bmp"};
    Record second;
    second.keyword = "Second";
    second.names = {"", "C:\\b\\only.bmp", "", ""};
    for (const char* path : {"C:\\a\\qtext.rtf", "C:\\a\\qpic.bmp", "C:\\a\\atext.txt", "C:\\a\\apic.bmp",
                             "C:\\b\\only.bmp"})
        files.files[path] = std::string("data of ") + path;
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
    Record record;
    record.texts = {std::string("line\x02\x01two\x00", 10), "right", "", std::string("\r\n\x1a", 3), "", "w4"};
    std::string source = TestFile({record});
    ASSERT_TRUE(Export(source));
    EXPECT_EQ(File(kOutput), source);
}

TEST_F(TestExportTest, MissingAttachmentUsesUpItsNumberAndIsReportedByStoredName) {
    Record record;
    record.names = {"*gone.rtf", "C:\\Pics\\Cell.bmp", "", ""};
    files.files["C:\\Pics\\Cell.bmp"] = "BMpixels";
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

TEST_F(TestExportTest, EarlierExportMakesEveryCopyFailButRewritesListAndTest) {
    Record record;
    record.names[1] = "C:\\Pics\\Cell.bmp";
    files.files["C:\\Pics\\Cell.bmp"] = "BMpixels";
    ASSERT_TRUE(Export(TestFile({record})));
    files.files[kList] += "stale";
    files.files[kOutput] += "stale";
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
    files.files.erase("C:\\Q\\Quorbelind.hlp");
    Record record;
    record.names[0] = "C:\\t\\a.rtf";
    files.files["C:\\t\\a.rtf"] = "{\\rtf1}";
    EXPECT_FALSE(Export(TestFile({record})));
    ASSERT_EQ(reporter.problems.size(), 1u);
    EXPECT_EQ(reporter.problems[0],
              std::make_pair(ExportProblem::ProgramFileNotCopied, std::string("C:\\Q\\Quorbelind.hlp")));
    EXPECT_EQ(File("C:\\Q\\Dist\\T0000002"), "{\\rtf1}");
    EXPECT_EQ(File("C:\\Q\\Dist\\D05"), "contents of Creator.exe");
}

TEST_F(TestExportTest, ListFileThatCannotBeCreatedEndsBeforeAnythingIsCopied) {
    files.refuseOpen.insert(kList);
    EXPECT_FALSE(Export(TestFile({Record{}})));
    EXPECT_FALSE(opened);
    ASSERT_EQ(reporter.problems.size(), 1u);
    EXPECT_EQ(reporter.problems[0], std::make_pair(ExportProblem::ListFileNotCreated, std::string(kList)));
    EXPECT_TRUE(copier.calls.empty());
    EXPECT_EQ(files.openStreams, 0);
}

TEST_F(TestExportTest, T0000001ThatCannotBeCreatedEndsTheExport) {
    files.refuseOpen.insert(kOutput);
    EXPECT_FALSE(Export(TestFile({Record{}})));
    ASSERT_EQ(reporter.problems.size(), 1u);
    EXPECT_EQ(reporter.problems[0], std::make_pair(ExportProblem::TestFileNotCreated, std::string(kOutput)));
    EXPECT_EQ(File(kList), "Biology.tvt\r\n");
    EXPECT_EQ(files.openStreams, 0);
}

TEST_F(TestExportTest, TestThatCannotBeOpenedEndsTheExport) {
    EXPECT_FALSE(ExportAsIs());
    ASSERT_EQ(reporter.problems.size(), 1u);
    EXPECT_EQ(reporter.problems[0], std::make_pair(ExportProblem::TestNotOpened, std::string(kTestPath)));
    EXPECT_EQ(File(kOutput), "");
    EXPECT_EQ(files.openStreams, 0);
}

TEST_F(TestExportTest, EmptyTestFileEndsAsFaultyWithFilesClosed) {
    EXPECT_FALSE(Export(""));
    EXPECT_TRUE(reporter.problems.empty());
    EXPECT_EQ(File(kOutput), "");
    EXPECT_EQ(File(kList), "Biology.tvt\r\n");
    EXPECT_EQ(files.openStreams, 0);
}

TEST_F(TestExportTest, StoredNameEndingBeforeItsLengthEndsAsFaulty) {
    Record good;
    good.names[0] = "C:\\t\\a.rtf";
    files.files["C:\\t\\a.rtf"] = "{\\rtf1}";
    Record cut;
    cut.keyword = "Cut";
    cut.names[1] = "C:\\t\\b.bmp";
    files.files["C:\\t\\b.bmp"] = "BM";
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
    EXPECT_EQ(files.openStreams, 0);
}

TEST_F(TestExportTest, TextBlockEndingEarlyEndsAsFaulty) {
    std::string bytes = TestFile({Record{}});
    bytes.resize(bytes.size() - 2 - 3);
    EXPECT_FALSE(Export(bytes));
    EXPECT_EQ(files.openStreams, 0);
}

TEST_F(TestExportTest, SourceEndingInsideAHeaderEndsTheExportNormally) {
    std::string bytes = TestFile({Record{}}) + "Half\r\n3\r\n4\r\n";
    ASSERT_TRUE(Export(bytes));
    EXPECT_EQ(File(kOutput), TestFile({Record{}}) + "Half\r\n3\r\n4\r\n");
}

TEST_F(TestExportTest, NegativeTextLengthEndsAsFaulty) {
    std::string bytes = "QBKX0101A\r\nBad\r\n-4\r\n4\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\nabcd\r\n";
    EXPECT_FALSE(Export(bytes));
    EXPECT_EQ(files.openStreams, 0);
}

TEST_F(TestExportTest, HugeClaimedLengthDoesNotExhaustMemory) {
    std::string bytes = "QBKX0101A\r\nBad\r\n2000000000000\r\n4\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\nabcd\r\n";
    EXPECT_FALSE(Export(bytes));
    EXPECT_EQ(files.openStreams, 0);
}

TEST_F(TestExportTest, OverlongStoredNameEndsAsFaulty) {
    Record record;
    record.names[2] = "C:\\" + std::string(257, 'x');
    files.files[record.names[2]] = "data";
    EXPECT_FALSE(Export(TestFile({record})));
    EXPECT_TRUE(AttachmentCopies().empty());
}

TEST_F(TestExportTest, LongestStoredNameIsExported) {
    Record record;
    record.names[2] = "C:\\" + std::string(256, 'x');
    files.files[record.names[2]] = "data";
    ASSERT_TRUE(Export(TestFile({record})));
    EXPECT_EQ(File("C:\\Q\\Dist\\T0000002"), "data");
    EXPECT_NE(File(kOutput).find("\r\n257\r\n0\r\n0\r\n"), std::string::npos);
}

TEST_F(TestExportTest, NameWithoutFileIsReportedAndLeftEmpty) {
    Record record;
    record.names = {"*", "C:\\dir\\", "C:\\t\\c.bmp", ""};
    files.files["C:\\t\\c.bmp"] = "BMc";
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
    files.outOfMemoryOnRead.insert(kTestPath);
    EXPECT_FALSE(Export(TestFile({Record{}})));
    EXPECT_TRUE(reporter.problems.empty());
    EXPECT_EQ(File(kOutput), "QBKX0101A\r\nCells\r\n15\r\n6\r\n0\r\n0\r\n0\r\n0\r\n");
    EXPECT_EQ(File(kList), "Biology.tvt\r\n");
    EXPECT_EQ(files.openStreams, 0);
}

TEST_F(TestExportTest, FailedWriteOfTheTestIsReportedOnceAndFaulty) {
    files.writeLimit[kOutput] = 20;
    EXPECT_FALSE(Export(TestFile({Record{}, Record{}})));
    ASSERT_EQ(reporter.problems.size(), 1u);
    EXPECT_EQ(reporter.problems[0], std::make_pair(ExportProblem::FileNotWritten, std::string(kOutput)));
    EXPECT_EQ(files.openStreams, 0);
}

TEST_F(TestExportTest, FailedWriteOfTheListIsFaulty) {
    Record record;
    record.names[0] = "C:\\t\\a.rtf";
    files.files["C:\\t\\a.rtf"] = "{\\rtf1}";
    files.writeLimit[kList] = 13;
    EXPECT_FALSE(Export(TestFile({record})));
    ASSERT_EQ(reporter.problems.size(), 1u);
    EXPECT_EQ(reporter.problems[0], std::make_pair(ExportProblem::FileNotWritten, std::string(kList)));
}

TEST_F(TestExportTest, DataLostOnCloseIsFaulty) {
    files.failClose.insert(kList);
    EXPECT_FALSE(Export(TestFile({Record{}})));
    ASSERT_EQ(reporter.problems.size(), 1u);
    EXPECT_EQ(reporter.problems[0], std::make_pair(ExportProblem::FileNotWritten, std::string(kList)));
}

TEST(TextMode, LineFeedsBecomeCrLf) {
    EXPECT_EQ(ToTextMode("a\nb\n"), "a\r\nb\r\n");
    EXPECT_EQ(ToTextMode("no end"), "no end");
    EXPECT_EQ(ToTextMode("\rx\n"), "\rx\r\n");
}

}  // namespace
}  // namespace qb::creator
