#include "base/paths.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "base/data_path.h"
#include "base/document_names.h"

namespace qb {
namespace {

// The program directory a DataPath names follows the one trailing-backslash
// rule; only Uninstall, which removes files, refuses a drive root.
TEST(Paths, TrailingBackslashIsDroppedOnceAndAddedOnlyWhenMissing) {
    const std::optional<std::string> none;
    struct Case {
        const char* path;
        const char* dropped;
        const char* added;
        bool driveRoot;
        std::optional<std::string> directory;           // DriveRoot::Accepted
        std::optional<std::string> removableDirectory;  // DriveRoot::Refused
    };
    const Case cases[] = {
        {"C:\\Quorbelind\\", "C:\\Quorbelind", "C:\\Quorbelind\\", false, "C:\\Quorbelind", "C:\\Quorbelind"},
        {"C:\\Quorbelind", "C:\\Quorbelind", "C:\\Quorbelind\\", false, "C:\\Quorbelind", "C:\\Quorbelind"},
        {"C:\\Quorbelind\\\\", "C:\\Quorbelind\\", "C:\\Quorbelind\\\\", false, "C:\\Quorbelind\\", "C:\\Quorbelind\\"},
        {"D:\\My Tests\\Q", "D:\\My Tests\\Q", "D:\\My Tests\\Q\\", false, "D:\\My Tests\\Q", "D:\\My Tests\\Q"},
        {"A:", "A:", "A:\\", true, "A:", none},
        {"C:\\", "C:", "C:\\", true, "C:", none},
        {"c:\\\\", "c:\\", "c:\\\\", true, "c:\\", none},
        {"Z:/", "Z:/", "Z:/\\", true, "Z:/", none},
        {"\\\\", "\\", "\\\\", true, "\\", none},
        {"\\", "", "\\", true, none, none},
        {"", "", "\\", true, none, none},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DropTrailingBackslash(c.path), c.dropped) << c.path;
        EXPECT_EQ(WithTrailingBackslash(c.path), c.added) << c.path;
        EXPECT_EQ(IsDriveRoot(c.path), c.driveRoot) << c.path;
        EXPECT_EQ(ProgramDirectoryFromDataPath(c.path, DriveRoot::Accepted), c.directory) << c.path;
        EXPECT_EQ(ProgramDirectoryFromDataPath(c.path, DriveRoot::Refused), c.removableDirectory) << c.path;
    }
}

TEST(Paths, FolderFileNameAndStemShareOneSeparatorSet) {
    EXPECT_EQ(FileName("C:\\Tests\\Biology.tvt"), "Biology.tvt");
    EXPECT_EQ(FileName("exam.TVT"), "exam.TVT");
    EXPECT_EQ(FileName("C:\\dir\\"), "");
    // One separator set: backslash, slash, and a drive's colon.
    const struct {
        const char* path;
        const char* folder;
        const char* stem;
    } cases[] = {{"C:\\T\\a.b.tvt", "C:\\T\\", "a.b"}, {"/t/x.tvt", "/t/", "x"}, {"D:exam.tvt", "D:", "exam"},
                 {"exam", "", "exam"}, {"C:\\T.d\\exam", "C:\\T.d\\", "exam"}};
    for (const auto& c : cases) {
        EXPECT_EQ(Folder(c.path), c.folder) << c.path;
        EXPECT_EQ(Folder(c.path) + FileName(c.path), c.path) << c.path;
        EXPECT_EQ(Stem(c.path), c.stem) << c.path;
    }
    EXPECT_TRUE(SameFile("C:\\T\\Exam.TVT", "c:\\t\\exam.tvt"));
    EXPECT_FALSE(SameFile("C:\\T\\exam.tvt", "C:\\T\\exam.tv"));
    EXPECT_EQ(JoinPath("C:\\Q", "Dist"), "C:\\Q\\Dist");
    EXPECT_TRUE(HasExtension("C:\\Notes.RtF", ".rtf"));
    EXPECT_FALSE(HasExtension("rtf", ".rtf"));
    EXPECT_FALSE(HasExtension("a.rtf.txt", ".RTF"));
}

TEST(DataPathLookup, CurrentUserComesFirstThenTheDefaultUser) {
    EXPECT_EQ(PickDataPath(std::string("C:\\Mine\\"), std::string("C:\\Default\\")), "C:\\Mine\\");
    EXPECT_EQ(PickDataPath(std::nullopt, std::string("C:\\Default\\")), "C:\\Default\\");
    EXPECT_EQ(PickDataPath(std::string(""), std::string("C:\\Default\\")), "C:\\Default\\");
    EXPECT_FALSE(PickDataPath(std::nullopt, std::nullopt).has_value());
    EXPECT_FALSE(PickDataPath(std::string(""), std::string("")).has_value());
}

TEST(TestNames, FilterListsTestsThenAllFilesAndEndsInTwoZeros) {
    EXPECT_EQ(TestFileFilter(true), std::string("Tests (*.tvt)\0*.tvt\0All Files (*.*)\0*.*\0\0", 41));
    EXPECT_EQ(TestFileFilter(false), std::string("Tests (*.tvt)\0*.tvt\0\0", 21));
}

TEST(TestNames, RecoveredTestsAreCountedFromTheSecond) {
    EXPECT_EQ(RecoveredTestName("exam", 1), "exam recovered.tvt");
    EXPECT_EQ(RecoveredTestName("exam", 2), "exam recovered 2.tvt");
}

}  // namespace
}  // namespace qb
