#include "shell/frame/frame_observer.h"

#include "settings/settings_registry.h"
#include "shell/frame/main_window.h"
#include "shell/frame/message_display.h"
#include "shell/panes/picture_pane.h"
#include "shell/resource_ids.h"
#include "shell/session/startup_core.h"

namespace qb {

void FrameObserver::QuestionsReplaced() {
    state_.questionList.Refill(*state_.session);
}

void FrameObserver::QuestionAdded(int32_t key) {
    state_.questionList.Add(*state_.session, key);
}

void FrameObserver::QuestionsAdded(int32_t firstKey) {
    state_.questionList.AddFrom(*state_.session, firstKey);
}

void FrameObserver::QuestionChanged(int32_t key) {
    state_.questionList.Update(*state_.session, key);
}

void FrameObserver::QuestionRemoved(int32_t key) {
    state_.questionList.Remove(key);
}

void FrameObserver::ListSelectionCleared(int32_t key) {
    state_.questionList.ClearSelection(key);
}

void FrameObserver::QuestionSelected(int32_t key) {
    state_.questionList.Select(key);
}

void FrameObserver::StatusChanged(StatusShown shown) {
    switch (shown) {
    case StatusShown::Counters: state_.statusBar.ShowCounters(state_.session->CurrentCounters()); break;
    case StatusShown::StartupHints: state_.statusBar.ShowStartupHints(); break;
    }
}

// The panes keep their files where the session names none.
void FrameObserver::ShowAttachedFiles() {
    const ShownQuestion& shown = state_.session->Shown();
    if (!shown.textPath.empty()) state_.textPane.ShowFile(shown.textPath);
    if (!shown.picturePath.empty()) LoadPicture(state_.picturePane, shown.picturePath);
}

void FrameObserver::DisplayChanged(DisplayChange change) {
    switch (change) {
    case DisplayChange::Hidden: state_.testPane.Hide(); break;
    case DisplayChange::Cleared:
        SetFocus(state_.window);
        state_.testPane.CollapseLabel();
        state_.textPane.Clear();
        ReleasePicture(state_.picturePane);
        UpdateWindow(state_.picturePane);
        break;
    case DisplayChange::QuestionShown:
        state_.testPane.ShowQuestion(state_.session->Shown());
        ShowAttachedFiles();
        break;
    case DisplayChange::AnswerShown:
        state_.testPane.RevealAnswer(state_.session->Shown().answer);
        ShowAttachedFiles();
        break;
    }
}

// The choice is kept for the next start as soon as it is made.
void FrameObserver::ListDetailsChanged() {
    const bool details = state_.session->ShowsListDetails();
    state_.questionList.ShowDetails(*state_.session, details);
    WriteUserSwitch(kValueListDetails, details);
}

void FrameObserver::TitleChanged(const std::string& path) {
    SetWindowTextA(state_.window, DocumentTitle(LoadText(IDS_PROGRAM_TITLE), path).c_str());
}

}  // namespace qb
