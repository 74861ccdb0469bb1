// Ask a Question, Show answer, Mark as answered, the two resets and the
// judging of a clicked answer, as operations of the session.
#include <utility>
#include <vector>

#include "shell/resource_ids.h"
#include "document/attachments.h"
#include "shell/session/question_pick.h"
#include "shell/session/session.h"

namespace qb {

QuestionNode* TestSession::ChooseQuestion() {
    if (selection_.key >= 0) return FindNode(document_, selection_.key);
    QuestionNode* missed = missedFirst_ ? PickMostMissedQuestion(document_.head, lastAsked_, random_) : nullptr;
    if (missed != nullptr) return missed;
    return PickRandomQuestion(document_.head, currentQuestion_, lastAsked_, random_);
}

const std::string& TestSession::AttachmentBase() const {
    return document_.testFilePath.empty() ? document_.testPath : document_.testFilePath;
}

// Where an attached file of the open test is found; empty for no file.
std::string TestSession::AttachmentPath(const std::string& name) const {
    if (name.empty()) return name;
    return LocateAttachment(*document_.files, name, programDirectory_, AttachmentBase());
}

// Reads the node's record and plans what the panes show, keeping the right
// answer and the answer's files. False after the failure has been told.
bool TestSession::DisplayQuestion(QuestionNode* node, FrameView& view) {
    shown_ = ShownQuestion();
    if (!document_.IsOpen()) {
        Tell(view, Information(IDS_NO_TEST_OPENED, IDS_ATTENTION));
        return false;
    }
    if (node == nullptr) {
        Tell(view, Information(IDS_NO_QUESTION_AVAILABLE, IDS_ATTENTION));
        return false;
    }
    QuestionRecord record;
    const RecordProgress progress = ReadNodeRecordInOrder(document_, *node, record);
    if (progress.headerRead) {
        shown_.plan = PlanQuestionDisplay(record, progress, programDirectory_, random_);
        shown_.rowCount = shown_.plan.rowCount;
        heldAnswer_ = shown_.plan.rightAnswer;
        shown_.textPath = AttachmentPath(shown_.plan.questionTextFile);
        shown_.picturePath = AttachmentPath(shown_.plan.questionPictureFile);
    }
    ChangeDisplay(DisplayChange::QuestionShown);
    switch (progress.outcome) {
    case RecordRead::Complete: return true;
    case RecordRead::NoMemory: Tell(view, Warning(IDS_NO_MEMORY, IDS_ERROR_CAPTION)); return false;
    case RecordRead::FileError: break;
    }
    Tell(view, Warning(IDS_FILE_ERROR, IDS_ERROR_CAPTION));
    return false;
}

void TestSession::AskQuestion(FrameView& view) {
    EndAsking();
    wrongChoice_ = false;
    if (document_.head == nullptr || CurrentCounters().remaining == 0) {
        Tell(view, Information(IDS_NO_QUESTION_AVAILABLE, IDS_ATTENTION));
        return;
    }
    view.BeginBusy(IDS_BUSY_QUESTION);
    ChangeDisplay(DisplayChange::Cleared);
    QuestionNode* chosen = ChooseQuestion();
    currentQuestion_ = chosen;
    selection_.key = -1;
    lastAsked_ = chosen;
    asking_.node = chosen;
    ++askings_;
    heldAnswer_.reset();
    if (!DisplayQuestion(chosen, view)) {
        Tell(view, Information(IDS_DISPLAY_FAILED, IDS_ATTENTION));
        heldAnswer_.reset();
    }
    offers_.markAnswered = chosen != nullptr && chosen->status == 0;
    offers_.showAnswer = true;
    selection_.commandsOn = false;
    ++askedCount_;
    view.EndBusy();
    ShowCounters();
    ClearOwnSelection();
}

void TestSession::ShowAnswer(FrameView& view) {
    if (!heldAnswer_) {
        Tell(view, Information(IDS_NO_QUESTION_DISPLAYED, IDS_ATTENTION));
        return;
    }
    view.BeginBusy(IDS_BUSY_ANSWER);
    asking_.revealed = true;
    shown_.answer = *heldAnswer_;
    heldAnswer_.reset();
    shown_.answerShown = true;
    shown_.textPath = AttachmentPath(shown_.plan.answerTextFile);
    shown_.picturePath = AttachmentPath(shown_.plan.answerPictureFile);
    ChangeDisplay(DisplayChange::AnswerShown);
    selection_.commandsOn = false;
    offers_.showAnswer = false;
    view.EndBusy();
    ShowCounters();
}

void TestSession::MarkAnswered(FrameView& view) {
    QuestionNode* node = currentQuestion_;
    if (node == nullptr) {
        Tell(view, Information(IDS_NO_QUESTION_DISPLAYED, IDS_ATTENTION));
    } else if (node->status == 0) {
        if (!wrongChoice_) {
            RecordStep(IDS_UNDO_MARK_ANSWERED, {StateOf(*node)});
            SetStatus(*node, 1);
            offers_.resetAll = true;
            if (observer_) observer_->QuestionChanged(node->key);
            ++correctCount_;
            document_.modified = true;
            ShowCounters();
        }
        if (CurrentCounters().remaining == 0) {
            offers_.allAnsweredTold = true;
            Tell(view, Information(IDS_ALL_ANSWERED, IDS_ATTENTION));
        }
    }
    offers_.markAnswered = false;
    selection_.commandsOn = false;
    selection_.key = -1;
    currentQuestion_ = nullptr;
    ShowCounters();
}

// Status and row image go back to "not answered".
// A question reset while it is asked starts afresh: the learner marked it
// as known, so what the asking revealed before does not make it a miss.
void TestSession::Unmark(QuestionNode& node) {
    if (&node == asking_.node) asking_.revealed = false;
    SetStatus(node, 0);
    document_.modified = true;
    if (observer_) observer_->QuestionChanged(node.key);
    ShowCounters();
}

void TestSession::ResetQuestion(FrameView&) {
    if (selection_.key >= 0) {
        QuestionNode* node = FindNode(document_, selection_.key);
        if (node != nullptr && node->status != 0) {
            RecordStep(IDS_UNDO_RESET_QUESTION, {StateOf(*node)});
            Unmark(*node);
            offers_.allAnsweredTold = false;
        }
    }
    selection_.key = -1;
    currentQuestion_ = nullptr;
    selection_.commandsOn = false;
    ClearOwnSelection();
    ShowCounters();
}

void TestSession::ResetAllQuestions(FrameView& view) {
    if (document_.head == nullptr) {
        Tell(view, Information(IDS_NO_QUESTION_AVAILABLE, IDS_ATTENTION));
        return;
    }
    view.BeginBusy(IDS_BUSY_RESETTING);
    // The list reports each image change like a selection of that row; the
    // user's selection is what it was, so the next Ask is not bent to the
    // last question reset.
    const Selection selection = selection_;
    std::vector<QuestionState> answered;
    for (const QuestionNode* node = document_.head; node != nullptr; node = node->next) {
        if (node->status != 0) answered.push_back(StateOf(*node));
    }
    if (!answered.empty()) RecordStep(IDS_UNDO_RESET_ALL, std::move(answered));
    for (QuestionNode* node = document_.head; node != nullptr; node = node->next) {
        if (node->status != 0) Unmark(*node);
    }
    selection_.key = selection.key;
    selection_.itemKey = selection.itemKey;
    selection_.commandsOn = false;
    offers_.resetAll = false;
    offers_.allAnsweredTold = false;
    view.EndBusy();
    ShowCounters();
}

MarkerClick TestSession::JudgeMarkerClick(int markerIndex, const std::string& boxText) {
    if (!heldAnswer_) return MarkerClick::Ignored;
    if (markerIndex < 0) return MarkerClick::ShowAnswer;
    if (boxText == *heldAnswer_) return MarkerClick::RightAnswer;
    wrongChoice_ = true;
    asking_.revealed = true;
    return MarkerClick::WrongAnswer;
}

}  // namespace qb
