#include "shell/command_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "shell/resource_ids.h"

namespace qb {
namespace {

TEST(Toolbar, SeventeenEntriesWithSeparatorsAtSixTenAndSixteen) {
    std::set<size_t> separators;
    for (size_t i = 0; i < kToolbarEntryCount; ++i) {
        if (kToolbarEntries[i].command == 0) separators.insert(i + 1);
    }
    EXPECT_EQ(separators, (std::set<size_t>{6, 10, 16}));
}

TEST(Toolbar, ButtonsUseTheFourteenImagesInOrder) {
    int expectedImage = 0;
    for (const ToolbarEntry& entry : kToolbarEntries) {
        if (entry.command == 0) continue;
        EXPECT_EQ(entry.image, expectedImage) << "command " << entry.command;
        ++expectedImage;
    }
    EXPECT_EQ(expectedImage, kToolbarImageCount);
    EXPECT_EQ(kToolbarEntries[0].command, IDM_FILE_NEW);
    EXPECT_EQ(kToolbarEntries[13].command, IDM_TEST_RESET);
    EXPECT_EQ(kToolbarEntries[14].command, IDM_TEST_RESET_ALL);
    EXPECT_EQ(kToolbarEntries[16].command, IDM_HELP);
}

TEST(CommandGroups, OpenTestCommandsAreDocumentCommands) {
    const int* begin = kDocumentCommands;
    const int* end = kDocumentCommands + kDocumentCommandCount;
    for (int command : kOpenTestCommands) EXPECT_NE(std::find(begin, end, command), end) << command;
}

TEST(CommandGroups, FileNewOpenExitHelpAboutFontStayOutOfTheDocumentGroup) {
    const int* begin = kDocumentCommands;
    const int* end = kDocumentCommands + kDocumentCommandCount;
    for (int command : {IDM_FILE_NEW, IDM_FILE_OPEN, IDM_EXIT, IDM_HELP, IDM_ABOUT, IDM_FONT}) {
        EXPECT_EQ(std::find(begin, end, command), end) << command;
    }
    EXPECT_EQ(std::set<int>(begin, end).size(), kDocumentCommandCount);
}

}  // namespace
}  // namespace qb
