#include "creator/export_names.h"
#include "distribution/list_file.h"
#include "document/attachments.h"

#include <gtest/gtest.h>

namespace qb::creator {
namespace {

// The base name becomes a line of the list file and a file Install creates,
// so it must hold no separator: a folder ends at a backslash, a slash or a
// drive's colon.
TEST(ExportNames, BaseNameIsTheFileName) {
    const struct {
        const char* stored;
        const char* base;
    } cases[] = {
        {"C:\\Tests\\Cell.bmp", "Cell.bmp"},
        {"Cell.bmp", "Cell.bmp"},
        {"\\\\server\\share\\a b.rtf", "a b.rtf"},
        {"C:\\dir\\", ""},
        {"pics/cell.bmp", "cell.bmp"},
        {"C:/Tests/pics\\cell.bmp", "cell.bmp"},
        {"C:\\Tests/cell.bmp", "cell.bmp"},
        {"C:cell.bmp", "cell.bmp"},
        {"pics/", ""},
        // A name in the program directory keeps only its file name too.
        {"*intro.rtf", "intro.rtf"},
        {"*pics\\Cell.bmp", "Cell.bmp"},
        {"*pics/Cell.bmp", "Cell.bmp"},
        {"*", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BaseNameOf(c.stored), c.base) << c.stored;
        // Install copies every file the list names this way.
        if (c.base[0] != '\0') {
            EXPECT_TRUE(IsSafeListName(c.base)) << c.stored;
        }
    }
}

// The export copies an attachment from where the main program reads it.
TEST(ExportNames, SourceOfStarNameLiesInTheProgramDirectory) {
    EXPECT_EQ(ResolveAttachmentName("*intro.rtf", Directory("C:\\Q")), "C:\\Q\\intro.rtf");
    EXPECT_EQ(ResolveAttachmentName("*pics\\Cell.bmp", Directory("C:\\Q")), "C:\\Q\\pics\\Cell.bmp");
    EXPECT_EQ(ResolveAttachmentName("C:\\Tests\\Cell.bmp", Directory("C:\\Q")), "C:\\Tests\\Cell.bmp");
    EXPECT_EQ(ResolveAttachmentName("Cell.bmp", Directory("C:\\Q")), "Cell.bmp");
}

TEST(ExportNames, NumberedFilesHaveSevenDigits) {
    const Directory kDist("C:\\Q\\Dist\\");
    EXPECT_EQ(NumberedFilePath(kDist, 1), "C:\\Q\\Dist\\T0000001");
    EXPECT_EQ(NumberedFilePath(kDist, 42), "C:\\Q\\Dist\\T0000042");
    EXPECT_EQ(NumberedFilePath(kDist, 9999999), "C:\\Q\\Dist\\T9999999");
    EXPECT_EQ(NumberedFilePath(kDist, 12345678), "C:\\Q\\Dist\\T12345678");
    EXPECT_EQ(ListFilePath(kDist), "C:\\Q\\Dist\\TEST.LST");
}

TEST(ExportNames, ProgramFilesInCopyingOrderUnderTheirShortNames) {
    std::vector<FileCopy> copies = ProgramFileCopies(Directory("C:\\Q"), "Quorbelind", Directory("C:\\Q\\Dist"));
    ASSERT_EQ(copies.size(), 6u);
    const char* expected[6][2] = {
        {"C:\\Q\\Quorbelind.exe", "C:\\Q\\Dist\\D01"}, {"C:\\Q\\Quorbelind.hlp", "C:\\Q\\Dist\\Quorbelind.hlp"},
        {"C:\\Q\\Uninstall.exe", "C:\\Q\\Dist\\D03"},  {"C:\\Q\\ReadMe.txt", "C:\\Q\\Dist\\ReadMe.txt"},
        {"C:\\Q\\Creator.exe", "C:\\Q\\Dist\\D05"},    {"C:\\Q\\Install.exe", "C:\\Q\\Dist\\Install.exe"},
    };
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(copies[i].source, expected[i][0]) << i;
        EXPECT_EQ(copies[i].destination, expected[i][1]) << i;
    }
}

TEST(DestinationName, EmptyNameAsksForOne) {
    EXPECT_EQ(CheckDestinationName(""), DestinationNameCheck::Empty);
}

TEST(DestinationName, OrdinaryNamesAreAccepted) {
    EXPECT_EQ(CheckDestinationName("ExportedTest"), DestinationNameCheck::Acceptable);
    EXPECT_EQ(CheckDestinationName("Biology 2"), DestinationNameCheck::Acceptable);
    EXPECT_EQ(CheckDestinationName(".hidden"), DestinationNameCheck::Acceptable);
    EXPECT_EQ(CheckDestinationName("a.b"), DestinationNameCheck::Acceptable);
    EXPECT_EQ(CheckDestinationName("Export\\"), DestinationNameCheck::Acceptable);
}

TEST(DestinationName, EveryReservedCharacterIsRefused) {
    for (char c : std::string("\\/:*?\"<>|")) {
        EXPECT_EQ(CheckDestinationName(std::string("ab") + c + "cd"), DestinationNameCheck::Refused) << c;
    }
    EXPECT_EQ(CheckDestinationName("..\\up"), DestinationNameCheck::Refused);
    EXPECT_EQ(CheckDestinationName("\\"), DestinationNameCheck::Refused);
    EXPECT_EQ(CheckDestinationName("Export\\\\"), DestinationNameCheck::Refused);
    EXPECT_EQ(CheckDestinationName("\\Export\\"), DestinationNameCheck::Refused);
    EXPECT_EQ(CheckDestinationName("C:"), DestinationNameCheck::Refused);
    EXPECT_EQ(CheckDestinationName(std::string("tab\there")), DestinationNameCheck::Refused);
}

TEST(DestinationName, NamesThatLeaveTheSubdirectoryAreRefused) {
    EXPECT_EQ(CheckDestinationName("."), DestinationNameCheck::Refused);
    EXPECT_EQ(CheckDestinationName(".."), DestinationNameCheck::Refused);
    EXPECT_EQ(CheckDestinationName("..."), DestinationNameCheck::Refused);
    EXPECT_EQ(CheckDestinationName(".. "), DestinationNameCheck::Refused);
    EXPECT_EQ(CheckDestinationName("..\\"), DestinationNameCheck::Refused);
    EXPECT_EQ(CheckDestinationName("   "), DestinationNameCheck::Refused);
}

}  // namespace
}  // namespace qb::creator
