#include "base/paths.h"

#include <gtest/gtest.h>

#include <string>

namespace qb {
namespace {

TEST(Paths, TrailingBackslashIsDroppedOnceAndAddedOnlyWhenMissing) {
    struct Case {
        const char* path;
        const char* dropped;
        const char* added;
    };
    const Case cases[] = {
        {"C:\\Quorbelind\\", "C:\\Quorbelind", "C:\\Quorbelind\\"},
        {"C:\\Quorbelind", "C:\\Quorbelind", "C:\\Quorbelind\\"},
        {"C:\\Quorbelind\\\\", "C:\\Quorbelind\\", "C:\\Quorbelind\\\\"},
        {"A:", "A:", "A:\\"},
        {"\\", "", "\\"},
        {"", "", "\\"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DropTrailingBackslash(c.path), c.dropped) << c.path;
        EXPECT_EQ(WithTrailingBackslash(c.path), c.added) << c.path;
    }
}

TEST(Paths, FileNameIsThePartAfterTheLastBackslash) {
    EXPECT_EQ(FileNameOfPath("C:\\Tests\\Biology.tvt"), "Biology.tvt");
    EXPECT_EQ(FileNameOfPath("exam.TVT"), "exam.TVT");
    EXPECT_EQ(FileNameOfPath("C:\\dir\\"), "");
    EXPECT_EQ(JoinPath("C:\\Q", "Dist"), "C:\\Q\\Dist");
}

}  // namespace
}  // namespace qb
