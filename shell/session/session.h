// The one owner of the open test's state: the document, the practising of
// it and the selection of the question list. Its operations are the main
// program's commands; what they change goes to one SessionObserver, what
// they need of the windows (dialogs, message boxes, the busy cursor) to a
// FrameView. No windows.h: the whole of it is tested natively.
#pragma once
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "authoring/question_table.h"
#include "document/document.h"
#include "shell/session/frame_view.h"
#include "shell/session/question_display_core.h"
#include "shell/session/random_source.h"
#include "shell/session/session_observer.h"

namespace qb {

struct Counters {
    int32_t asked = 0;
    int32_t correct = 0;
    int32_t remaining = 0;
};

// What the Test pane shows and the panes load, from Ask a Question on.
struct ShownQuestion {
    int rowCount = 0;          // 0 while nothing is displayed, else 1 + the number of answers
    bool answerShown = false;  // the pane uses the two rows of Show answer
    QuestionDisplay plan;      // what was read of the question
    std::string answer;        // the answer revealed by Show answer
    // The attached files to load now, found where LocateAttachment looks; empty: the pane keeps its file.
    std::string textPath;
    std::string picturePath;
};

enum class MarkerClick {
    Ignored,      // nothing is held for judging (no question, or its answer is shown)
    ShowAnswer,   // the question marker: reveal the answer
    RightAnswer,  // beep, then Show answer and Mark as answered
    WrongAnswer,  // marker inverted, question sound; the question cannot count as right any more
};

class TestSession {
public:
    // programDirectory: where "*" attachment names point; journalPath: the change journal.
    TestSession(Directory programDirectory, std::string journalPath, RandomSource& random);
    TestSession(const TestSession&) = delete;
    TestSession& operator=(const TestSession&) = delete;

    void SetObserver(SessionObserver* observer) { observer_ = observer; }

    // --- Queries ---------------------------------------------------------
    const TestDocument& Document() const { return document_; }
    TestDocument& Document() { return document_; }
    const Directory& ProgramDirectory() const { return programDirectory_; }
    bool IsOpen() const { return document_.IsOpen(); }
    bool IsModified() const { return document_.modified; }
    int32_t QuestionCount() const { return document_.questionCount; }
    Counters CurrentCounters() const;
    bool IsAnswered(int32_t key) const;
    // How often the question was missed; 0 for a key without a question.
    int32_t Misses(int32_t key) const;
    // The "Missed" cell of the question's row: the count, blank for 0.
    std::string MissedText(int32_t key) const;
    // The keyword and the list image (0 to 3) of a question's row; the
    // keyword's reference holds until the next command changes a row.
    const std::string& Keyword(int32_t key) const;
    int RowImage(int32_t key) const;
    // The same for a node of the index, without looking it up.
    int RowImage(const QuestionNode& node) const;
    // Ask a Question has a question to offer and has not said all are answered.
    bool CanAsk() const;
    const ShownQuestion& Shown() const { return shown_; }
    const QuestionNode* CurrentQuestion() const { return currentQuestion_; }
    const QuestionNode* LastAsked() const { return lastAsked_; }
    int32_t SelectedKey() const { return selection_.key; }
    bool HoldsAnswer() const { return heldAnswer_.has_value(); }

    // What the commands that depend on the practising offer right now.
    bool OffersShowAnswer() const { return IsOpen() && offers_.showAnswer; }
    bool OffersMarkAnswered() const { return IsOpen() && offers_.markAnswered; }
    bool OffersResetAll() const { return IsOpen() && offers_.resetAll; }
    // Edit, Remove (and Reset, for an answered question) act on the selected row.
    bool OffersSelectionCommands() const { return IsOpen() && selection_.commandsOn && selection_.key >= 0; }
    // A question with answer rows is displayed, its answer not yet shown.
    bool OffersAnswerKeys() const;
    bool CanUndo() const { return !undoSteps_.empty(); }
    // The Undo menu text naming the step Undo would take back.
    int UndoText() const;
    bool AsksMissedFirst() const { return missedFirst_; }

