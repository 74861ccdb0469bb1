#include "editor/attachments.h"

#include <gtest/gtest.h>

#include <vector>

namespace qb {
namespace {

// The filter's entries, split at the zero bytes; the list must end with an
// empty entry (the closing double zero).
std::vector<std::string> FilterEntries(const std::string& filter) {
    std::vector<std::string> entries;
    size_t start = 0;
    while (start < filter.size()) {
        size_t end = filter.find('\0', start);
        if (end == std::string::npos) {
            entries.push_back(filter.substr(start) + "<unterminated>");
            break;
        }
        entries.push_back(filter.substr(start, end - start));
        start = end + 1;
    }
    return entries;
}

TEST(AttachmentTicks, OnlyFilledSlotsAreTicked) {
    AttachmentSlots slots;
    slots[kAnswerPicture] = "C:\\pictures\\orbit.bmp";
    std::array<bool, 4> expected{false, false, false, true};
    EXPECT_EQ(TicksFromSlots(slots), expected);
    slots[kQuestionText] = "*intro.rtf";
    expected[kQuestionText] = true;
    EXPECT_EQ(TicksFromSlots(slots), expected);
}

TEST(AttachmentBoxes, ClearingEmptiesTheSlotAndTickingAsksForAFile) {
    AttachmentSlots slots{"a.rtf", "b.bmp", "c.txt", "d.bmp"};
    EXPECT_FALSE(OnBoxChanged(slots, kQuestionPicture, false));
    EXPECT_EQ(slots[kQuestionPicture], "");
    EXPECT_EQ(slots[kQuestionText], "a.rtf");
    EXPECT_EQ(slots[kAnswerText], "c.txt");
    EXPECT_TRUE(OnBoxChanged(slots, kQuestionPicture, true));
    EXPECT_EQ(slots[kQuestionPicture], "");
}

TEST(AttachmentBoxes, ChosenFileReplacesTheEarlierOne) {
    AttachmentSlots slots{"C:\\old.rtf", "", "", ""};
    OnBoxChanged(slots, kQuestionText, false);
    ASSERT_TRUE(OnBoxChanged(slots, kQuestionText, true));
    EXPECT_TRUE(TakeChosenFile(slots, kQuestionText, "C:\\new.rtf"));
    EXPECT_EQ(slots[kQuestionText], "C:\\new.rtf");
}

TEST(AttachmentBoxes, OverlongPathIsRefusedAndSlotKept) {
    AttachmentSlots slots;
    std::string fits = "C:\\" + std::string(kMaxPathLength - 3, 'x');
    EXPECT_TRUE(TakeChosenFile(slots, kAnswerText, fits));
    EXPECT_EQ(slots[kAnswerText], fits);
    EXPECT_FALSE(TakeChosenFile(slots, kAnswerText, fits + "y"));
    EXPECT_EQ(slots[kAnswerText], fits);
}

TEST(AttachmentBoxes, SlotOutsideTheFourIsIgnored) {
    AttachmentSlots slots{"a", "b", "c", "d"};
    EXPECT_FALSE(OnBoxChanged(slots, 4, false));
    EXPECT_FALSE(OnBoxChanged(slots, -1, true));
    EXPECT_FALSE(TakeChosenFile(slots, 4, "x"));
    EXPECT_EQ(slots, (AttachmentSlots{"a", "b", "c", "d"}));
}

TEST(AttachmentKinds, TextAndPictureSlotsAlternate) {
    EXPECT_EQ(KindOfSlot(kQuestionText), FileKind::Text);
    EXPECT_EQ(KindOfSlot(kQuestionPicture), FileKind::Picture);
    EXPECT_EQ(KindOfSlot(kAnswerText), FileKind::Text);
    EXPECT_EQ(KindOfSlot(kAnswerPicture), FileKind::Picture);
}

TEST(OpenFileSettings, TextFilesOfferRtfTxtAndAll) {
    OpenFileSetting setting = TextFileSetting();
    std::vector<std::string> expected{
        "RichText-Files (*.rtf)", "*.rtf", "Text-Files (*.txt)", "*.txt", "All Files (*.*)", "*.*", ""};
    EXPECT_EQ(FilterEntries(setting.filter), expected);
    EXPECT_EQ(setting.defaultExtension, "rtf");
}

TEST(OpenFileSettings, PictureFilterNamesItsSecondEntryByMode) {
    std::vector<std::string> define{"Bitmap-Files (*.bmp)", "*.bmp", "All Files (*.*)", "*.*", ""};
    std::vector<std::string> edit{"Bitmap-Files (*.bmp)", "*.bmp", "Alle Files (*.*)", "*.*", ""};
    EXPECT_EQ(FilterEntries(PictureFileSetting(EditorMode::Define).filter), define);
    EXPECT_EQ(FilterEntries(PictureFileSetting(EditorMode::Edit).filter), edit);
    EXPECT_EQ(PictureFileSetting(EditorMode::Edit).defaultExtension, "bmp");
}

}  // namespace
}  // namespace qb
