// The frame's side of the session's change events: each goes to the one
// window that shows it.
#pragma once
#include "shell/session/session_observer.h"

namespace qb {

struct MainWindow;

class FrameObserver final : public SessionObserver {
public:
    explicit FrameObserver(MainWindow& state) : state_(state) {}

    void QuestionsReplaced() override;
    void QuestionAdded(int32_t key) override;
    void QuestionsAdded(int32_t firstKey) override;
    void QuestionChanged(int32_t key) override;
    void QuestionRemoved(int32_t key) override;
    void ListSelectionCleared(int32_t key) override;
    void QuestionSelected(int32_t key) override;
    void StatusChanged(StatusShown shown) override;
    void DisplayChanged(DisplayChange change) override;
    void ListDetailsChanged() override;
    void TitleChanged(const std::string& path) override;

private:
    void ShowAttachedFiles();

    MainWindow& state_;
};

}  // namespace qb
