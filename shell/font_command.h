// Options > Font: the question font of the Test pane.
#pragma once

namespace qb {

struct MainWindow;

// Runs the font dialog; on OK stores "Font" and gives the label and the boxes
// the new font.
void OnChooseFont(MainWindow& state);

}  // namespace qb
