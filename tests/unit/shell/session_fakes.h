// The frame of the main program in memory, for the session's tests: a
// FrameView that answers the dialogs and message boxes as told and keeps what
// was shown, and a question list that reports its changes back to the
// session as the real list does (an image change or a cleared selection
// reaches TakeListChange; so does the deselection of a removed row).
#pragma once
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <deque>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "editor/question_store.h"
#include "shell/resource_ids.h"
#include "shell/session/command_table.h"
#include "shell/session/session.h"
#include "tests/support/disk_files.h"
#include "tests/unit/shell/sequence_random.h"

namespace qb {

// Messages in failure output: the text and caption ids and the arguments.
inline void PrintTo(const Message& message, std::ostream* out) {
    *out << "{text " << message.text << ", caption " << message.caption;
    for (const std::string& argument : message.arguments) *out << ", \"" << argument << "\"";
    *out << "}";
}

namespace session_testing {

using TempDir = testing_support::ScratchDirectory;

inline bool Exists(const std::string& path) {
    return access(path.c_str(), F_OK) == 0;
}

// One question record as the format lays it out: keyword, ten lengths, status, slots.
inline std::string Record(const std::string& keyword, const std::vector<std::string>& slots, int status) {
    std::string record = keyword + "\r\n";
    for (int k = 0; k < 10; ++k) {
        record += std::to_string(k < static_cast<int>(slots.size()) ? slots[k].size() : 0) + "\r\n";
    }
    record += std::to_string(status) + "\r\n";
    for (const std::string& slot : slots) record += slot;
    return record;
}

constexpr char kMagicLine[] = "QBKX0101A\r\n";

// What the author types into one run of the question dialog; an empty
// question text stands for pressing Cancel.
struct Typed {
    QuestionFields fields;
    AttachmentSlots slots;
};

inline Typed Typing(const std::string& keyword, const std::string& question, const std::string& answer,
                    std::array<std::string, 4> wrong = {}) {
    Typed typed;
    typed.fields.keyword = keyword;
    typed.fields.question = question;
    typed.fields.rightAnswer = answer;
    typed.fields.wrongAnswers = wrong;
    return typed;
}

// Answers as told and keeps what the session asked for.
class FakeFrame final : public FrameView {
public:
    explicit FakeFrame(TestDocument& document) : document_(document) {}

    MessageAnswer Show(const Message& message) override {
        messages.push_back(message);
        if (message.buttons == MessageButtons::Ok) return MessageAnswer::Ok;
        return answer;
    }
    bool ChoosePath(PathDialog dialog, std::string& path) override {
        dialogs.push_back(dialog);
        proposed.push_back(path);
        if (chosenPath.empty()) return false;
        path = chosenPath;
        return true;
    }
    // Stores what the script says through the editor's real Accept.
    int RunQuestionDialog(EditorMode mode, QuestionNode& node, std::string& keyword) override {
        if (whileQuestionDialogRuns) {
            whileQuestionDialogRuns();
            return 0;
        }
        dialogModes.push_back(mode);
        if (script.empty()) return 0;
        const Typed typed = script.front();
        script.pop_front();
        if (typed.fields.question.empty()) return 0;
        return AcceptQuestion(document_, &node, mode, typed.fields, typed.slots, keyword).result;
    }
    int32_t ShowFindings(const std::vector<Finding>& shown) override {
        findings.push_back(shown);
        if (findingPicked < 0 || static_cast<size_t>(findingPicked) >= shown.size()) return -1;
        return shown[static_cast<size_t>(findingPicked)].key;
    }
    bool RunImportDialog(const std::string& tableBytes, TableOptions& options) override {
        importedBytes.push_back(tableBytes);
        if (!importChoices) return false;
        options = *importChoices;
        return true;
    }
    void ShowRowErrors(const std::vector<RowError>& errors, size_t notListed) override {
        rowErrors.push_back(errors);
        rowErrorsNotListed.push_back(notListed);
    }
    void BeginBusy(int busyText) override {
        EXPECT_EQ(busyDepth, 0) << "busy twice";
        busyTexts.push_back(busyText);
        ++busyDepth;
    }
    void EndBusy() override {
        EXPECT_EQ(busyDepth, 1) << "cursor restored without a wait cursor";
        --busyDepth;
    }
    std::string FullPath(const std::string& path) override { return path; }
    void ShowHelp() override {}
    void ShowAbout() override {}
    void ChooseQuestionFont() override {}
    void Exit() override {}
    void ClickAnswerMarker(int row) override { clickedRows.push_back(row); }
    void StoreSetting(const char* name, const std::string& text) override { settings.push_back({name, text}); }

