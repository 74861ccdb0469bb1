// What only the frame can do for the session, done with the main window's
// dialogs, message boxes, cursor and status bar.
#pragma once
#include <windows.h>
#include <commdlg.h>

#include <memory>
#include <string>

#include "base/path_limits.h"
#include "common/scoped_handles.h"
#include "editor/question_dialog.h"
#include "shell/session/frame_view.h"

namespace qb {

struct MainWindow;

class WindowFrameView final : public FrameView {
public:
    explicit WindowFrameView(MainWindow& state);

    MessageAnswer Show(const Message& message) override;
    bool ChoosePath(PathDialog dialog, std::string& path) override;
    int RunQuestionDialog(EditorMode mode, QuestionNode& node, std::string& keyword) override;
    int32_t ShowFindings(const std::vector<Finding>& findings) override;
    bool RunImportDialog(const std::string& tableBytes, TableOptions& options) override;
    void ShowRowErrors(const std::vector<RowError>& errors, size_t notListed) override;
    void BeginBusy(int busyText) override;
    void EndBusy() override;
    std::string FullPath(const std::string& path) override;
    void ShowHelp() override;
    void ShowAbout() override;
    void ChooseQuestionFont() override;
    void Exit() override;
    void ClickAnswerMarker(int row) override;
    void StoreSetting(const char* name, const std::string& text) override;

private:
    MainWindow& state_;
    // Shared by New, Open and Save as; the filter the user picked stays picked.
    OPENFILENAMEA fileDialog_ = {};
    std::string fileFilter_;
    // The save dialog of Export as web page, with its own filter and extension.
    OPENFILENAMEA webPageDialog_ = {};
    std::string webPageFilter_;
    // The export dialog's own settings, so each dialog keeps its filter.
    OPENFILENAMEA tableDialog_ = {};
    std::string tableFilter_;
    std::string importFilter_;
    char fileName_[kPathBufferSize] = {};
    // The question dialogs' keyword, attachment slots and file dialog settings.
    QuestionEditorState editor_;
    std::unique_ptr<WaitCursor> waitCursor_;
};

}  // namespace qb
