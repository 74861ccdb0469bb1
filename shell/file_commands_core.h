// The File commands and the save prompt as decisions over the document and
// the test-run state. The dialogs, message boxes and controls are reached
// through FileCommandsView, which the main window implements with its
// windows and tests in memory.
#pragma once
#include <string>

#include "document/document.h"
#include "shell/practice_state.h"

namespace qb {

enum class PromptAnswer { Yes, No, Cancel };

// The file dialog's purpose: its title and whether it opens or saves.
enum class PathDialog { New, Open, SaveAs };

enum class FileBusy { Opening, Closing, Saving };

// Where a document message is shown: its caption for the file error.
enum class MessagePlace {
    Command,  // New, Open, the prompt's save: "An error occured ..."
    Save,     // Save and Save as: "Save the Test ..."
};

class FileCommandsView {
public:
    virtual ~FileCommandsView() = default;
    // "Changings are not saved! Do you want to save now?"
    virtual PromptAnswer AskToSave() = 0;
    // The shared file dialog proposing path; false when cancelled.
    virtual bool ChoosePath(PathDialog dialog, std::string& path) = 0;
    virtual void ShowDocumentMessage(DocumentMessage message, MessagePlace place) = 0;
    // Save with no open test: "... no test opened !" with the caption "Save the Test ...".
    virtual void ShowSaveWithoutTest() = 0;
    virtual void BeginBusy(FileBusy busy) = 0;
    virtual void EndBusy() = 0;
    virtual QuestionList& List() = 0;
    virtual DocumentReporter& Reporter() = 0;
    // Hides the Test pane's controls: the question shown belonged to the test given up.
    virtual void HideDisplayedQuestion() = 0;
    virtual void SetTitle(const std::string& path) = 0;
    virtual void DisableDocumentCommands() = 0;
    virtual void EnableDocumentCommands() = 0;
    virtual void EnableAsk(bool enabled) = 0;
    virtual void EnableResetAll(bool enabled) = 0;
    virtual void UpdateCounters(int32_t asked, int32_t correct, int32_t remaining) = 0;
    // The two hints of the start-up status bar, the third part empty.
    virtual void ShowStartupHints() = 0;
    // The path as a full path, the way the system resolves it now.
    virtual std::string FullPath(const std::string& path) = 0;
    // "The test file is damaged: only %d questions could be read ! ..." with "An error occured ...".
    virtual void ShowDamagedTest(int32_t questionsRead) = 0;
    // "... the damaged test file is kept: choose another name !" with "Save the Test ...".
    virtual void ShowDamagedFileKept() = 0;
};

struct FileCommandContext {
    TestDocument& document;
    TestRunState& run;
    std::string journalPath;    // the change journal in the program directory
    bool& pathFromCommandLine;  // one-shot: Open takes testPath without the dialog
};

// New, Open and Close run the save prompt first. For a damaged test its Yes
// saves under a new name only; without one the command stops.
void NewTestCommand(FileCommandContext& context, FileCommandsView& view);
// A damaged test opens with the questions read, and the user is told.
void OpenTestCommand(FileCommandContext& context, FileCommandsView& view);
void CloseTestCommand(FileCommandContext& context, FileCommandsView& view);
// Save as first forgets the path, so the dialog asks for a new one. A
// damaged test is always saved as with Save as, and never under a name that
// would replace its damaged file.
void SaveTestCommand(FileCommandContext& context, FileCommandsView& view, bool saveAs);

// The close request and the system's question before the session ends: true
// when the test may be given up (not modified, saved, or the user said No).
// Clears modified when it says yes. A damaged test counts as saved only
// under a new name.
bool MayGiveUpTest(FileCommandContext& context, FileCommandsView& view);

// True when a save under chosenPath would write, rename or delete the file
// damagedFile (a full path): the chosen name itself or one of the save's
// working names ("TMP", "BAK", "TVT") names it.
bool SaveWouldReplace(const std::string& chosenPath, const std::string& damagedFile, FileCommandsView& view);

}  // namespace qb
