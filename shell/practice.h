// The Test menu's commands on the main window, and the windows behind the
// test run's decisions.
#pragma once
#include <windows.h>

#include <memory>

#include "common/scoped_handles.h"
#include "shell/practice_core.h"

namespace qb {

struct MainWindow;

void OnAskQuestion(MainWindow& state);
void OnShowAnswer(MainWindow& state);
void OnMarkAnswered(MainWindow& state);
void OnResetQuestion(MainWindow& state);
void OnResetAllQuestions(MainWindow& state);

// TestRunView over the main window's controls.
class WindowTestRunView : public TestRunView {
public:
    explicit WindowTestRunView(MainWindow& state) : state_(state) {}
    void ShowMessage(RunMessage message) override;
    void EnableCommand(RunCommand command, bool enabled) override;
    void BeginBusy(BusyText text) override;
    void EndBusy() override;
    void UpdateCounters(int32_t asked, int32_t correct, int32_t remaining) override;
    void ChangeListImage(int32_t key, int delta) override;
    void ClearForQuestion() override;
    bool DisplayQuestion(QuestionNode* node) override;
    void RevealAnswer(const std::string& answer) override;
    void ShowAttachedText(const std::string& storedName) override;
    void ShowAttachedPicture(const std::string& storedName) override;
    bool ListItemHasSelection(int32_t item) override;
    void ClearListItemState(int32_t item) override;

private:
    MainWindow& state_;
    std::unique_ptr<WaitCursor> waitCursor_;
};

// The menu and toolbar command of a test-run command.
int CommandId(RunCommand command);

}  // namespace qb
