// Putting a question into the Test pane and its attached files into the Text
// and Bild panes.
#pragma once
#include <string>

#include "document/document.h"

namespace qb {

struct MainWindow;

// Reads node's record and shows it: keyword, question, the answers of a
// multiple-choice question in drawn rows, the attached question text and
// picture. Keeps the right answer and the answer's file names in the
// test-run state. False after the failure has been reported.
bool DisplayQuestion(MainWindow& state, QuestionNode* node);

// Replaces the rich-text control's content by the file at path: rich text
// for a ".RTF" name in any case, otherwise plain text in the control's
// default format. A file that cannot be opened leaves the content as it is.
void StreamTextFile(MainWindow& state, const std::string& path);

// An attached file of the open test into the Text or the Bild pane, from
// wherever LocateAttachment finds it. name is the stored name (a "*" name
// may be resolved already); an empty name changes nothing.
void ShowAttachedText(MainWindow& state, const std::string& name);
void ShowAttachedPicture(MainWindow& state, const std::string& name);

// Show answer: the question and the first answer row share the pane, the
// answer in the first answer box, the other rows hidden.
void RevealAnswer(MainWindow& state, const std::string& answer);

// Before the next question: keyboard focus to the main window, the keyword
// label collapsed, the Text pane emptied, the picture released.
void ClearForQuestion(MainWindow& state);

// Lays the rows of a displayed question out again (nothing when none is shown).
void RelayoutTestPane(MainWindow& state);

}  // namespace qb
