// The Edit menu's commands on the main window.
#pragma once

namespace qb {

struct MainWindow;

void OnNewQuestion(MainWindow& state);
void OnEditQuestion(MainWindow& state);
void OnRemoveQuestion(MainWindow& state);

}  // namespace qb
