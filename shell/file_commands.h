// The File commands and the questions before a modified test is given up.
#pragma once
#include <windows.h>

namespace qb {

struct MainWindow;

void OnFileNew(MainWindow& state);
void OnFileOpen(MainWindow& state);
void OnFileClose(MainWindow& state);
void OnFileSave(MainWindow& state);
void OnFileSaveAs(MainWindow& state);

// "Changings are not saved! ..." with Yes, No and Cancel: IDYES, IDNO or IDCANCEL.
int AskToSave(HWND owner);

// The close request and the system's question before it ends the session:
// true when the test may be given up (saved, not modified, or the user said No).
bool MayGiveUpTest(MainWindow& state);

}  // namespace qb
