// The command table against the resource script: every menu item and every
// accelerator names a command of the table and the other way round, and the
// toolbar shows the fourteen images in order with three separators.
#include "shell/session/command_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "base/product_names.h"
#include "shell/resource_ids.h"
#include "tests/unit/shell/sequence_random.h"

namespace qb {
namespace {

// The ids the resource script names, by name; read as the resource compiler sees it.
std::map<std::string, int> CommandIds() {
    return {{"IDM_HELP", IDM_HELP},
            {"IDM_ABOUT", IDM_ABOUT},
            {"IDM_EXIT", IDM_EXIT},
            {"IDM_FILE_NEW", IDM_FILE_NEW},
            {"IDM_FILE_OPEN", IDM_FILE_OPEN},
            {"IDM_FILE_SAVE", IDM_FILE_SAVE},
            {"IDM_FILE_SAVE_AS", IDM_FILE_SAVE_AS},
            {"IDM_FILE_CLOSE", IDM_FILE_CLOSE},
            {"IDM_QUESTION_NEW", IDM_QUESTION_NEW},
            {"IDM_QUESTION_EDIT", IDM_QUESTION_EDIT},
            {"IDM_QUESTION_REMOVE", IDM_QUESTION_REMOVE},
            {"IDM_TEST_ASK", IDM_TEST_ASK},
            {"IDM_TEST_SHOW_ANSWER", IDM_TEST_SHOW_ANSWER},
            {"IDM_TEST_MARK_ANSWERED", IDM_TEST_MARK_ANSWERED},
            {"IDM_TEST_RESET_ALL", IDM_TEST_RESET_ALL},
            {"IDM_TEST_RESET", IDM_TEST_RESET},
            {"IDM_FONT", IDM_FONT},
            {"IDM_FILE_EXPORT_WEB_PAGE", IDM_FILE_EXPORT_WEB_PAGE},
            {"IDM_FILE_EXPORT_QUESTIONS", IDM_FILE_EXPORT_QUESTIONS},
            {"IDM_FILE_CHECK_TEST", IDM_FILE_CHECK_TEST},
            {"IDM_FILE_IMPORT_QUESTIONS", IDM_FILE_IMPORT_QUESTIONS},
            {"IDM_OPTIONS_DETAILS", IDM_OPTIONS_DETAILS},
            {"IDM_EDIT_UNDO", IDM_EDIT_UNDO},
            {"IDM_TEST_MISSED_FIRST", IDM_TEST_MISSED_FIRST},
            {"IDM_TEST_ANSWER_1", IDM_TEST_ANSWER_1},
            {"IDM_TEST_ANSWER_2", IDM_TEST_ANSWER_2},
            {"IDM_TEST_ANSWER_3", IDM_TEST_ANSWER_3},
            {"IDM_TEST_ANSWER_4", IDM_TEST_ANSWER_4},
            {"IDM_TEST_ANSWER_5", IDM_TEST_ANSWER_5}};
}

// The text of one block (MENU or ACCELERATORS) of the main program's script.
std::string Block(const std::string& header) {
    std::ifstream file(QB_MAIN_RESOURCE_SCRIPT);
    std::stringstream text;
    text << file.rdbuf();
    const std::string script = text.str();
    const size_t start = script.find(header);
    if (start == std::string::npos) return std::string();
    // Nested BEGIN/END pairs of the menu's popups end at the first END at line start.
    const size_t end = script.find("\nEND", start);
    return script.substr(start, end - start);
}

// The command ids a block names, as numbers.
std::set<int> IdsIn(const std::string& block) {
    std::set<int> ids;
    const std::map<std::string, int> known = CommandIds();
    const std::regex name("IDM_[A-Z0-9_]+");
    for (auto it = std::sregex_iterator(block.begin(), block.end(), name); it != std::sregex_iterator(); ++it) {
        auto found = known.find(it->str());
        EXPECT_NE(found, known.end()) << it->str() << " is not a command of the main program";
        if (found != known.end()) ids.insert(found->second);
    }
    return ids;
}

std::set<int> TableIds() {
    std::set<int> ids;
    for (const MainCommand& command : kMainCommands) EXPECT_TRUE(ids.insert(command.id).second) << command.id;
    return ids;
}

// The authors' commands, Export as web page, Details and the missed-first
// choice are chosen from the menu only.
const std::set<int> kWithoutAccelerator = {IDM_FILE_EXPORT_WEB_PAGE,  IDM_FILE_EXPORT_QUESTIONS, IDM_FILE_CHECK_TEST,
                                           IDM_FILE_IMPORT_QUESTIONS, IDM_OPTIONS_DETAILS,       IDM_TEST_MISSED_FIRST};

TEST(CommandTable, NamesTheCommandsOfTheMenuAndTheAccelerators) {
    const std::set<int> table = TableIds();
    EXPECT_EQ(IdsIn(Block("Quorbelind MENU")), table);
    std::set<int> accelerated = table;
    for (int id : kWithoutAccelerator) EXPECT_EQ(accelerated.erase(id), 1u) << id;
    EXPECT_EQ(IdsIn(Block("IDA_MAIN ACCELERATORS")), accelerated);
    for (const MainCommand& command : kMainCommands) {
        EXPECT_NE(command.run, nullptr) << command.id;
        EXPECT_NE(command.enabled, nullptr) << command.id;
        EXPECT_EQ(FindMainCommand(command.id), &command);
    }
    EXPECT_EQ(FindMainCommand(IDM_PICTURE_LAYOUT), nullptr);
    for (const CheckedCommand& command : kCheckedCommands) {
        EXPECT_NE(FindMainCommand(command.id), nullptr) << command.id;
        EXPECT_NE(command.checked, nullptr) << command.id;
    }
}

TEST(CommandTable, ToolbarShowsTheFourteenImagesInOrderInFourGroups) {
    int expectedImage = 0;
    std::vector<int> groupStarts;
    for (const MainCommand& command : kMainCommands) {
        if (command.toolbarImage < 0) {
            EXPECT_FALSE(command.separatorBefore) << command.id;
            continue;
        }
        EXPECT_EQ(command.toolbarImage, expectedImage) << command.id;
        if (command.separatorBefore) groupStarts.push_back(command.id);
        ++expectedImage;
    }
    EXPECT_EQ(expectedImage, kToolbarImageCount);
    EXPECT_EQ(groupStarts, (std::vector<int>{IDM_QUESTION_NEW, IDM_TEST_ASK, IDM_HELP}));
    EXPECT_EQ(kMainCommands[0].id, IDM_FILE_NEW);
    EXPECT_EQ(kMainCommands[11].id, IDM_TEST_RESET);
    EXPECT_EQ(kMainCommands[12].id, IDM_TEST_RESET_ALL);
}

// Without a test only the commands that need none are offered; ids outside
// the table are never switched off.
TEST(CommandTable, WithoutATestOnlyTheCommandsThatNeedNoneAreEnabled) {
    SequenceRandom random({});
    TestSession session(Directory("C:\\Program"), "C:\\Program\\CHANGINGS.TMP", random);
    std::set<int> enabled;
    for (const MainCommand& command : kMainCommands)
        if (IsCommandEnabled(session, command.id)) enabled.insert(command.id);
    EXPECT_EQ(enabled, (std::set<int>{IDM_FILE_NEW, IDM_FILE_OPEN, IDM_EXIT, IDM_HELP, IDM_ABOUT, IDM_FONT,
                                      IDM_OPTIONS_DETAILS, IDM_TEST_MISSED_FIRST}));
    EXPECT_TRUE(IsCommandEnabled(session, IDM_PICTURE_LAYOUT));
}

// No two strings of the program, its editor and its document share a number.
TEST(CommandTable, StringIdsAreDistinct) {
    const std::string script = QB_MAIN_RESOURCE_SCRIPT;
    const std::string shellDir = script.substr(0, script.rfind('/'));
    std::map<int, std::string> named;
    for (const std::string& header : {shellDir + "/resource_ids.h", shellDir + "/../editor/resource_ids.h",
                                      shellDir + "/../document/resource_ids.h"}) {
        std::ifstream file(header);
        ASSERT_TRUE(file) << header;
        const std::regex define("#define (IDS_\\w+) (\\d+)");
        for (std::string line; std::getline(file, line);) {
            std::smatch found;
            if (!std::regex_search(line, found, define)) continue;
            const auto [place, added] = named.emplace(std::stoi(found[2].str()), found[1].str());
            EXPECT_TRUE(added) << found[1].str() << " shares " << found[2].str() << " with " << place->second;
        }
    }
    EXPECT_GT(named.size(), 50u);
}

// The window title of the string table is the product title the other
// programs and the registry use.
TEST(CommandTable, TheProgramTitleIsTheProductTitle) {
    const std::string strings = Block("STRINGTABLE");
    const std::regex title("IDS_PROGRAM_TITLE\\s+\"([^\"]*)\"");
    std::smatch found;
    ASSERT_TRUE(std::regex_search(strings, found, title));
    EXPECT_EQ(found[1].str(), kProductTitle);
}

}  // namespace
}  // namespace qb
