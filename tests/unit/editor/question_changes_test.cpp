#include "shell/question_changes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

#include "editor/question_store.h"
#include "tests/support/disk_files.h"

namespace qb {
namespace {

using testing_support::ReadAll;

std::string TempPath(const std::string& name) {
    return testing::TempDir() + "changes_" + name;
}

struct ListItem {
    std::string text;
    int image;
    int32_t key;
    bool selected = false;
};

// What the author types into one run of the question dialog; an empty
// question text stands for pressing Cancel.
struct Typed {
    QuestionFields fields;
    AttachmentSlots slots;
};

Typed Question(const std::string& keyword, const std::string& question, const std::string& answer,
               std::array<std::string, 4> wrong = {}) {
    Typed typed;
    typed.fields.keyword = keyword;
    typed.fields.question = question;
    typed.fields.rightAnswer = answer;
    typed.fields.wrongAnswers = wrong;
    return typed;
}

Typed Cancel() {
    return Typed{};
}

// The main window in memory: a sorted list, enable states, the messages
// shown, and a question dialog that stores what the script says through
// the editor's real Accept.
class FakeWindow final : public QuestionChangesView {
public:
    explicit FakeWindow(TestDocument& document) : document_(document) {}

    std::vector<ListItem> list;
    std::map<RunCommand, bool> enabled;
    std::vector<ChangeMessage> changeMessages;
    int noMemoryMessages = 0;
    std::deque<Typed> script;
    std::vector<EditorMode> dialogModes;
    std::vector<std::string> confirmations;
    bool confirmAnswer = true;
    bool insertFails = false;
    int counterUpdates = 0;
    int32_t shownRemaining = -1;
    int ownDeselections = 0;

    std::vector<std::string> ListTexts() const {
        std::vector<std::string> texts;
        for (const ListItem& item : list) texts.push_back(item.text);
        return texts;
    }
    const ListItem* ItemWithKey(int32_t key) const {
        for (const ListItem& item : list) {
            if (item.key == key) return &item;
        }
        return nullptr;
    }
    // As the list's item-changed notification records a selection.
    void Select(int32_t key) {
        for (size_t i = 0; i < list.size(); ++i) {
            list[i].selected = list[i].key == key;
            if (list[i].selected) {
                document_.selectedKey = key;
                document_.selectedItem = static_cast<int32_t>(i);
            }
        }
    }

    void ShowChangeMessage(ChangeMessage message) override { changeMessages.push_back(message); }
    void ShowNoMemory() override { ++noMemoryMessages; }
    int RunQuestionDialog(EditorMode mode, std::string& keyword) override {
        dialogModes.push_back(mode);
        EXPECT_NE(document_.pendingNode, nullptr) << "the dialog runs on the pending node";
        if (script.empty()) return 0;
        Typed typed = script.front();
        script.pop_front();
        if (typed.fields.question.empty()) return 0;
        return AcceptQuestion(document_, mode, typed.fields, typed.slots, keyword).result;
    }
    std::string ListItemText(int32_t item) override { return list.at(static_cast<size_t>(item)).text.substr(0, 20); }
    bool ConfirmRemoval(const std::string& keyword) override {
        confirmations.push_back(keyword);
        return confirmAnswer;
    }
    bool InsertListItem(const std::string& keyword, int image, int32_t key) override {
        if (insertFails) return false;
        ListItem item{keyword, image, key};
        auto place = std::upper_bound(list.begin(), list.end(), item,
                                      [](const ListItem& a, const ListItem& b) { return a.text < b.text; });
        list.insert(place, item);
        return true;
    }
    void SetListItem(int32_t item, const std::string& keyword, int image, int32_t key) override {
        ListItem& entry = list.at(static_cast<size_t>(item));
        entry.text = keyword;
        entry.image = image;
        entry.key = key;
    }
    void DeleteListItem(int32_t item) override { list.erase(list.begin() + item); }

    void EnableCommand(RunCommand command, bool on) override { enabled[command] = on; }
    void UpdateCounters(int32_t, int32_t, int32_t remaining) override {
        ++counterUpdates;
        shownRemaining = remaining;
    }
    void ClearOwnSelection() override {
        int32_t item = document_.selectedItem;
        if (item >= 0 && static_cast<size_t>(item) < list.size()) list[static_cast<size_t>(item)].selected = false;
        ++ownDeselections;
    }
    void ChangeListImage(int32_t key, int delta) {
        for (ListItem& item : list) {
            if (item.key == key) item.image += delta;
        }
    }

private:
    TestDocument& document_;
};

// A memory that can refuse nodes.
class CountedMemory final : public DocumentMemory {
public:
    bool refuse = false;
    QuestionNode* NewNode() override { return refuse ? nullptr : DocumentMemory::NewNode(); }
};

class QuestionChanges : public testing::Test {
protected:
    void SetUp() override {
        std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        testPath = TempPath(name + ".tvt");
        journalPath = TempPath(name + ".journal");
        ASSERT_EQ(CreateTest(document, testPath, journalPath), DocumentMessage::None);
        document.memory = &memory;
    }

