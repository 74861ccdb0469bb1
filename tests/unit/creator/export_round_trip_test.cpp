// The exported test read back with the record reader of the main program:
// same questions and texts, every name rewritten to "*" and its base name.
#include "creator/export_names.h"
#include "creator/export.h"
#include "document/attachments.h"
#include "document/record.h"

#include "tests/support/memory_files.h"

#include <gtest/gtest.h>

#include <vector>

namespace qb::creator {
namespace {

using testing_support::MemoryFileSystem;

class CopyEverything final : public FileCopier {
public:
    explicit CopyEverything(MemoryFileSystem& files) : files_(files) {}
    bool CopyNew(const std::string& source, const std::string& destination) override {
        if (!files_.Exists(source) || files_.Exists(destination)) return false;
        files_.SetContent(destination, files_.Content(source));
        return true;
    }

private:
    MemoryFileSystem& files_;
};

class IgnoreReports final : public ExportReporter {
public:
    void Report(ExportProblem, const std::string& text) override { problems.push_back(text); }
    void ListGrew(const std::string&) override {}
    std::vector<std::string> problems;
};

std::vector<QuestionRecord> SampleQuestions() {
    std::vector<QuestionRecord> questions(3);
    questions[0].keyword = "Mitochondria";
    questions[0].slots[kSlotQuestion] = "What does it do?\r\nExplain.";
    questions[0].slots[kSlotRightAnswer] = "Energy";
    questions[0].slots[kSlotWrongAnswer1 + 2] = "Nothing";
    questions[0].slots[kSlotQuestionTextFile] = "C:\\Tests\\intro.rtf";
    questions[0].slots[kSlotAnswerPictureFile] = "*Cell.bmp";
    questions[1].keyword = std::string(20, 'K');
    questions[1].slots[kSlotQuestion] = std::string("\x01\x02 bytes", 8);
    questions[1].slots[kSlotRightAnswer] = "Yes";
    questions[2].keyword = "Notes";
    questions[2].slots[kSlotQuestion] = "Q";
    questions[2].slots[kSlotRightAnswer] = "A";
    questions[2].slots[kSlotQuestionPictureFile] = "plain.bmp";
    questions[2].slots[kSlotAnswerTextFile] = "D:\\deep\\dir\\answer.txt";
    return questions;
}

TEST(ExportRoundTrip, ExportedTestReadsBackWithRewrittenNames) {
    MemoryFileSystem files;
    const std::string testPath = "C:\\Tests\\Biology.tvt";
    for (const char* path : {"C:\\Tests\\intro.rtf", "C:\\Q\\Cell.bmp", "plain.bmp", "D:\\deep\\dir\\answer.txt"})
        files.SetContent(path, std::string("bytes of ") + path);
    std::vector<QuestionRecord> questions = SampleQuestions();
    {
        auto test = files.Open(testPath, OpenMode::CreateReadWrite);
        ASSERT_TRUE(test->WriteLine(kMagicLine));
        for (const QuestionRecord& question : questions) ASSERT_GE(WriteQuestionRecord(*test, question), 0);
        ASSERT_TRUE(test->WriteLine(""));
    }
    CopyEverything copier(files);
    IgnoreReports reporter;
    TestExport exporter({Directory("C:\\Q"), "Quorbelind", testPath, Directory("C:\\Q\\Dist")}, files, copier,
                        reporter);
    ASSERT_TRUE(exporter.Open());
    exporter.Run();
    // Only the program files are missing here.
    EXPECT_EQ(reporter.problems.size(), 6u);

    auto exported = files.Open("C:\\Q\\Dist\\T0000001", OpenMode::Read);
    ASSERT_TRUE(exported);
    std::string magic;
    ASSERT_TRUE(ReadLine(*exported, kMagicLineBuffer, magic));
    DropLineFeed(magic);
    EXPECT_TRUE(IsAcceptedMagicLine(magic));
    int64_t fileSize = StreamSize(*exported);
    int64_t position = exported->Tell();
    int number = 2;
    for (const QuestionRecord& question : questions) {
        RecordHeader header;
        ASSERT_TRUE(ReadRecordHeader(*exported, position, fileSize, header)) << question.keyword;
        QuestionRecord read;
        ASSERT_TRUE(ReadQuestionRecord(*exported, position, read));
        EXPECT_EQ(read.keyword, question.keyword);
        EXPECT_EQ(read.status, 0);
        for (int slot = 0; slot < kFirstFileSlot; ++slot)
            EXPECT_EQ(read.slots[slot], DecodeLineBreaks(EncodeLineBreaks(question.slots[slot]))) << slot;
        for (int slot = kFirstFileSlot; slot < kSlotCount; ++slot) {
            const std::string& stored = question.slots[slot];
            if (stored.empty()) {
                EXPECT_EQ(read.slots[slot], "") << slot;
                continue;
            }
            EXPECT_EQ(read.slots[slot], "*" + BaseNameOf(stored)) << slot;
            EXPECT_EQ(files.Content(NumberedFilePath(Directory("C:\\Q\\Dist"), number++)),
                      "bytes of " + ResolveAttachmentName(stored, Directory("C:\\Q")));
        }
        position = header.end;
    }
    RecordHeader after;
    EXPECT_FALSE(ReadRecordHeader(*exported, position, fileSize, after));
    EXPECT_EQ(number, 6);
}

}  // namespace
}  // namespace qb::creator
