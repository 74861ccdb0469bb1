#include "document/attachments.h"

#include <gtest/gtest.h>

#include "tests/support/memory_files.h"

namespace qb {
namespace {

using testing_support::MemoryFileSystem;

TEST(AttachmentNames, StarNamesLieInTheProgramDirectory) {
    const Directory program("C:\\Q\\");
    EXPECT_EQ(ResolveAttachmentName("*intro.rtf", program), "C:\\Q\\intro.rtf");
    EXPECT_EQ(ResolveAttachmentName("D:\\pics\\moon.bmp", program), "D:\\pics\\moon.bmp");
    EXPECT_EQ(ResolveAttachmentName("", program), "");
}

// A test moved from C:\Old to C:\T: what is missing at its stored place is
// taken from beside the test.
TEST(AttachmentNames, MissingFilesAreFoundBesideTheTest) {
    MemoryFileSystem fs;
    for (const char* file : {"D:\\pics\\here.bmp", "C:\\Q\\installed.rtf", "C:\\T\\moved.bmp", "C:\\T\\intro.rtf",
                             "C:\\T\\plain.txt", "C:\\T\\Cell.bmp", "beside.bmp"})
        fs.SetContent(file, "x");
    const struct {
        const char* stored;
        const char* testPath;
        const char* located;
    } cases[] = {
        {"D:\\pics\\here.bmp", "C:\\T\\exam.tvt", "D:\\pics\\here.bmp"},  // at its stored path
        {"C:\\Old\\moved.bmp", "C:\\T\\exam.tvt", "C:\\T\\moved.bmp"},    // gone: beside the test
        {"C:\\Old\\lost.bmp", "C:\\T\\exam.tvt", "C:\\Old\\lost.bmp"},    // in neither place
        {"*installed.rtf", "C:\\T\\exam.tvt", "C:\\Q\\installed.rtf"},    // "*" in the program directory
        {"*intro.rtf", "C:\\T\\exam.tvt", "C:\\T\\intro.rtf"},            // "*" missing there
        {"*pics\\Cell.bmp", "C:\\T\\exam.tvt", "C:\\T\\Cell.bmp"},        // the file's own name only
        {"plain.txt", "C:\\T\\exam.tvt", "C:\\T\\plain.txt"},             // no folder part
        {"C:\\Old\\beside.bmp", "exam.tvt", "beside.bmp"},                // test without folder part
        {"C:\\Old\\moved.bmp", "", "C:\\Old\\moved.bmp"},                 // no test path
        {"C:\\Old\\", "C:\\T\\exam.tvt", "C:\\Old\\"},                    // names no file
        {"", "C:\\T\\exam.tvt", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LocateAttachment(fs, c.stored, Directory("C:\\Q"), c.testPath), c.located)
            << c.stored << " / " << c.testPath;
}

}  // namespace
}  // namespace qb