    // The text ids of the messages shown, in order.
    std::vector<int> Texts() const {
        std::vector<int> texts;
        for (const Message& message : messages) texts.push_back(message.text);
        return texts;
    }

    MessageAnswer answer = MessageAnswer::Cancel;  // to every question box
    std::string chosenPath;                        // empty: the file dialog is cancelled
    std::deque<Typed> script;
    std::vector<Message> messages;
    std::vector<PathDialog> dialogs;
    std::vector<std::string> proposed;
    std::vector<EditorMode> dialogModes;
    std::vector<std::vector<Finding>> findings;    // each list of findings shown
    int findingPicked = -1;                        // the finding double-clicked; -1: none
    std::vector<std::string> importedBytes;        // the table each import dialog was shown
    std::optional<TableOptions> importChoices;     // OK with these; none: Cancel
    std::vector<std::vector<RowError>> rowErrors;  // each list of row errors shown
    std::vector<size_t> rowErrorsNotListed;        // and how many more each had
    std::vector<int> busyTexts;
    int busyDepth = 0;
    // Runs in place of the question dialog, which then stores nothing: a
    // command that reaches the main window while the dialog is open.
    std::function<void()> whileQuestionDialogRuns;
    std::vector<int> clickedRows;  // the answer rows the keys clicked
    std::vector<std::pair<std::string, std::string>> settings;  // values written, in order

private:
    TestDocument& document_;
};

struct ListRow {
    std::string text;
    int image;
    int32_t key;
};

// The sorted question list, the status bar, the title and the Test pane.
class FakeList final : public SessionObserver {
public:
    explicit FakeList(TestSession& session) : session_(session) { session.SetObserver(this); }
    ~FakeList() override { session_.SetObserver(nullptr); }

    void QuestionsReplaced() override {
        rows.clear();
        highlighted = -1;
        for (const QuestionNode* node = session_.Document().head; node; node = node->next) Insert(node->key);
    }
    void QuestionAdded(int32_t key) override {
        ++singleAdds;
        Insert(key);
    }
    void QuestionsAdded(int32_t firstKey) override {
        ++batchAdds;
        const QuestionNode* node = session_.Document().head;
        while (node && node->key != firstKey) node = node->next;
        for (; node; node = node->next) Insert(node->key);
    }
    void QuestionChanged(int32_t key) override {
        ListRow* row = Row(key);
        if (row == nullptr) return;
        const std::string text = session_.Keyword(key);
        const int image = session_.RowImage(key);
        if (row->text == text && row->image == image) return;
        row->text = text;
        row->image = image;
        session_.TakeListChange(key);
    }
    void QuestionRemoved(int32_t key) override {
        rows.erase(std::remove_if(rows.begin(), rows.end(), [key](const ListRow& row) { return row.key == key; }),
                   rows.end());
        if (highlighted != key) return;
        highlighted = -1;
        session_.TakeListChange(key);
    }
    void ListSelectionCleared(int32_t key) override {
        if (highlighted != key) return;
        highlighted = -1;
        session_.TakeListChange(key);
    }
    void QuestionSelected(int32_t key) override { Select(key); }
    void StatusChanged(StatusShown shown) override {
        if (shown == StatusShown::StartupHints) {
            ++startupHints;
            return;
        }
        const Counters now = session_.CurrentCounters();
        counters = {now.asked, now.correct, now.remaining};
        ++counterUpdates;
    }
    void DisplayChanged(DisplayChange change) override { displayChanges.push_back(change); }
    void ListDetailsChanged() override { ++detailsSwitches; }
    void TitleChanged(const std::string& path) override { title = path; }