    // --- File commands -----------------------------------------------------
    // New, Open and Close run the save prompt first. For a damaged test its Yes
    // saves under a new name only; without one the command stops.
    void NewTest(FrameView& view);
    // A damaged test opens with the questions read, and the user is told.
    void OpenTest(FrameView& view);
    // Open of a path given at start-up, without the dialog. An empty path
    // (one that did not fit the path buffer) is reported as a file error.
    void OpenTestAt(const std::string& path, FrameView& view);
    void CloseTest(FrameView& view);
    // A damaged test is always saved as Save as saves, and never under a name
    // that would replace its damaged file.
    void SaveTest(FrameView& view);
    void SaveTestAs(FrameView& view);
    // The current questions (changes included, as Save would write them) as
    // one web page under a name the user chooses. Attached files that
    // cannot be put into the page are listed; the page is written anyway.
    void ExportWebPage(FrameView& view);
    // The close request and the system's question before the session ends:
    // true when the test may be given up (not modified, saved, or the user
    // said No). Clears modified when it says yes.
    bool MayGiveUpTest(FrameView& view);
    // The end of the program: the journal goes, nothing is asked.
    void EndProgram();

    // --- Question commands -------------------------------------------------
    void NewQuestion(FrameView& view);
    void EditQuestion(FrameView& view);
    void RemoveQuestion(FrameView& view);

    // --- Authoring commands ------------------------------------------------
    // Writes the current questions (the journal's included) to a table
    // chosen in the save dialog, as a table exported from the saved test.
    void ExportQuestions(FrameView& view);
    // Checks the current questions (the journal's included) and lists the
    // findings; the question of the finding the user picks is selected in
    // the list, as a click selects it.
    void CheckTest(FrameView& view);
    // Reads a table chosen in the open dialog, as the import dialog sets it
    // up. A table with an error in any row adds nothing and its errors are
    // listed; otherwise each row becomes a new question as an accepted
    // question dialog makes one.
    void ImportQuestions(FrameView& view);
    // An import checks each row as it makes its record, and holds the
    // records until the last row is read, so that a bad row leaves the
    // journal as it was. Records beyond this many bytes are not held: the
    // rest of the table is checked first, and then it is read again.
    static constexpr size_t kHeldImportBytes = size_t{32} << 20;
    void LimitHeldImport(size_t bytes) { heldImportBytes_ = bytes; }

    // --- Practice commands -------------------------------------------------
    // The selected question, or a random unanswered one.
    void AskQuestion(FrameView& view);
    void ShowAnswer(FrameView& view);
    void MarkAnswered(FrameView& view);
    // Works on the question selected in the list.
    void ResetQuestion(FrameView& view);
    void ResetAllQuestions(FrameView& view);
    // The question marker is index -1, the answer markers 0 to 4; boxText is
    // the whole text of the answer box beside the clicked marker.
    MarkerClick JudgeMarkerClick(int markerIndex, const std::string& boxText);

    // --- Learning from misses --------------------------------------------
    // Answer 1 to 5: a click on the marker of that answer row (row 0 the
    // top one), nothing where there is no such row.
    void ChooseAnswer(int row, FrameView& view);
    // Takes back the latest Mark as answered, Reset, Reset all or counted miss.
    void Undo(FrameView& view);
    // The stored choice at start-up; the menu item flips it and stores it.
    void SetMissedFirst(bool on) { missedFirst_ = on; }
    void ToggleMissedFirst(FrameView& view);

    // --- The question list -------------------------------------------------
    // The list reports a change of the row of key: the program's own
    // deselection while one is pending, otherwise the user's selection. The
    // list reports an image change of a row like a selection of it.
    void TakeListChange(int32_t key);
    // The list shows the "Keyword" and "Missed" columns rather than the plain
    // list. Set from the stored choice at start-up; Details switches it and
    // tells the observer.
    bool ShowsListDetails() const { return listDetails_; }
    void SetListDetails(bool details) { listDetails_ = details; }
    void ToggleListDetails();

private:
    struct Selection {
        int32_t key = -1;      // the question the selection commands work on
        int32_t itemKey = -1;  // the row the list shows selected
        bool commandsOn = false;
        bool ownDeselectPending = false;
    };
    struct Offers {
        bool showAnswer = false;
        bool markAnswered = false;
        bool resetAll = false;
        // Marking the last question told the user all are answered, which
        // withdrew Ask until a question becomes askable again.
        bool allAnsweredTold = false;
    };
    struct Row {
        std::string keyword;
        bool multipleChoice = false;
    };
    class RowCollector;
    // A question as a practice step found it.
    struct QuestionState {
        int32_t key = -1;
        int32_t status = 0;
        int32_t misses = 0;
    };
    // What Undo puts back: the questions the step changed, the correct
    // count, modified, and the Mark as answered it took from the asking.
    struct PracticeStep {
        int text = 0;  // the Undo menu text naming it
        std::vector<QuestionState> questions;
        int32_t correct = 0;
        bool modified = false;
        int64_t saves = 0;    // saves before the step; one since makes the test modified
        int64_t askings = 0;  // the asking it happened in
        int32_t markableKey = -1;
        bool allAnsweredTold = false;
    };
    // The asking runs from Ask a Question to the next Ask, New, Open, Close
    // or Exit; it ends as a miss when its question is still not answered and
    // a wrong answer was clicked or the answer revealed meanwhile.
    struct Asking {
        QuestionNode* node = nullptr;
        bool revealed = false;
    };

