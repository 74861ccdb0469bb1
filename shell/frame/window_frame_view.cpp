#include "shell/frame/window_frame_view.h"

#include "common/help_engine.h"
#include "base/document_names.h"
#include "distribution/program_files.h"
#include "shell/frame/about_dialog.h"
#include "shell/frame/report_list_dialog.h"
#include "shell/frame/import_dialog.h"
#include "shell/frame/main_window.h"
#include "shell/frame/message_display.h"
#include "settings/settings_registry.h"
#include "shell/resource_ids.h"
#include "message/message.h"
#include "shell/session/startup_core.h"

namespace qb {
namespace {

// The full path with its long names (a short alias names the same file), or
// the path as it is when the system cannot resolve it.
std::string FullPathOf(const std::string& path) {
    char full[kPathBufferSize];
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    if (length == 0 || length >= sizeof full) return path;
    char longName[kPathBufferSize];
    const DWORD longLength = GetLongPathNameA(full, longName, sizeof longName);
    return longLength == 0 || longLength >= sizeof longName ? full : longName;
}

}  // namespace

WindowFrameView::WindowFrameView(MainWindow& state)
    : state_(state),
      fileFilter_(TestFileFilter(true)),
      webPageFilter_(WebPageFileFilter()),
      tableFilter_(ExportTableFilter()),
      importFilter_(ImportTableFilter()) {
    fileDialog_.lStructSize = sizeof fileDialog_;
    fileDialog_.hwndOwner = state.window;
    fileDialog_.lpstrFilter = fileFilter_.c_str();
    fileDialog_.lpstrFile = fileName_;
    fileDialog_.nMaxFile = sizeof fileName_;
    fileDialog_.lpstrInitialDir = state.program->programDir.Text().c_str();
    fileDialog_.lpstrDefExt = kTestExtension;
    fileDialog_.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;
    webPageDialog_ = fileDialog_;
    webPageDialog_.lpstrFilter = webPageFilter_.c_str();
    webPageDialog_.nFilterIndex = 1;
    webPageDialog_.lpstrDefExt = "html";
    tableDialog_ = fileDialog_;
    tableDialog_.lpstrFilter = tableFilter_.c_str();
    tableDialog_.lpstrDefExt = "csv";
}

// The box shows over menus and buttons as the session has left them so far.
MessageAnswer WindowFrameView::Show(const Message& message) {
    ApplyCommandStates(state_);
    return ShowMessage(state_.window, message);
}

bool WindowFrameView::ChoosePath(PathDialog kind, std::string& path) {
    const UINT titleIds[] = {IDS_NEW_TEST_TITLE, IDS_OPEN_TEST_TITLE, IDS_SAVE_AS_TITLE, IDS_WEB_PAGE_TITLE,
                             IDS_EXPORT_TITLE,   IDS_IMPORT_TITLE};
    const std::string title = LoadText(titleIds[static_cast<int>(kind)]);
    const bool open = kind == PathDialog::Open || kind == PathDialog::ImportTable;
    OPENFILENAMEA& settings = kind == PathDialog::WebPage       ? webPageDialog_
                              : kind == PathDialog::ExportTable ? tableDialog_
                                                                : fileDialog_;
    lstrcpynA(fileName_, FitPathBuffer(path).c_str(), sizeof fileName_);
    OPENFILENAMEA dialog = settings;
    if (kind == PathDialog::ImportTable) {
        dialog.lpstrFilter = importFilter_.c_str();
        dialog.nFilterIndex = 1;
        dialog.lpstrDefExt = nullptr;
    }
    dialog.hwndOwner = state_.window;
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = open ? (OFN_EXPLORER | OFN_FILEMUSTEXIST) : (OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT);
    ApplyCommandStates(state_);
    const bool chosen = (open ? GetOpenFileNameA(&dialog) : GetSaveFileNameA(&dialog)) != FALSE;
    if (kind != PathDialog::ImportTable) settings.nFilterIndex = dialog.nFilterIndex;
    if (!chosen) return false;
    path = fileName_;
    return true;
}

int WindowFrameView::RunQuestionDialog(EditorMode mode, QuestionNode& node, std::string& keyword) {
    QuestionDialogData data;
    data.mode = mode;
    data.module = state_.module;
    data.programDirectory = state_.program->programDir;
    data.document = &state_.session->Document();
    data.node = &node;
    data.editor = &editor_;
    ApplyCommandStates(state_);
    const int result = qb::RunQuestionDialog(state_.window, data);
    if (result != 0) keyword = editor_.keyword;
    return result;
}

int32_t WindowFrameView::ShowFindings(const std::vector<Finding>& findings) {
    ReportListData data;
    data.caption = IDS_CHECK_CAPTION;
    data.hint = IDS_FINDINGS_HINT;
    data.columns = {IDS_FINDING_KEYWORD, IDS_FINDING_TEXT};
    data.codePage = 1252;
    data.pickable = true;
    for (const Finding& finding : findings) data.rows.push_back({finding.keyword, finding.what});
    ApplyCommandStates(state_);
    RunReportListDialog(state_.window, data);
    return data.pickedRow < 0 ? -1 : findings[static_cast<size_t>(data.pickedRow)].key;
}

void WindowFrameView::ShowRowErrors(const std::vector<RowError>& errors, size_t notListed) {
    ReportListData data;
    data.caption = IDS_IMPORT_CAPTION;
    data.hint = IDS_ROW_ERRORS_HINT;
    data.columns = {IDS_ERROR_ROW, IDS_ERROR_COLUMN, IDS_ERROR_TEXT};
    data.codePage = CP_UTF8;
    for (const RowError& error : errors) {
        data.rows.push_back({error.row > 0 ? std::to_string(error.row) : std::string(),
                             error.column >= 0 ? ColumnName(error.column) : std::string(), error.what});
    }
    if (notListed > 0)
        data.rows.push_back({std::string(), std::string(),
                             FillPlaceholders(LoadText(IDS_MORE_ROW_ERRORS), {std::to_string(notListed)})});
    ApplyCommandStates(state_);
    RunReportListDialog(state_.window, data);
}

bool WindowFrameView::RunImportDialog(const std::string& tableBytes, TableOptions& options) {
    ImportDialogData data;
    data.tableBytes = &tableBytes;
    data.programDirectory = state_.program->programDir;
    ApplyCommandStates(state_);
    if (!qb::RunImportDialog(state_.window, data)) return false;
    options = data.options;
    return true;
}

void WindowFrameView::BeginBusy(int busyText) {
    waitCursor_ = std::make_unique<WaitCursor>();
    state_.statusBar.ShowBusy(busyText);
}

void WindowFrameView::EndBusy() {
    waitCursor_.reset();
}

std::string WindowFrameView::FullPath(const std::string& path) {
    return FullPathOf(path);
}

void WindowFrameView::ShowHelp() {
    const std::string path = ProgramFilePath(state_.program->programDir, kHelpFile);
    CallHelpEngine(state_.window, path, HELP_CONTENTS, 0);
}

void WindowFrameView::ShowAbout() {
    RunAboutDialog(state_.window);
}

void WindowFrameView::ChooseQuestionFont() {
    if (state_.questionFont.Choose()) state_.testPane.SetFont(state_.questionFont.Handle());
}

void WindowFrameView::Exit() {
    SendMessageA(state_.window, WM_CLOSE, 0, 0);
}

void WindowFrameView::ClickAnswerMarker(int row) {
    state_.testPane.OnMarkerClicked(IDC_ANSWER_MARKER_FIRST + row);
}

void WindowFrameView::StoreSetting(const char* name, const std::string& text) {
    WriteUserValue(name, text);
}

}  // namespace qb
