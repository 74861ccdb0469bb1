#include "shell/session/session.h"

#include <utility>

#include "editor/question_form.h"
#include "shell/resource_ids.h"

namespace qb {

TestSession::TestSession(Directory programDirectory, std::string journalPath, RandomSource& random)
    : programDirectory_(std::move(programDirectory)), journalPath_(std::move(journalPath)), random_(random) {}

Counters TestSession::CurrentCounters() const {
    return Counters{askedCount_, correctCount_, document_.questionCount - answeredCount_};
}

bool TestSession::IsAnswered(int32_t key) const {
    const QuestionNode* node = key >= 0 ? FindNode(document_, key) : nullptr;
    return node != nullptr && node->status != 0;
}

int32_t TestSession::Misses(int32_t key) const {
    const QuestionNode* node = key >= 0 ? FindNode(document_, key) : nullptr;
    return node != nullptr ? node->misses : 0;
}

std::string TestSession::MissedText(int32_t key) const {
    const int32_t misses = Misses(key);
    return misses > 0 ? std::to_string(misses) : std::string();
}

const std::string& TestSession::Keyword(int32_t key) const {
    static const std::string kNone;
    if (key < 0 || static_cast<size_t>(key) >= rows_.size()) return kNone;
    return rows_[static_cast<size_t>(key)].keyword;
}

int TestSession::RowImage(int32_t key) const {
    const QuestionNode* node = key >= 0 ? FindNode(document_, key) : nullptr;
    return node != nullptr ? RowImage(*node) : ListImage(0, false);
}

int TestSession::RowImage(const QuestionNode& node) const {
    const size_t slot = static_cast<size_t>(node.key);
    const bool multipleChoice = node.key >= 0 && slot < rows_.size() && rows_[slot].multipleChoice;
    return ListImage(node.status != 0 ? 1 : 0, multipleChoice);
}

bool TestSession::CanAsk() const {
    return IsOpen() && document_.questionCount > 0 && !offers_.allAnsweredTold;
}

void TestSession::Tell(FrameView& view, const Message& message) {
    view.Show(message);
}

void TestSession::ShowCounters() {
    if (observer_) observer_->StatusChanged(StatusShown::Counters);
}

void TestSession::ChangeDisplay(DisplayChange change) {
    if (observer_) observer_->DisplayChanged(change);
}

void TestSession::SetTitle(const std::string& path) {
    if (observer_) observer_->TitleChanged(path);
}

// --- The question list's selection ---------------------------------------------

void TestSession::TakeOwnDeselection() {
    selection_.key = -1;
    selection_.ownDeselectPending = false;
    selection_.commandsOn = false;
}

void TestSession::TakeListChange(int32_t key) {
    if (selection_.ownDeselectPending) {
        TakeOwnDeselection();
        return;
    }
    selection_.key = key;
    selection_.itemKey = key;
    selection_.commandsOn = true;
    offers_.showAnswer = false;
    offers_.markAnswered = false;
}

void TestSession::ToggleListDetails() {
    listDetails_ = !listDetails_;
    if (observer_) observer_->ListDetailsChanged();
}

// The list reports the cleared row as a change; when the row had no selection
// no report comes, and the deselection takes effect here.
void TestSession::ClearOwnSelection() {
    selection_.ownDeselectPending = true;
    if (observer_ && selection_.itemKey >= 0) observer_->ListSelectionCleared(selection_.itemKey);
    if (selection_.ownDeselectPending) TakeOwnDeselection();
}

void TestSession::EndSelectionCommand() {
    selection_.key = -1;
    selection_.commandsOn = false;
    ClearOwnSelection();
}

void TestSession::WithdrawAnswerCommands() {
    offers_.showAnswer = false;
    offers_.markAnswered = false;
}

// --- Statuses ------------------------------------------------------------------

void TestSession::SetStatus(QuestionNode& node, int32_t status) {
    if ((node.status != 0) != (status != 0)) answeredCount_ += status != 0 ? 1 : -1;
    node.status = status;
}

void TestSession::CountAnswered() {
    answeredCount_ = 0;
    for (const QuestionNode* node = document_.head; node != nullptr; node = node->next) {
        if (node->status != 0) ++answeredCount_;
    }
}

bool TestSession::StoreRow(int32_t key, const std::string& keyword, int dialogResult) {
    if (key < 0) return false;
    try {
        const size_t slot = static_cast<size_t>(key);
        if (slot >= rows_.size()) rows_.resize(slot + 1);
        Row& row = rows_[slot];
        row.keyword = keyword;
        row.multipleChoice = dialogResult > 1;
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void TestSession::ForgetRowsFrom(int32_t key) {
    if (key >= 0 && rows_.size() > static_cast<size_t>(key)) rows_.resize(static_cast<size_t>(key));
}

}  // namespace qb