    void Tell(FrameView& view, const Message& message);
    // Observer shorthands.
    void ShowCounters();
    void ChangeDisplay(DisplayChange change);
    void SetTitle(const std::string& path);

    // File commands' steps.
    bool SaveAndReport(FrameView& view);
    bool ChooseSavePath(FrameView& view);
    enum class PromptedSave { Saved, Failed, NoName };
    PromptedSave SaveAfterPrompt(FrameView& view);
    bool PromptBeforeGivingUp(FrameView& view);
    void ForgetTest();
    void OpenPath(const std::optional<std::string>& commandLinePath, FrameView& view);
    void Save(FrameView& view, bool saveAs);
    bool SaveWouldReplace(const std::string& chosenPath, const std::string& damagedFile, FrameView& view);
    bool IsDamaged() const { return !document_.damagedFile.empty(); }
    bool ReadCurrentRecords(std::vector<QuestionRecord>& records);

    // Practice steps.
    QuestionNode* ChooseQuestion();
    std::string AttachmentPath(const std::string& name) const;
    // The test file the attachments' relative names start from.
    const std::string& AttachmentBase() const;
    bool DisplayQuestion(QuestionNode* node, FrameView& view);
    void SetStatus(QuestionNode& node, int32_t status);
    void Unmark(QuestionNode& node);
    void ClearOwnSelection();
    void TakeOwnDeselection();
    void EndSelectionCommand();
    void WithdrawAnswerCommands();

    // Question steps.
    bool StoreRow(int32_t key, const std::string& keyword, int dialogResult);
    // Drops the rows of key and above (keys no question has).
    void ForgetRowsFrom(int32_t key);
    // A node accepted by the question dialog (its record in the journal) joins
    // the index, the list and the counters. False when no memory is left.
    bool AddAcceptedQuestion(std::unique_ptr<QuestionNode> node, const std::string& keyword, int dialogResult);
    // Every record of the reader becomes a question, or none does.
    enum class ImportEnd {
        Imported,
        RowErrors,      // the reader's errors, nothing added
        Failed,         // nothing added, the message shown
        OutgrewMemory,  // the held records grew beyond their limit
    };
    ImportEnd ImportRecords(QuestionTableReader& reader, FrameView& view);
    // heldBytes above 0: rows are checked as they come, and their records
    // held until the last row, at most heldBytes of them; 0: the rows were
    // checked, and the records go to the journal in batches.
    ImportEnd ImportEachRecord(QuestionTableReader& reader, size_t heldBytes, FrameView& view);
    void EditSelectedQuestion(FrameView& view);
    void RemoveSelectedQuestion(FrameView& view);
    void CountAnswered();

    // Learning steps.
    void EndAsking();
    void RecordStep(int text, std::vector<QuestionState> questions);
    void RestoreQuestions(const std::vector<QuestionState>& questions);
    static QuestionState StateOf(const QuestionNode& node);

    Directory programDirectory_;
    std::string journalPath_;
    RandomSource& random_;
    SessionObserver* observer_ = nullptr;

    TestDocument document_;
    std::vector<Row> rows_;  // by key
    size_t heldImportBytes_ = kHeldImportBytes;
    int32_t answeredCount_ = 0;
    int32_t askedCount_ = 0;
    int32_t correctCount_ = 0;
    QuestionNode* currentQuestion_ = nullptr;  // may still be shown and marked; the random walk starts here
    QuestionNode* lastAsked_ = nullptr;
    QuestionNode* pendingNode_ = nullptr;    // set only while a question dialog runs
    std::optional<std::string> heldAnswer_;  // from the display of a question until Show answer
    bool wrongChoice_ = false;               // a wrong answer was clicked since the latest Ask a Question
    ShownQuestion shown_;
    Selection selection_;
    Offers offers_;
    bool listDetails_ = false;
    Asking asking_;
    int64_t askings_ = 0;  // Ask a Question since start
    int64_t saves_ = 0;    // successful saves since start
    std::deque<PracticeStep> undoSteps_;
    bool missedFirst_ = false;
};

}  // namespace qb
