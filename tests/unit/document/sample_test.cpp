// The sample test that ships with the program opens and reads back whole.
#include <gtest/gtest.h>

#include <fstream>

#include "document/attachments.h"
#include "document/document.h"
#include "tests/support/test_records.h"
#include "tests/support/memory_files.h"

namespace qb {
namespace {

using namespace testing_support;

const std::string kSamples = QB_SAMPLES_DIR;

TEST(SampleTest, AstronomyReadsBackCompletely) {
    TestDocument document;
    MemoryList list;
    MemoryReporter reporter;
    int32_t remaining = -1;
    const std::string journal = ::testing::TempDir() + "sample CHANGINGS.TMP";
    ASSERT_EQ(OpenTest(document, kSamples + "/Astronomy.tvt", journal, list, reporter, remaining),
              std::nullopt);
    EXPECT_GE(document.questionCount, 15);
    EXPECT_EQ(remaining, document.questionCount);
    EXPECT_EQ(list.items.size(), static_cast<size_t>(document.questionCount));

    int singleAnswer = 0, multipleChoice = 0, withGaps = 0, multiLine = 0, attachments = 0;
    for (const QuestionNode* node = document.head; node; node = node->next) {
        QuestionRecord record;
        ASSERT_TRUE(ReadNodeRecord(document, *node, record)) << "key " << node->key;
        SCOPED_TRACE(record.keyword);
        EXPECT_FALSE(record.keyword.empty());
        EXPECT_LE(record.keyword.size(), kMaxKeywordLength);
        EXPECT_FALSE(record.slots[kSlotQuestion].empty());
        EXPECT_FALSE(record.slots[kSlotRightAnswer].empty());
        EXPECT_EQ(list.FindByKey(node->key)->keyword, record.keyword);

        int lastWrong = -1, wrongCount = 0;
        for (int i = 0; i < kWrongAnswerCount; ++i) {
            if (record.slots[kSlotWrongAnswer1 + i].empty()) continue;
            ++wrongCount;
            lastWrong = i;
        }
        (wrongCount == 0 ? singleAnswer : multipleChoice) += 1;
        if (lastWrong + 1 > wrongCount) ++withGaps;
        EXPECT_EQ(list.FindByKey(node->key)->image, wrongCount > 0 ? 2 : 0);

        for (int k = 0; k < kFirstFileSlot; ++k) {
            const std::string& text = record.slots[k];
            if (text.find("\r\n") != std::string::npos) ++multiLine;
            // Line breaks come back as whole CR LF pairs only.
            for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
                EXPECT_TRUE(at > 0 && text[at - 1] == '\r');
        }
        for (int k = kFirstFileSlot; k < kSlotCount; ++k) {
            const std::string& name = record.slots[k];
            if (name.empty()) continue;
            ++attachments;
            ASSERT_EQ(name[0], '*') << "attachments of a shipped test lie in the program directory";
            EXPECT_EQ(ResolveAttachmentName(name, Directory("C:\\Q")), "C:\\Q\\" + name.substr(1));
            EXPECT_TRUE(std::ifstream(kSamples + "/" + name.substr(1)).good()) << name;
        }
    }
    EXPECT_GE(singleAnswer, 3);
    EXPECT_GE(multipleChoice, 3);
    EXPECT_GE(withGaps, 2);
    EXPECT_GE(multiLine, 3);
    EXPECT_GE(attachments, 5);
    CloseTest(document);
}

}  // namespace
}  // namespace qb
