// Handlers of the Edit and Test menu commands, dispatched by the main window:
// the Edit commands are in question_changes_window.cpp, the Test commands in
// test_run.cpp.
#pragma once

namespace qb {

struct MainWindow;

void OnNewQuestion(MainWindow& state);
void OnEditQuestion(MainWindow& state);
void OnRemoveQuestion(MainWindow& state);
void OnAskQuestion(MainWindow& state);
void OnShowAnswer(MainWindow& state);
void OnMarkAnswered(MainWindow& state);
void OnResetQuestion(MainWindow& state);
void OnResetAllQuestions(MainWindow& state);

}  // namespace qb
