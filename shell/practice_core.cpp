#include "shell/practice_core.h"

#include "shell/question_pick.h"

namespace qb {
namespace {

QuestionNode* ChooseQuestion(TestRunState& run, const TestDocument& document, RandomSource& random) {
    if (document.selectedKey >= 0) return FindNode(document, document.selectedKey);
    return PickRandomQuestion(document.head, run.currentQuestion, run.lastAsked, random);
}

void DisableQuestionEditing(TestRunView& view) {
    view.EnableCommand(RunCommand::EditQuestion, false);
    view.EnableCommand(RunCommand::RemoveQuestion, false);
    view.EnableCommand(RunCommand::ResetQuestion, false);
}

void ShowCounters(const TestRunState& run, TestRunView& view) {
    view.UpdateCounters(run.askedCount, run.correctCount, run.remainingCount);
}

// Status and list image go back to "not answered".
void Unmark(TestRunState& run, TestDocument& document, QuestionNode& node, TestRunView& view) {
    node.status = 0;
    ++run.remainingCount;
    document.modified = true;
    view.ChangeListImage(node.key, -1);
    ShowCounters(run, view);
}

}  // namespace

void ClearOwnSelection(TestRunState& run, const TestDocument& document, TestRunView& view) {
    if (document.selectedItem < 0 || !view.ListItemHasSelection(document.selectedItem)) return;
    run.ownDeselectPending = true;
    view.ClearListItemState(document.selectedItem);
}

void AskQuestion(TestRunState& run, TestDocument& document, RandomSource& random, TestRunView& view) {
    run.wrongChoice = false;
    if (document.head == nullptr || run.remainingCount == 0) {
        view.ShowMessage(RunMessage::NoQuestionAvailable);
        return;
    }
    view.BeginBusy(BusyText::Question);
    view.ClearForQuestion();
    QuestionNode* chosen = ChooseQuestion(run, document, random);
    run.currentQuestion = chosen;
    document.selectedKey = -1;
    run.lastAsked = chosen;
    run.heldAnswer.reset();
    run.answerShown = false;
    if (!view.DisplayQuestion(chosen)) {
        view.ShowMessage(RunMessage::DisplayFailed);
        run.heldAnswer.reset();
    }
    view.EnableCommand(RunCommand::MarkAnswered, chosen != nullptr && chosen->status == 0);
    view.EnableCommand(RunCommand::ShowAnswer, true);
    DisableQuestionEditing(view);
    ++run.askedCount;
    view.EndBusy();
    ShowCounters(run, view);
    ClearOwnSelection(run, document, view);
}

void ShowAnswer(TestRunState& run, TestRunView& view) {
    if (!run.heldAnswer) {
        view.ShowMessage(RunMessage::NoQuestionDisplayed);
        return;
    }
    view.BeginBusy(BusyText::Answer);
    const std::string answer = *run.heldAnswer;
    run.heldAnswer.reset();
    run.answerShown = true;
    view.RevealAnswer(answer);
    if (!run.answerTextFile.empty()) view.ShowAttachedText(run.answerTextFile);
    if (!run.answerPictureFile.empty()) view.ShowAttachedPicture(run.answerPictureFile);
    DisableQuestionEditing(view);
    view.EnableCommand(RunCommand::ShowAnswer, false);
    view.EndBusy();
    ShowCounters(run, view);
}

void MarkAsAnswered(TestRunState& run, TestDocument& document, TestRunView& view) {
    QuestionNode* node = run.currentQuestion;
    if (node == nullptr) {
        view.ShowMessage(RunMessage::NoQuestionDisplayed);
    } else if (node->status == 0) {
        if (!run.wrongChoice) {
            node->status = 1;
            --run.remainingCount;
            view.EnableCommand(RunCommand::ResetAll, true);
            view.ChangeListImage(node->key, +1);
            ++run.correctCount;
            document.modified = true;
            ShowCounters(run, view);
        }
        if (run.remainingCount == 0) {
            view.EnableCommand(RunCommand::Ask, false);
            view.ShowMessage(RunMessage::AllAnswered);
        }
    }
    view.EnableCommand(RunCommand::MarkAnswered, false);
    DisableQuestionEditing(view);
    document.selectedKey = -1;
    run.currentQuestion = nullptr;
    ShowCounters(run, view);
}

void ResetQuestion(TestRunState& run, TestDocument& document, TestRunView& view) {
    if (document.selectedKey >= 0) {
        QuestionNode* node = FindNode(document, document.selectedKey);
        if (node != nullptr && node->status != 0) {
            Unmark(run, document, *node, view);
            view.EnableCommand(RunCommand::Ask, true);
        }
    }
    document.selectedKey = -1;
    run.currentQuestion = nullptr;
    DisableQuestionEditing(view);
    ClearOwnSelection(run, document, view);
    ShowCounters(run, view);
}

void ResetAllQuestions(TestRunState& run, TestDocument& document, TestRunView& view) {
    if (document.head == nullptr) {
        view.ShowMessage(RunMessage::NoQuestionAvailable);
        return;
    }
    view.BeginBusy(BusyText::Resetting);
    // The list reports each image change like a selection of that item; the
    // user's selection is what it was, so the next Ask is not bent to the
    // last question reset.
    const int32_t selectedKey = document.selectedKey;
    const int32_t selectedItem = document.selectedItem;
    for (QuestionNode* node = document.head; node != nullptr; node = node->next) {
        if (node->status != 0) Unmark(run, document, *node, view);
    }
    document.selectedKey = selectedKey;
    document.selectedItem = selectedItem;
    DisableQuestionEditing(view);
    view.EnableCommand(RunCommand::ResetAll, false);
    view.EnableCommand(RunCommand::Ask, true);
    view.EndBusy();
    ShowCounters(run, view);
}

MarkerClick JudgeMarkerClick(TestRunState& run, int markerIndex, const std::string& boxText) {
    if (!run.heldAnswer) return MarkerClick::Ignored;
    if (markerIndex < 0) return MarkerClick::ShowAnswer;
    if (boxText == *run.heldAnswer) return MarkerClick::RightAnswer;
    run.wrongChoice = true;
    return MarkerClick::WrongAnswer;
}

}  // namespace qb
