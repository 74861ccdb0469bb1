// What the test run learns from the learner: misses counted per question,
// the undo of practice steps and the answers chosen from the keyboard, as
// operations of the session.
#include <algorithm>
#include <utility>

#include "settings/settings_store.h"
#include "shell/resource_ids.h"
#include "shell/session/session.h"

namespace qb {

namespace {

// Practice steps kept for Undo; the oldest goes first.
constexpr size_t kMaxUndoSteps = 100;

}  // namespace

bool TestSession::OffersAnswerKeys() const {
    return IsOpen() && shown_.plan.shownAnswerRows > 0 && !shown_.answerShown;
}

int TestSession::UndoText() const {
    return undoSteps_.empty() ? IDS_UNDO : undoSteps_.back().text;
}

TestSession::QuestionState TestSession::StateOf(const QuestionNode& node) {
    return QuestionState{node.key, node.status, node.misses};
}

// Called before the step changes anything.
void TestSession::RecordStep(int text, std::vector<QuestionState> questions) {
    PracticeStep step;
    step.text = text;
    step.questions = std::move(questions);
    step.correct = correctCount_;
    step.modified = document_.modified;
    step.saves = saves_;
    step.askings = askings_;
    step.markableKey = offers_.markAnswered && currentQuestion_ != nullptr ? currentQuestion_->key : -1;
    step.allAnsweredTold = offers_.allAnsweredTold;
    if (undoSteps_.size() == kMaxUndoSteps) undoSteps_.pop_front();
    undoSteps_.push_back(std::move(step));
}

// The miss of the asking that ends now, counted as Mark as answered counts a
// right answer: the test is modified and the question's row redrawn.
void TestSession::EndAsking() {
    QuestionNode* node = asking_.node;
    const bool missed = node != nullptr && asking_.revealed && node->status == 0;
    asking_ = Asking();
    if (!missed || node->misses >= kMaxMisses) return;
    RecordStep(IDS_UNDO_MISSED, {StateOf(*node)});
    ++node->misses;
    document_.modified = true;
    // The list may report the redrawn row like a selection; the user's stays.
    const Selection selection = selection_;
    if (observer_) observer_->QuestionChanged(node->key);
    selection_ = selection;
}

// Questions removed since the step are left out. The list may report a
// changed image like a selection; the selection and what the display offers stay.
void TestSession::RestoreQuestions(const std::vector<QuestionState>& questions) {
    const Selection selection = selection_;
    const Offers offers = offers_;
    for (const QuestionState& state : questions) {
        QuestionNode* node = FindNode(document_, state.key);
        if (node == nullptr) continue;
        SetStatus(*node, state.status);
        node->misses = state.misses;
        if (observer_) observer_->QuestionChanged(node->key);
    }
    selection_ = selection;
    offers_ = offers;
}

void TestSession::Undo(FrameView&) {
    if (undoSteps_.empty()) return;
    const PracticeStep step = std::move(undoSteps_.back());
    undoSteps_.pop_back();
    RestoreQuestions(step.questions);
    correctCount_ = step.correct;
    // A save since the step wrote what is taken back now.
    document_.modified = step.saves == saves_ ? step.modified : true;
    offers_.resetAll = answeredCount_ > 0;
    offers_.allAnsweredTold = step.allAnsweredTold && CurrentCounters().remaining == 0;
    // Within the same asking, Mark as answered is offered again for its question.
    QuestionNode* markable =
        step.markableKey >= 0 && step.askings == askings_ ? FindNode(document_, step.markableKey) : nullptr;
    if (markable != nullptr && markable->status == 0) {
        currentQuestion_ = markable;
        offers_.markAnswered = true;
    }
    ShowCounters();
}

void TestSession::ChooseAnswer(int row, FrameView& view) {
    if (!OffersAnswerKeys() || row < 0 || row >= shown_.plan.shownAnswerRows) return;
    view.ClickAnswerMarker(row);
}

void TestSession::ToggleMissedFirst(FrameView& view) {
    missedFirst_ = !missedFirst_;
    view.StoreSetting(kValueMissedFirst, ChoiceText(missedFirst_));
}

}  // namespace qb
