// What only the frame can do for the session: message boxes, the file and
// question dialogs, the busy cursor, and the frame's own commands.
#pragma once
#include <string>

#include <cstdint>
#include <vector>

#include "authoring/question_check.h"
#include "authoring/question_table.h"
#include "document/document.h"
#include "editor/question_form.h"
#include "message/message.h"

namespace qb {

// The file dialog's purpose: its title, its filter and whether it opens or
// saves. WebPage saves the page Export as web page writes; ExportTable and
// ImportTable are the tables of Export and Import questions.
enum class PathDialog { New, Open, SaveAs, WebPage, ExportTable, ImportTable };

class FrameView {
public:
    virtual ~FrameView() = default;
    virtual MessageAnswer Show(const Message& message) = 0;
    // The file dialog proposing path; false when cancelled.
    virtual bool ChoosePath(PathDialog dialog, std::string& path) = 0;
    // Runs the question dialog on node. Returns 0 when nothing was stored,
    // otherwise 1 plus the number of wrong answers, and the stored keyword.
    virtual int RunQuestionDialog(EditorMode mode, QuestionNode& node, std::string& keyword) = 0;
    // Lists Check test's findings. Returns the key of the question of the
    // finding the user picked, or -1.
    virtual int32_t ShowFindings(const std::vector<Finding>& findings) = 0;
    // The import dialog over the table's bytes: options holds what is
    // detected or chosen. False when cancelled.
    virtual bool RunImportDialog(const std::string& tableBytes, TableOptions& options) = 0;
    // Lists the errors of a refused table (row, column, text), and how many
    // more it holds than are listed.
    virtual void ShowRowErrors(const std::vector<RowError>& errors, size_t notListed) = 0;
    // The wait cursor and the busy text (a string id) in status-bar part 0.
    virtual void BeginBusy(int busyText) = 0;
    virtual void EndBusy() = 0;
    // The path as a full path, the way the system resolves it now.
    virtual std::string FullPath(const std::string& path) = 0;
    virtual void ShowHelp() = 0;
    virtual void ShowAbout() = 0;
    virtual void ChooseQuestionFont() = 0;
    virtual void Exit() = 0;
    // A click on the marker of the answer row (0 the top one) of the Test pane.
    virtual void ClickAnswerMarker(int row) = 0;
    // Writes a per-user value at once.
    virtual void StoreSetting(const char* name, const std::string& text) = 0;
};

}  // namespace qb