    // The user clicks the row of key.
    void Select(int32_t key) {
        highlighted = key;
        session_.TakeListChange(key);
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const ListRow& row : rows) texts.push_back(row.text);
        return texts;
    }
    ListRow* Row(int32_t key) {
        for (ListRow& row : rows)
            if (row.key == key) return &row;
        return nullptr;
    }

    std::vector<ListRow> rows;
    int32_t highlighted = -1;
    int singleAdds = 0;  // QuestionAdded
    int batchAdds = 0;   // QuestionsAdded
    std::vector<int32_t> counters;
    int counterUpdates = 0;
    int startupHints = 0;
    int detailsSwitches = 0;
    std::vector<DisplayChange> displayChanges;
    std::string title = "untouched";

private:
    // Of equal texts the later inserted comes first, as in the list view.
    void Insert(int32_t key) {
        ListRow row{session_.Keyword(key), session_.RowImage(key), key};
        auto place = std::lower_bound(rows.begin(), rows.end(), row,
                                      [](const ListRow& a, const ListRow& b) { return a.text < b.text; });
        rows.insert(place, row);
    }

    TestSession& session_;
};

// The enabled commands of the table, by id, for one look at the session.
inline std::vector<int> EnabledCommands(const TestSession& session) {
    std::vector<int> enabled;
    for (const MainCommand& command : kMainCommands)
        if (command.enabled(session)) enabled.push_back(command.id);
    std::sort(enabled.begin(), enabled.end());
    return enabled;
}

// A memory that refuses new question nodes once told to.
class RefusingMemory final : public DocumentMemory {
public:
    bool refuse = false;
    QuestionNode* NewNode() override { return refuse ? nullptr : DocumentMemory::NewNode(); }
};

// A session over a test directory: the frame, the list and a scripted random source.
struct SessionBench {
    SessionBench() : session(Directory(dir.File("")), dir.File("CHANGINGS.TMP"), random), frame(session.Document()) {}

    // Writes the test and opens it through the dialog; the records start afresh.
    void OpenFile(const std::string& name, const std::string& bytes) {
        testing_support::WriteAll(dir.File(name), bytes);
        frame.chosenPath = dir.File(name);
        session.OpenTest(frame);
        ResetFrame();
    }
    // Forgets what the frame and the list recorded and the chosen path.
    void ResetFrame() {
        ForgetRecords();
        frame.chosenPath.clear();
    }
    // Forgets what the frame and the list recorded; the user's answers stay.
    void ForgetRecords() {
        frame.messages.clear();
        frame.dialogs.clear();
        frame.proposed.clear();
        frame.busyTexts.clear();
        frame.dialogModes.clear();
        frame.findings.clear();
        frame.importedBytes.clear();
        frame.rowErrors.clear();
        list.counterUpdates = 0;
        list.displayChanges.clear();
    }
    QuestionNode* Node(int32_t key) { return FindNode(session.Document(), key); }
    bool Enabled(int command) const { return IsCommandEnabled(session, command); }

    TempDir dir;
    SequenceRandom random{{}};
    TestSession session;
    FakeFrame frame;
    FakeList list{session};
    RefusingMemory memory;
    int64_t noted = 0;  // a value a row keeps from its start to compare at its end
};

// The same as a fixture, for tests written as steps.
class SessionTest : public testing::Test, public SessionBench {};

}  // namespace session_testing
}  // namespace qb
