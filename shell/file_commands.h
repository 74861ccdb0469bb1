// The File commands and the save prompt on the main window.
#pragma once

namespace qb {

struct MainWindow;

void OnFileNew(MainWindow& state);
void OnFileOpen(MainWindow& state);
void OnFileClose(MainWindow& state);
void OnFileSave(MainWindow& state);
void OnFileSaveAs(MainWindow& state);

// The close request and the system's question before the session ends.
bool MayGiveUpTest(MainWindow& state);

}  // namespace qb
