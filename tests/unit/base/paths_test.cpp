#include "base/paths.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "base/data_path.h"
#include "base/document_names.h"

namespace qb {
namespace {

// A directory keeps the one trailing-backslash rule however it was given;
// only Uninstall, which removes files, refuses a drive root as the program directory.
TEST(Paths, DirectoryDropsOneTrailingBackslashAndJoinsWithOne) {
    const std::optional<std::string> none;
    struct Case {
        const char* path;
        const char* text;
        const char* stored;
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
        const Directory directory(c.path);
        EXPECT_EQ(directory.Text(), c.text) << c.path;
        EXPECT_EQ(directory.WithTrailingBackslash(), c.stored) << c.path;
        EXPECT_EQ(Directory(directory.WithTrailingBackslash()), directory) << c.path;
        EXPECT_EQ(directory.Join("a.tvt").Text(), c.stored + std::string("a.tvt")) << c.path;
        EXPECT_EQ(directory.IsDriveRoot(), c.driveRoot) << c.path;
        const auto text = [](const std::optional<Directory>& d) {
            return d ? std::optional<std::string>(d->Text()) : std::nullopt;
        };
        EXPECT_EQ(text(ProgramDirectoryFromDataPath(c.path, DriveRoot::Accepted)), c.directory) << c.path;
        EXPECT_EQ(text(ProgramDirectoryFromDataPath(c.path, DriveRoot::Refused)), c.removableDirectory) << c.path;
    }
}

TEST(Paths, FolderFileNameAndStemShareOneSeparatorSet) {
    EXPECT_EQ(WinPath("C:\\Tests\\Biology.tvt").FileName(), "Biology.tvt");
    EXPECT_EQ(WinPath("exam.TVT").FileName(), "exam.TVT");
    EXPECT_EQ(WinPath("C:\\dir\\").FileName(), "");
    // One separator set: backslash, slash, and a drive's colon.
    const struct {
        const char* path;
        const char* folder;
        const char* stem;
    } cases[] = {{"C:\\T\\a.b.tvt", "C:\\T\\", "a.b"}, {"/t/x.tvt", "/t/", "x"}, {"D:exam.tvt", "D:", "exam"},
                 {"exam", "", "exam"}, {"C:\\T.d\\exam", "C:\\T.d\\", "exam"}, {"C:\\T\\.tvt", "C:\\T\\", ".tvt"}};
    for (const auto& c : cases) {
        const WinPath path(c.path);
        EXPECT_EQ(path.Folder(), c.folder) << c.path;
        EXPECT_EQ(path.Folder() + path.FileName(), c.path) << c.path;
        EXPECT_EQ(path.Stem(), c.stem) << c.path;
        EXPECT_EQ(path.WithExtension(".html").Text(), c.folder + std::string(c.stem) + ".html") << c.path;
    }
    EXPECT_TRUE(WinPath("C:\\T\\Exam.TVT").SameFile(WinPath("c:\\t\\exam.tvt")));
    EXPECT_FALSE(WinPath("C:\\T\\exam.tvt").SameFile(WinPath("C:\\T\\exam.tv")));
    EXPECT_FALSE(WinPath("C:\\T\\exam.tvt").SameFile(WinPath("C:\\T\\exam.tvu")));
    EXPECT_TRUE(HasExtension("C:\\Notes.RtF", ".rtf"));
    EXPECT_FALSE(HasExtension("rtf", ".rtf"));
    EXPECT_FALSE(HasExtension("a.rtf.txt", ".RTF"));
}

// A companion never reaches past the test's own name: three characters that
// hold a separator of the one set leave none.
TEST(Paths, CompanionsReplaceTheLastThreeCharacters) {
    const struct {
        const char* path;
        const char* suffix;
        const char* companion;
    } cases[] = {{"C:\\T\\exam.tvt", kTemporarySuffix, "C:\\T\\exam.TMP"},
                 {"C:\\T\\exam.tvt", kBackupSuffix, "C:\\T\\exam.BAK"},
                 {"C:\\T\\exam.tvt", kSavedSuffix, "C:\\T\\exam.TVT"},
                 {"exam", kTemporarySuffix, "eTMP"},
                 {"ab", kTemporarySuffix, ""},
                 {"C:\\T\\ab", kTemporarySuffix, ""},
                 {"D:ab", kBackupSuffix, ""},
                 {"C:/t/ab", kSavedSuffix, ""}};
    for (const auto& c : cases) EXPECT_EQ(WinPath(c.path).Companion(c.suffix).Text(), c.companion) << c.path;
}

// DataPath values as a test sets them; counts the reads of the default user's.
struct FakeDataPathValues : DataPathValues {
    std::optional<std::string> currentUser;
    std::optional<std::string> defaultUser;
    int defaultUserReads = 0;
    std::optional<std::string> CurrentUser() override { return currentUser; }
    std::optional<std::string> DefaultUser() override {
        ++defaultUserReads;
        return defaultUser;
    }
};

TEST(DataPathLookup, CurrentUserComesFirstThenTheDefaultUserWhereTheLookupAllows) {
    const std::optional<std::string> none;
    const struct {
        std::optional<std::string> currentUser;
        std::optional<std::string> defaultUser;
        const char* currentUserOnly;  // nullptr: no directory
        const char* thenDefaultUser;
    } cases[] = {
        {std::string("C:\\Mine\\"), std::string("C:\\Default\\"), "C:\\Mine", "C:\\Mine"},
        {none, std::string("C:\\Default\\"), nullptr, "C:\\Default"},
        {std::string(""), std::string("C:\\Default\\"), nullptr, "C:\\Default"},
        {std::string("\\"), std::string("C:\\Default\\"), nullptr, nullptr},
        {none, none, nullptr, nullptr},
        {std::string(""), std::string(""), nullptr, nullptr},
    };
    for (const auto& c : cases) {
        FakeDataPathValues values;
        values.currentUser = c.currentUser;
        values.defaultUser = c.defaultUser;
        const auto expect = [](const char* text) { return text ? std::optional<std::string>(text) : std::nullopt; };
        const auto read = [&](DataPathLookup lookup) {
            const std::optional<Directory> directory = ReadProgramDirectory(values, lookup, DriveRoot::Accepted);
            return directory ? std::optional<std::string>(directory->Text()) : std::nullopt;
        };
        EXPECT_EQ(read(DataPathLookup::CurrentUser), expect(c.currentUserOnly)) << c.currentUser.value_or("none");
        EXPECT_EQ(values.defaultUserReads, 0) << "the default user's value is not looked at";
        EXPECT_EQ(read(DataPathLookup::CurrentUserThenDefaultUser), expect(c.thenDefaultUser))
            << c.currentUser.value_or("none");
    }
}

TEST(TestNames, FilterListsTestsThenAllFilesAndEndsInTwoZeros) {
    EXPECT_EQ(TestFileFilter(true), std::string("Tests (*.tvt)\0*.tvt\0All Files (*.*)\0*.*\0\0", 41));
    EXPECT_EQ(TestFileFilter(false), std::string("Tests (*.tvt)\0*.tvt\0\0", 21));
}

TEST(TestNames, RecoveredTestsAreCountedFromTheSecond) {
    EXPECT_EQ(RecoveredTestName("exam", 1), "exam recovered.tvt");
    EXPECT_EQ(RecoveredTestName("exam", 2), "exam recovered 2.tvt");
    EXPECT_EQ(JournalPathFor(Directory("C:\\Q\\")).Text(), "C:\\Q\\CHANGINGS.TMP");
}

}  // namespace
}  // namespace qb
