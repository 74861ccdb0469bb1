#include "shell/question_changes.h"

namespace qb {

namespace {

void DisableAnswerCommands(QuestionChangesView& view) {
    view.EnableCommand(RunCommand::ShowAnswer, false);
    view.EnableCommand(RunCommand::MarkAnswered, false);
}

// Edit and Remove end alike: no selection, and the commands that need one off.
void EndSelectionCommand(TestDocument& document, QuestionChangesView& view) {
    document.selectedKey = -1;
    view.EnableCommand(RunCommand::EditQuestion, false);
    view.EnableCommand(RunCommand::RemoveQuestion, false);
    view.EnableCommand(RunCommand::ResetQuestion, false);
    view.ClearOwnSelection();
}

void ShowCounters(const TestRunState& run, QuestionChangesView& view) {
    view.UpdateCounters(run.askedCount, run.correctCount, run.remainingCount);
}

// The node is in the index and the list only when both took it.
bool AddStoredQuestion(TestDocument& document, QuestionNode* node, const std::string& keyword, int result,
                       QuestionChangesView& view) {
    node->next = nullptr;
    node->status = 0;
    if (!view.InsertListItem(keyword, ImageOfStoredQuestion(result), node->key)) {
        view.ShowNoMemory();
        return false;
    }
    AppendNode(document, node);
    return true;
}

void EditSelectedQuestion(TestDocument& document, TestRunState& run, QuestionChangesView& view) {
    QuestionNode* node = FindNode(document, document.selectedKey);
    if (!node) return;
    document.pendingNode = node;
    int32_t previousStatus = node->status;
    std::string keyword;
    int result = view.RunQuestionDialog(EditorMode::Edit, keyword);
    document.pendingNode = nullptr;
    if (result == 0) return;
    node->status = 0;
    view.SetListItem(document.selectedItem, keyword, ImageOfStoredQuestion(result), node->key);
    document.modified = true;
    if (previousStatus != 0) {
        ++run.remainingCount;
        ShowCounters(run, view);
    }
}

void RemoveSelectedQuestion(TestDocument& document, TestRunState& run, QuestionChangesView& view) {
    QuestionNode* node = FindNode(document, document.selectedKey);
    if (!node) return;
    int32_t previousStatus = node->status;
    std::string keyword = view.ListItemText(document.selectedItem);
    if (!view.ConfirmRemoval(keyword)) return;

    if (run.lastAsked == node) run.lastAsked = nullptr;
    run.currentQuestion = nullptr;
    delete UnlinkNode(document, node->key);
    if (!document.head) {
        view.EnableCommand(RunCommand::Ask, false);
        view.EnableCommand(RunCommand::ShowAnswer, false);
        view.EnableCommand(RunCommand::MarkAnswered, false);
        view.EnableCommand(RunCommand::ResetAll, false);
    }
    view.DeleteListItem(document.selectedItem);
    --document.questionCount;
    document.modified = true;
    if (previousStatus == 0) --run.remainingCount;
    if (run.remainingCount == document.questionCount) view.EnableCommand(RunCommand::ResetAll, false);
    ShowCounters(run, view);
}

}  // namespace

int ImageOfStoredQuestion(int dialogResult) {
    return ListImage(0, dialogResult > 1);
}

void NewQuestion(TestDocument& document, TestRunState& run, QuestionChangesView& view) {
    DisableAnswerCommands(view);
    if (document.pendingNode) {
        view.ShowChangeMessage(ChangeMessage::NotPossibleNow);
        return;
    }
    if (document.testPath.empty() || !document.journalFile) {
        view.ShowChangeMessage(ChangeMessage::NeedOpenTest);
        return;
    }
    QuestionNode* node = document.memory->NewNode();
    if (!node) {
        view.ShowNoMemory();
        return;
    }
    document.pendingNode = node;
    std::string keyword;
    int result = view.RunQuestionDialog(EditorMode::Define, keyword);
    document.pendingNode = nullptr;
    if (result == 0 || !AddStoredQuestion(document, node, keyword, result, view)) {
        delete node;
        return;
    }
    ++document.questionCount;
    ++document.nextKey;
    ++run.remainingCount;
    ShowCounters(run, view);
    view.EnableCommand(RunCommand::Ask, true);
    document.modified = true;
}

void EditQuestion(TestDocument& document, TestRunState& run, QuestionChangesView& view) {
    DisableAnswerCommands(view);
    if (document.selectedKey >= 0) EditSelectedQuestion(document, run, view);
    EndSelectionCommand(document, view);
}

void RemoveQuestion(TestDocument& document, TestRunState& run, QuestionChangesView& view) {
    DisableAnswerCommands(view);
    if (document.selectedKey >= 0) RemoveSelectedQuestion(document, run, view);
    EndSelectionCommand(document, view);
}

}  // namespace qb
