#include "install/install_paths.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

TEST(InstallPaths, SuggestionUsesTheDriveOfTheWindowsDirectory) {
    EXPECT_EQ(SuggestedDestination("C:\\WINDOWS", "Quorbelind"), "C:\\Quorbelind");
    EXPECT_EQ(SuggestedDestination("d:\\winnt\\", "Quorbelind"), "d:\\Quorbelind");
}

TEST(InstallPaths, EmptyAndDriveRootDestinationsAreRefused) {
    for (const char* refused : {"", "C:", "C:\\", "c:/", "Z:\\\\", "\\", "\\\\", "/"}) {
        EXPECT_TRUE(IsRefusedDestination(refused)) << refused;
    }
    for (const char* accepted : {"C:\\Quorbelind", "C:\\Quorbelind\\", "D:\\Tests\\Q", "Quorbelind", "C:\\A"}) {
        EXPECT_FALSE(IsRefusedDestination(accepted)) << accepted;
    }
}

}  // namespace
}  // namespace qb
