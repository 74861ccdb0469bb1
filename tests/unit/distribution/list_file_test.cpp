#include "distribution/list_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace qb {
namespace {

// Writes bytes to a temporary file and reads every entry of it as a list file.
std::vector<ListEntry> ReadEntries(const std::string& bytes) {
    // One file per test: ctest runs the tests of this program side by side.
    const std::string path =
        testing::TempDir() + "list_file_" + testing::UnitTest::GetInstance()->current_test_info()->name() + ".lst";
    std::ofstream(path, std::ios::binary) << bytes;
    std::unique_ptr<ByteStream> stream = RealFileSystem().Open(path, OpenMode::Read);
    std::vector<ListEntry> entries;
    if (!stream) {
        ADD_FAILURE() << "cannot open " << path;
        return entries;
    }
    ListEntry entry;
    while (ReadListEntry(*stream, entry)) entries.push_back(entry);
    stream->Close();
    return entries;
}

TEST(ListFile, NumberedFilesAreTAndSevenDigits) {
    EXPECT_EQ(NumberedFileName(1), "T0000001");
    EXPECT_EQ(NumberedFileName(42), "T0000042");
    EXPECT_EQ(NumberedFileName(1234567), "T1234567");
}

TEST(ListFile, PlainFileNamesAreSafe) {
    for (const char* name : {"Biology.tvt", "Cell.bmp", "Answer text.rtf", "x", ".hidden", "a.b.c", "x..y", "Fig..bmp",
                             "Test...tvt", "a..b.bmp", "..hidden", "end.."}) {
        EXPECT_TRUE(IsSafeListName(name)) << name;
    }
    EXPECT_TRUE(IsSafeListName(std::string(kMaxPathLength, 'n')));
}

TEST(ListFile, NamesThatLeaveTheDirectoryAreRefused) {
    for (const char* name :
         {"", "..\\evil.txt", "../evil.txt", "..", "C:\\evil.txt", "C:evil.txt", "\\evil.txt", "\\\\server\\share\\x",
          "sub\\x.bmp", "sub/x.bmp", "..\\", "a..\\..\\b", "tab\there.txt", "cr\r"}) {
        EXPECT_FALSE(IsSafeListName(name)) << name;
    }
    EXPECT_FALSE(IsSafeListName(std::string("evil\0..\\x", 10)));
    EXPECT_FALSE(IsSafeListName(std::string("name\0.bmp", 9)));
    EXPECT_FALSE(IsSafeListName(std::string(kMaxPathLength + 1, 'n')));
}

// Windows opens a device under these names in every directory, and a name of
// dots and blanks alone is the directory itself.
TEST(ListFile, DeviceNamesAndTheDirectoryItselfAreRefused) {
    for (const char* name : {"CON",      "con",     "PRN",      "AUX",  "NUL",         "nul.txt",  "COM1",
                             "com9.bmp", "LPT1",    "Lpt3.rtf", "COM0", "lpt\xB9.txt", "CON .txt", "AUX.",
                             "CONIN$",   "conout$", "CLOCK$",   ".",    " ",           ". .",      "NUL  "}) {
        EXPECT_FALSE(IsSafeListName(name)) << name;
    }
    for (const char* name : {"CONSOLE.txt", "COM.bmp", "COMA", "LPT10", "nul_x", "aux-1.rtf", "Xcon", ". a"}) {
        EXPECT_TRUE(IsSafeListName(name)) << name;
    }
}

TEST(ListFile, LinesAreReadWithoutTheirBreaks) {
    std::vector<ListEntry> entries = ReadEntries("Biology.tvt\r\nCell.bmp\r\nCell.bmp\r\n");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "Biology.tvt");
    EXPECT_EQ(entries[1].name, "Cell.bmp");
    EXPECT_EQ(entries[2].name, "Cell.bmp");
    for (const ListEntry& entry : entries) EXPECT_TRUE(IsCopyableEntry(entry));
}

TEST(ListFile, LastLineWithoutBreakAndEmptyLinesCount) {
    std::vector<ListEntry> entries = ReadEntries("a.tvt\r\n\r\nb.rtf");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "a.tvt");
    EXPECT_EQ(entries[1].name, "");
    EXPECT_FALSE(IsCopyableEntry(entries[1]));
    EXPECT_EQ(entries[2].name, "b.rtf");
}

// What Creator writes, Install reads back line by line.
TEST(ListFile, WrittenEntriesAreCrLfLinesThatReadBackInOrder) {
    const std::vector<std::string> names = {"Biology.tvt", "", "Cell.bmp"};
    const std::string path = testing::TempDir() + "list_file_written.lst";
    std::unique_ptr<ByteStream> out = RealFileSystem().Open(path, OpenMode::CreateWrite);
    ASSERT_TRUE(out);
    for (const std::string& name : names) ASSERT_TRUE(WriteListEntry(*out, name));
    ASSERT_TRUE(out->Close());
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, "Biology.tvt\r\n\r\nCell.bmp\r\n");
    std::vector<ListEntry> entries = ReadEntries(bytes);
    ASSERT_EQ(entries.size(), names.size());
    for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(entries[i].name, names[i]);
}

TEST(ListFile, EmptyFileHasNoEntries) {
    EXPECT_TRUE(ReadEntries("").empty());
}

TEST(ListFile, OverlongLineIsOneRefusedEntryAndKeepsTheNumbering) {
    const std::string longest(259, 'n');
    const std::string tooLong(600, 'x');
    std::vector<ListEntry> entries = ReadEntries(longest + "\r\n" + tooLong + "\r\nafter.bmp\r\n");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, longest);
    EXPECT_TRUE(IsCopyableEntry(entries[0]));
    EXPECT_TRUE(entries[1].tooLong);
    EXPECT_FALSE(IsCopyableEntry(entries[1]));
    EXPECT_EQ(entries[2].name, "after.bmp");
    EXPECT_TRUE(IsCopyableEntry(entries[2]));
}

TEST(ListFile, LineOfOneCharacterTooManyIsRefused) {
    std::vector<ListEntry> entries = ReadEntries(std::string(kMaxPathLength + 1, 'n') + "\r\n");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_TRUE(entries[0].tooLong);
}

}  // namespace
}  // namespace qb
