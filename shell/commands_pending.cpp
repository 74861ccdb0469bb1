// Placeholders for the Edit and Test commands: they do nothing until the
// question changes and the test run take them over.
#include "shell/commands_pending.h"

#include "shell/main_window.h"

namespace qb {

void OnNewQuestion(MainWindow&) {}
void OnEditQuestion(MainWindow&) {}
void OnRemoveQuestion(MainWindow&) {}
void OnAskQuestion(MainWindow&) {}
void OnShowAnswer(MainWindow&) {}
void OnMarkAnswered(MainWindow&) {}
void OnResetQuestion(MainWindow&) {}
void OnResetAllQuestions(MainWindow&) {}

}  // namespace qb
