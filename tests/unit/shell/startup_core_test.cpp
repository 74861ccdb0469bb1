#include "shell/session/startup_core.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

void ExpectStored(const StoredRect& r, int a, int b, int c, int d, int line) {
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    EXPECT_EQ(r.a, a);
    EXPECT_EQ(r.b, b);
    EXPECT_EQ(r.c, c);
    EXPECT_EQ(r.d, d);
}
#define EXPECT_STORED(r, a, b, c, d) ExpectStored((r), (a), (b), (c), (d), __LINE__)

void ExpectPlace(const ChildPlace& p, int x, int y, int width, int height, int line) {
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    EXPECT_EQ(p.x, x);
    EXPECT_EQ(p.y, y);
    EXPECT_EQ(p.width, width);
    EXPECT_EQ(p.height, height);
}
#define EXPECT_PLACE(p, x, y, w, h) ExpectPlace((p), (x), (y), (w), (h), __LINE__)

TEST(DefaultPlaces, FollowTheMaximisedWindowWithIntegerDivisions) {
    // 1288 x 1002: thirds and halves that do not divide evenly.
    EXPECT_STORED(DefaultMainRect(1288, 1002), 0, 0, 1281, 668);
    EXPECT_STORED(DefaultTextPaneRect(1288, 1002), 0, 668, 644, 334);
    EXPECT_STORED(DefaultPicturePaneRect(1288, 1002), 644, 668, 644, 334);
    EXPECT_STORED(DefaultMainRect(1025, 769), 0, 0, 1018, 512);
    EXPECT_STORED(DefaultTextPaneRect(1025, 769), 0, 512, 512, 256);
    EXPECT_STORED(DefaultPicturePaneRect(1025, 769), 512, 512, 512, 256);
}

TEST(ChildPlaces, ListAndTestPaneFollowTheClientSize) {
    EXPECT_PLACE(QuestionListPlace(800, 500, DisplayScale()), 10, 40, 150, 430);
    EXPECT_PLACE(TestPanePlace(800, 500, DisplayScale()), 169, 30, 631, 447);
    // At 144 DPI every margin is half as large again.
    EXPECT_PLACE(QuestionListPlace(1200, 750, DisplayScale(144)), 15, 60, 225, 645);
    EXPECT_PLACE(TestPanePlace(1200, 750, DisplayScale(144)), 254, 45, 946, 670);
}

TEST(ChildPlaces, StatusBarPartsEndAtThirds) {
    StatusPartEdges parts = StatusParts(1000);
    EXPECT_EQ(parts.edges[0], 333);
    EXPECT_EQ(parts.edges[1], 666);
    EXPECT_EQ(parts.edges[2], -1);
}

TEST(CommandLine, EmptyLineOpensNothing) {
    std::string path = "old";
    EXPECT_FALSE(TakeCommandLinePath("", path));
    EXPECT_EQ(path, "");
}

TEST(CommandLine, PathWithBlanksArrivesWhole) {
    std::string path;
    EXPECT_TRUE(TakeCommandLinePath("C:\\My Tests\\a b.tvt", path));
    EXPECT_EQ(path, "C:\\My Tests\\a b.tvt");
}

TEST(CommandLine, OneEnclosingPairOfQuotesIsRemoved) {
    std::string path;
    EXPECT_TRUE(TakeCommandLinePath("\"C:\\My Tests\\a.tvt\"", path));
    EXPECT_EQ(path, "C:\\My Tests\\a.tvt");
    EXPECT_TRUE(TakeCommandLinePath("\"\"C:\\a.tvt\"\"", path));
    EXPECT_EQ(path, "\"C:\\a.tvt\"");
}

TEST(CommandLine, UnbalancedQuotesAreKept) {
    std::string path;
    EXPECT_TRUE(TakeCommandLinePath("\"C:\\a.tvt", path));
    EXPECT_EQ(path, "\"C:\\a.tvt");
    EXPECT_TRUE(TakeCommandLinePath("\"", path));
    EXPECT_EQ(path, "\"");
}

TEST(CommandLine, PathThatDoesNotFitTheBufferIsNotTaken) {
    std::string path = "old";
    std::string fits(259, 'a');
    EXPECT_TRUE(TakeCommandLinePath(fits, path));
    EXPECT_EQ(path, fits);
    // Still a request to open, but with no path: Open reports the file error.
    EXPECT_TRUE(TakeCommandLinePath(std::string(260, 'a'), path));
    EXPECT_EQ(path, "");
    EXPECT_TRUE(TakeCommandLinePath("\"" + std::string(300, 'a') + "\"", path));
    EXPECT_EQ(path, "");
}

TEST(Title, ProgramTitleAloneOrWithThePath) {
    EXPECT_EQ(DocumentTitle("Quorbelind V1.00", ""), "Quorbelind V1.00");
    EXPECT_EQ(DocumentTitle("Quorbelind V1.00", "C:\\t\\exam.TVT"), "Quorbelind V1.00: C:\\t\\exam.TVT");
}

TEST(FileDialog, ProposedPathIsCutToTheBuffer) {
    EXPECT_EQ(FitPathBuffer("C:\\a.tvt"), "C:\\a.tvt");
    EXPECT_EQ(FitPathBuffer(std::string(400, 'x')).size(), 259u);
}

}  // namespace
}  // namespace qb
