// Placeholders for the Test commands: they do nothing until the test run
// takes them over. The Edit commands are in question_changes_window.cpp.
#include "shell/commands_pending.h"

#include "shell/main_window.h"

namespace qb {

void OnAskQuestion(MainWindow&) {}
void OnShowAnswer(MainWindow&) {}
void OnMarkAnswered(MainWindow&) {}
void OnResetQuestion(MainWindow&) {}
void OnResetAllQuestions(MainWindow&) {}

}  // namespace qb