    void Add(const Typed& typed) {
        window.script.push_back(typed);
        NewQuestion(document, run, window);
    }

    // Keys of the index in its order.
    std::vector<int32_t> IndexKeys() const {
        std::vector<int32_t> keys;
        for (QuestionNode* node = document.head; node; node = node->next) keys.push_back(node->key);
        return keys;
    }

    // Adds the three questions of an astronomy test.
    void AddThree() {
        Add(Question("Zodiac", "How many signs has the zodiac?", "Twelve"));
        Add(Question("Asteroids", "Where lies the main asteroid belt?", "Between Mars and Jupiter",
                     {"Beyond Neptune", "", "Between Venus and Earth", ""}));
        Add(Question("Moon", "What does the Moon show\r\nat new moon?", "Its dark side"));
    }

    CountedMemory memory;
    TestDocument document;
    TestRunState run;
    FakeWindow window{document};
    std::string testPath;
    std::string journalPath;
};

TEST_F(QuestionChanges, NewQuestionsAreListedByKeywordAndIndexedInOrderAdded) {
    AddThree();
    EXPECT_EQ(window.ListTexts(), (std::vector<std::string>{"Asteroids", "Moon", "Zodiac"}));
    EXPECT_EQ(window.ItemWithKey(0)->image, 0);
    EXPECT_EQ(window.ItemWithKey(1)->image, 2);
    EXPECT_EQ(window.ItemWithKey(2)->image, 0);
    EXPECT_EQ(IndexKeys(), (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(document.questionCount, 3);
    EXPECT_EQ(document.nextKey, 3);
    EXPECT_EQ(run.remainingCount, 3);
    EXPECT_EQ(window.shownRemaining, 3);
    EXPECT_TRUE(document.modified);
    EXPECT_TRUE(window.enabled[RunCommand::Ask]);
    EXPECT_FALSE(window.enabled[RunCommand::ShowAnswer]);
    EXPECT_FALSE(window.enabled[RunCommand::MarkAnswered]);
    EXPECT_EQ(document.pendingNode, nullptr);
    for (QuestionNode* node = document.head; node; node = node->next) EXPECT_TRUE(node->inJournal);
}

TEST_F(QuestionChanges, SavedTestHoldsTheNewQuestionsInTheOrderAdded) {
    AddThree();
    ASSERT_EQ(SaveTest(document), DocumentMessage::None);
    std::string saved = ReadAll(document.testPath);
    std::string expected =
        "QBKX0101A\r\n"
        "Zodiac\r\n30\r\n6\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
        "How many signs has the zodiac?Twelve"
        "Asteroids\r\n34\r\n24\r\n14\r\n0\r\n23\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
        "Where lies the main asteroid belt?Between Mars and JupiterBeyond NeptuneBetween Venus and Earth"
        "Moon\r\n37\r\n13\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
        "What does the Moon show\x02\x01"
        "at new moon?Its dark side"
        "\r\n";
    EXPECT_EQ(saved, expected);
}

TEST_F(QuestionChanges, CancelledDialogAddsNothing) {
    Add(Cancel());
    EXPECT_EQ(window.dialogModes, std::vector<EditorMode>{EditorMode::Define});
    EXPECT_EQ(document.head, nullptr);
    EXPECT_EQ(document.pendingNode, nullptr);
    EXPECT_TRUE(window.list.empty());
    EXPECT_EQ(document.questionCount, 0);
    EXPECT_EQ(document.nextKey, 0);
    EXPECT_EQ(run.remainingCount, 0);
    EXPECT_FALSE(document.modified);
}

TEST_F(QuestionChanges, NewQuestionWhileOneIsPendingIsRefused) {
    QuestionNode pending;
    document.pendingNode = &pending;
    Add(Question("Sun", "Star?", "Yes"));
    document.pendingNode = nullptr;
    EXPECT_EQ(window.changeMessages, std::vector<ChangeMessage>{ChangeMessage::NotPossibleNow});
    EXPECT_TRUE(window.dialogModes.empty());
    EXPECT_EQ(document.questionCount, 0);
}

TEST_F(QuestionChanges, NewQuestionNeedsAnOpenTest) {
    CloseTest(document);
    Add(Question("Sun", "Star?", "Yes"));
    EXPECT_EQ(window.changeMessages, std::vector<ChangeMessage>{ChangeMessage::NeedOpenTest});
    EXPECT_TRUE(window.dialogModes.empty());
    EXPECT_FALSE(window.enabled[RunCommand::ShowAnswer]);
}

TEST_F(QuestionChanges, NoMemoryForTheNodeRunsNoDialog) {
    memory.refuse = true;
    Add(Question("Sun", "Star?", "Yes"));
    EXPECT_EQ(window.noMemoryMessages, 1);
    EXPECT_TRUE(window.dialogModes.empty());
    EXPECT_EQ(document.pendingNode, nullptr);
}

TEST_F(QuestionChanges, QuestionTheListCannotTakeIsNotIndexed) {
    window.insertFails = true;
    Add(Question("Sun", "Star?", "Yes"));
    EXPECT_EQ(window.noMemoryMessages, 1);
    EXPECT_EQ(document.head, nullptr);
    EXPECT_EQ(document.questionCount, 0);
    EXPECT_EQ(run.remainingCount, 0);
    EXPECT_FALSE(document.modified);
}

TEST_F(QuestionChanges, EditingAnAnsweredQuestionMakesItUnanswered) {
    AddThree();
    QuestionNode* asteroids = FindNode(document, 1);
    asteroids->status = 1;
    window.ChangeListImage(1, 1);
    --run.remainingCount;
    document.modified = false;
    window.Select(1);

    window.script.push_back(
        Question("Asteroid belt", "Where lies the main asteroid belt?", "Between Mars and Jupiter"));
    EditQuestion(document, run, window);
    EXPECT_EQ(window.dialogModes.back(), EditorMode::Edit);
    EXPECT_EQ(asteroids->status, 0);
    EXPECT_EQ(run.remainingCount, 3);
    EXPECT_EQ(window.shownRemaining, 3);
    const ListItem* item = window.ItemWithKey(1);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text, "Asteroid belt");
    EXPECT_EQ(item->image, 0);
    EXPECT_TRUE(document.modified);
    EXPECT_EQ(document.selectedKey, -1);
    EXPECT_EQ(document.pendingNode, nullptr);
    EXPECT_FALSE(item->selected);
    EXPECT_EQ(window.ownDeselections, 1);
    EXPECT_FALSE(window.enabled[RunCommand::EditQuestion]);
    EXPECT_FALSE(window.enabled[RunCommand::RemoveQuestion]);
    EXPECT_FALSE(window.enabled[RunCommand::ResetQuestion]);
}

TEST_F(QuestionChanges, CancelledEditKeepsTheQuestionAnswered) {
    AddThree();
    QuestionNode* moon = FindNode(document, 2);
    moon->status = 1;
    window.ChangeListImage(2, 1);
    --run.remainingCount;
    int64_t position = moon->position;
    document.modified = false;
    window.Select(2);
    window.script.push_back(Cancel());
    EditQuestion(document, run, window);
    EXPECT_EQ(moon->status, 1);
    EXPECT_EQ(moon->position, position);
    EXPECT_EQ(run.remainingCount, 2);
    EXPECT_EQ(window.ItemWithKey(2)->image, 1);
    EXPECT_FALSE(document.modified);
    EXPECT_EQ(document.selectedKey, -1);
}

TEST_F(QuestionChanges, EditingTwiceLeavesTwoRecordsAndTheSaveKeepsTheSecond) {
    Add(Question("Sun", "What is the Sun?", "A star"));
    ASSERT_EQ(SaveTest(document), DocumentMessage::None);
    window.Select(0);
    window.script.push_back(Question("Sun", "What is the Sun?", "A yellow dwarf"));
    EditQuestion(document, run, window);
    window.Select(0);
    window.script.push_back(Question("Sun", "What is the Sun?", "A G-type star"));
    EditQuestion(document, run, window);

    std::string journal = ReadAll(journalPath);
    EXPECT_NE(journal.find("A yellow dwarf"), std::string::npos);
    EXPECT_NE(journal.find("A G-type star"), std::string::npos);
    ASSERT_EQ(SaveTest(document), DocumentMessage::None);
    EXPECT_EQ(ReadAll(document.testPath),
              "QBKX0101A\r\nSun\r\n16\r\n13\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
              "What is the Sun?A G-type star\r\n");
}

TEST_F(QuestionChanges, RemovalAsksWithTheKeywordAndNoKeepsEverything) {
    AddThree();
    window.Select(1);
    window.confirmAnswer = false;
    document.modified = false;
    RemoveQuestion(document, run, window);
    EXPECT_EQ(window.confirmations, std::vector<std::string>{"Asteroids"});
    EXPECT_EQ(IndexKeys(), (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(window.list.size(), 3u);
    EXPECT_FALSE(document.modified);
    EXPECT_EQ(document.selectedKey, -1);
    EXPECT_FALSE(window.enabled[RunCommand::RemoveQuestion]);
}

TEST_F(QuestionChanges, RemovedQuestionIsLeftOutAndKeysAreNeverReused) {
    AddThree();
    window.Select(1);
    RemoveQuestion(document, run, window);
    EXPECT_EQ(IndexKeys(), (std::vector<int32_t>{0, 2}));
    EXPECT_EQ(window.ListTexts(), (std::vector<std::string>{"Moon", "Zodiac"}));
    EXPECT_EQ(document.questionCount, 2);
    EXPECT_EQ(run.remainingCount, 2);
    EXPECT_EQ(window.shownRemaining, 2);

    Add(Question("Comets", "What is a comet's tail made of?", "Gas and dust"));
    EXPECT_EQ(IndexKeys(), (std::vector<int32_t>{0, 2, 3}));
    EXPECT_EQ(window.ItemWithKey(3)->text, "Comets");

    ASSERT_EQ(SaveTest(document), DocumentMessage::None);
    std::string saved = ReadAll(document.testPath);
    EXPECT_EQ(saved.find("Asteroids"), std::string::npos);
    size_t zodiac = saved.find("Zodiac");
    size_t moon = saved.find("Moon\r\n");
    size_t comets = saved.find("Comets");
    ASSERT_NE(comets, std::string::npos);
    EXPECT_LT(zodiac, moon);
    EXPECT_LT(moon, comets);
}

TEST_F(QuestionChanges, RemovingTheHeadMakesItsSuccessorTheHead) {
    AddThree();
    window.Select(0);
    RemoveQuestion(document, run, window);
    ASSERT_NE(document.head, nullptr);
    EXPECT_EQ(document.head->key, 1);
    EXPECT_EQ(IndexKeys(), (std::vector<int32_t>{1, 2}));
}

TEST_F(QuestionChanges, RemovingAnAnsweredQuestionKeepsRemainingAndEndsResetAll) {
    AddThree();
    FindNode(document, 2)->status = 1;
    --run.remainingCount;
    window.enabled[RunCommand::ResetAll] = true;
    window.Select(2);
    RemoveQuestion(document, run, window);
    EXPECT_EQ(run.remainingCount, 2);
    EXPECT_EQ(document.questionCount, 2);
    EXPECT_FALSE(window.enabled[RunCommand::ResetAll]);
}

TEST_F(QuestionChanges, RemovalWhileAnotherIsAnsweredKeepsResetAll) {
    AddThree();
    FindNode(document, 2)->status = 1;
    --run.remainingCount;
    window.enabled[RunCommand::ResetAll] = true;
    window.Select(0);
    RemoveQuestion(document, run, window);
    EXPECT_EQ(run.remainingCount, 1);
    EXPECT_TRUE(window.enabled[RunCommand::ResetAll]);
}

TEST_F(QuestionChanges, RemovalForgetsTheCurrentAndTheRemovedLastAsked) {
    AddThree();
    run.currentQuestion = FindNode(document, 0);
    run.lastAsked = FindNode(document, 0);
    window.Select(2);
    RemoveQuestion(document, run, window);
    EXPECT_EQ(run.currentQuestion, nullptr);
    EXPECT_EQ(run.lastAsked, FindNode(document, 0));

    run.lastAsked = FindNode(document, 1);
    window.Select(1);
    RemoveQuestion(document, run, window);
    EXPECT_EQ(run.lastAsked, nullptr);
}

TEST_F(QuestionChanges, RemovingTheLastQuestionEmptiesTheIndexAndDisablesAsking) {
    Add(Question("Sun", "What is the Sun?", "A star"));
    window.Select(0);
    RemoveQuestion(document, run, window);
    EXPECT_EQ(document.head, nullptr);
    EXPECT_EQ(document.questionCount, 0);
    EXPECT_EQ(run.remainingCount, 0);
    for (RunCommand command :
         {RunCommand::Ask, RunCommand::ShowAnswer, RunCommand::MarkAnswered, RunCommand::ResetAll}) {
        EXPECT_FALSE(window.enabled[command]);
    }
}

TEST_F(QuestionChanges, EditAndRemoveWithoutSelectionOnlyResetTheCommands) {
    AddThree();
    document.modified = false;
    window.script.push_back(Question("X", "Y", "Z"));
    EditQuestion(document, run, window);
    RemoveQuestion(document, run, window);
    EXPECT_EQ(window.dialogModes.size(), 3u);  // only the three New Question dialogs
    EXPECT_TRUE(window.confirmations.empty());
    EXPECT_FALSE(document.modified);
    EXPECT_FALSE(window.enabled[RunCommand::EditQuestion]);
}

}  // namespace
}  // namespace qb
