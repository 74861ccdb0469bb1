// New Question, Edit Question and Remove Question, as operations of the session.
#include <memory>
#include <utility>

#include "editor/question_form.h"
#include "shell/resource_ids.h"
#include "shell/session/session.h"

namespace qb {

void TestSession::NewQuestion(FrameView& view) {
    WithdrawAnswerCommands();
    if (pendingNode_) {
        Tell(view, Information(IDS_NOT_POSSIBLE_NOW, IDS_DEFINE_QUESTION_CAPTION));
        return;
    }
    if (document_.testPath.empty() || !document_.journalFile) {
        Tell(view, Information(IDS_NEED_OPEN_TEST, IDS_DEFINE_QUESTION_CAPTION));
        return;
    }
    std::unique_ptr<QuestionNode> node(document_.memory->NewNode());
    if (!node) {
        Tell(view, Warning(IDS_NO_MEMORY, IDS_ERROR_CAPTION));
        return;
    }
    pendingNode_ = node.get();
    std::string keyword;
    const int result = view.RunQuestionDialog(EditorMode::Define, *node, keyword);
    pendingNode_ = nullptr;
    if (result == 0) return;
    if (!AddAcceptedQuestion(std::move(node), keyword, result)) {
        Tell(view, Warning(IDS_NO_MEMORY, IDS_ERROR_CAPTION));
        return;
    }
    ShowCounters();
}

bool TestSession::AddAcceptedQuestion(std::unique_ptr<QuestionNode> node, const std::string& keyword,
                                      int dialogResult) {
    node->next = nullptr;
    node->status = 0;
    if (!StoreRow(node->key, keyword, dialogResult)) return false;
    const int32_t key = node->key;
    AppendNode(document_, node.release());
    ++document_.questionCount;
    ++document_.nextKey;
    if (observer_) observer_->QuestionAdded(key);
    offers_.allAnsweredTold = false;
    document_.modified = true;
    return true;
}

void TestSession::EditSelectedQuestion(FrameView& view) {
    QuestionNode* node = FindNode(document_, selection_.key);
    if (!node) return;
    pendingNode_ = node;
    const bool wasAnswered = node->status != 0;
    std::string keyword;
    const int result = view.RunQuestionDialog(EditorMode::Edit, *node, keyword);
    pendingNode_ = nullptr;
    if (result == 0) return;
    SetStatus(*node, 0);
    StoreRow(node->key, keyword, result);
    if (observer_) observer_->QuestionChanged(node->key);
    document_.modified = true;
    if (wasAnswered) ShowCounters();
}

void TestSession::RemoveSelectedQuestion(FrameView& view) {
    QuestionNode* node = FindNode(document_, selection_.key);
    if (!node) return;
    const int32_t key = node->key;
    const std::string keyword = Keyword(key).substr(0, kMaxKeywordLength);
    if (view.Show(Question(IDS_CONFIRM_DELETE, IDS_DELETE_CAPTION, MessageButtons::YesNo, {keyword})) !=
        MessageAnswer::Yes)
        return;

    if (lastAsked_ == node) lastAsked_ = nullptr;
    currentQuestion_ = nullptr;
    SetStatus(*node, 0);
    delete UnlinkNode(document_, key);
    if (static_cast<size_t>(key) < rows_.size()) rows_[static_cast<size_t>(key)] = Row();
    if (observer_) observer_->QuestionRemoved(key);
    --document_.questionCount;
    document_.modified = true;
    if (answeredCount_ == 0) offers_.resetAll = false;
    ShowCounters();
}

void TestSession::EditQuestion(FrameView& view) {
    WithdrawAnswerCommands();
    if (selection_.key >= 0) EditSelectedQuestion(view);
    EndSelectionCommand();
}

void TestSession::RemoveQuestion(FrameView& view) {
    WithdrawAnswerCommands();
    if (selection_.key >= 0) RemoveSelectedQuestion(view);
    EndSelectionCommand();
}

}  // namespace qb
