#include "shell/question_display.h"

#include <memory>

#include "base/byte_stream.h"
#include "media/rich_text.h"
#include "shell/layout_core.h"
#include "shell/main_window.h"
#include "shell/picture_pane.h"
#include "shell/question_display_core.h"
#include "shell/random_source.h"
#include "shell/resource_ids.h"
#include "shell/shell_ui.h"

namespace qb {
namespace {

void Place(HWND control, const PaneRect& rect) {
    MoveWindow(control, rect.x, rect.y, rect.width, rect.height, TRUE);
}

// The box's vertical scroll bar is shown only while the text does not fit.
void FitScrollBar(HWND box) {
    ShowScrollBar(box, SB_VERT, TRUE);
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    if (GetScrollInfo(box, SB_VERT, &info) && info.nMax < static_cast<int>(info.nPage)) {
        ShowScrollBar(box, SB_VERT, FALSE);
    }
}

void ShowBox(HWND box, const std::string& text) {
    SetWindowTextA(box, text.c_str());
    ShowWindow(box, SW_SHOW);
    FitScrollBar(box);
}

void HideAnswerRows(const TestPaneControls& pane, int fromRow) {
    for (int k = fromRow; k < kAnswerRows; ++k) {
        ShowWindow(pane.answerMarkers[k], SW_HIDE);
        ShowWindow(pane.answerBoxes[k], SW_HIDE);
    }
}

void ApplyLayout(const TestPaneControls& pane, const TestPaneLayout& layout) {
    Place(pane.keywordLabel, layout.keywordLabel);
    Place(pane.questionBox, layout.questionBox);
    Place(pane.questionMarker, layout.questionMarker);
    for (int k = 0; k < layout.answerRows; ++k) {
        Place(pane.answerBoxes[k], layout.answerBoxes[k]);
        Place(pane.answerMarkers[k], layout.answerMarkers[k]);
    }
}

SIZE PaneSize(const MainWindow& state) {
    RECT client;
    GetClientRect(state.testPane, &client);
    return {client.right, client.bottom};
}

bool ReportFailure(MainWindow& state, UINT textId, UINT captionId, UINT style) {
    ShowMessage(state.testPane, textId, captionId, style);
    return false;
}

void KeepDisplay(MainWindow& state, const QuestionDisplay& display) {
    state.run.rowCount = display.rowCount;
    state.run.answerShown = false;
    state.run.heldAnswer = display.rightAnswer;
    state.run.questionTextFile = display.questionTextFile;
    state.run.questionPictureFile = display.questionPictureFile;
    state.run.answerTextFile = display.answerTextFile;
    state.run.answerPictureFile = display.answerPictureFile;
}

void HideQuestionRows(const TestPaneControls& pane) {
    ShowWindow(pane.questionBox, SW_HIDE);
    ShowWindow(pane.questionMarker, SW_HIDE);
    HideAnswerRows(pane, 0);
}

// Shows what was read of the question; the rows of the previous one never stay.
void ShowQuestion(MainWindow& state, const QuestionDisplay& display) {
    const TestPaneControls& pane = state.pane;
    RelayoutTestPane(state);
    SetWindowTextA(pane.keywordLabel, display.keyword.c_str());
    ShowWindow(pane.keywordLabel, SW_SHOW);
    HideQuestionRows(pane);
    if (!display.questionRead) return;
    ShowBox(pane.questionBox, display.question);
    ShowWindow(pane.questionMarker, SW_SHOW);
    for (int row = 0; row < display.shownAnswerRows; ++row) {
        if (!display.answerRowRead[row]) continue;
        ShowBox(pane.answerBoxes[row], display.answerRows[row]);
        ShowWindow(pane.answerMarkers[row], SW_SHOW);
    }
}

struct StreamSource {
    ByteStream* file;
};

DWORD CALLBACK ReadChunk(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* got) {
    auto* source = reinterpret_cast<StreamSource*>(cookie);
    *got = static_cast<LONG>(source->file->Read(buffer, wanted > 0 ? static_cast<size_t>(wanted) : 0));
    return 0;
}

}  // namespace

void RelayoutTestPane(MainWindow& state) {
    if (state.run.rowCount == 0) return;
    const SIZE size = PaneSize(state);
    const TestPaneLayout layout =
        state.run.answerShown ? LayOutShownAnswer(size.cx, size.cy) : LayOutRows(size.cx, size.cy, state.run.rowCount);
    ApplyLayout(state.pane, layout);
    if (IsWindowVisible(state.pane.questionBox)) FitScrollBar(state.pane.questionBox);
    for (int k = 0; k < layout.answerRows; ++k) {
        if (IsWindowVisible(state.pane.answerBoxes[k])) FitScrollBar(state.pane.answerBoxes[k]);
    }
}

void ClearForQuestion(MainWindow& state) {
    SetFocus(state.window);
    MoveWindow(state.pane.keywordLabel, 0, 0, 0, 0, TRUE);
    SetWindowTextA(state.richText, "");
    ReleasePicture(state.picturePane);
    UpdateWindow(state.picturePane);
}

bool DisplayQuestion(MainWindow& state, QuestionNode* node) {
    state.run.rowCount = 0;
    state.run.questionTextFile.clear();
    state.run.questionPictureFile.clear();
    state.run.answerTextFile.clear();
    state.run.answerPictureFile.clear();
    if (!state.document.IsOpen())
        return ReportFailure(state, IDS_NO_TEST_OPENED, IDS_ATTENTION, MB_OK | MB_ICONINFORMATION);
    if (node == nullptr)
        return ReportFailure(state, IDS_NO_QUESTION_AVAILABLE, IDS_ATTENTION, MB_OK | MB_ICONINFORMATION);
    QuestionRecord record;
    const RecordProgress progress = ReadNodeRecordInOrder(state.document, *node, record);
    if (progress.headerRead) {
        RuntimeRandom random;
        const QuestionDisplay display = PlanQuestionDisplay(record, progress, state.program->programDir, random);
        KeepDisplay(state, display);
        ShowQuestion(state, display);
        ShowAttachedText(state, display.questionTextFile);
        ShowAttachedPicture(state, display.questionPictureFile);
    } else {
        HideQuestionRows(state.pane);
    }
    switch (progress.outcome) {
    case RecordRead::Complete: return true;
    case RecordRead::NoMemory: return ReportFailure(state, IDS_NO_MEMORY, IDS_ERROR_CAPTION, MB_OK | MB_ICONWARNING);
    case RecordRead::FileError: break;
    }
    return ReportFailure(state, IDS_FILE_ERROR, IDS_ERROR_CAPTION, MB_OK | MB_ICONWARNING);
}

namespace {

std::string AttachmentPath(const MainWindow& state, const std::string& name) {
    const TestDocument& document = state.document;
    const std::string& testFile = document.testFilePath.empty() ? document.testPath : document.testFilePath;
    return LocateAttachment(RealFileSystem(), name, state.program->programDir, testFile);
}

}  // namespace

void ShowAttachedText(MainWindow& state, const std::string& name) {
    if (!name.empty()) StreamTextFile(state, AttachmentPath(state, name));
}

void ShowAttachedPicture(MainWindow& state, const std::string& name) {
    if (!name.empty()) LoadPicture(state.picturePane, AttachmentPath(state, name));
}

void StreamTextFile(MainWindow& state, const std::string& path) {
    std::unique_ptr<ByteStream> file = RealFileSystem().Open(path, OpenMode::Read);
    if (!file) return;
    StreamSource source{file.get()};
    EDITSTREAM stream = {};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.pfnCallback = ReadChunk;
    const bool rich = IsRichTextName(path);
    SendMessageA(state.richText, EM_STREAMIN, rich ? SF_RTF : SF_TEXT, reinterpret_cast<LPARAM>(&stream));
    if (!rich) {
        // Plain text always shows in the control's own default look.
        CHARFORMATA format = state.defaultCharFormat;
        SendMessageA(state.richText, EM_SETSEL, 0, -1);
        SendMessageA(state.richText, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        SendMessageA(state.richText, EM_SETSEL, 0, 0);
    }
    file->Close();
    SetFocus(state.richText);
}

void RevealAnswer(MainWindow& state, const std::string& answer) {
    const TestPaneControls& pane = state.pane;
    const SIZE size = PaneSize(state);
    const TestPaneLayout layout = LayOutShownAnswer(size.cx, size.cy);
    Place(pane.questionBox, layout.questionBox);
    Place(pane.answerBoxes[0], layout.answerBoxes[0]);
    Place(pane.answerMarkers[0], layout.answerMarkers[0]);
    ShowBox(pane.answerBoxes[0], answer);
    ShowWindow(pane.answerMarkers[0], SW_SHOW);
    HideAnswerRows(pane, 1);
    FitScrollBar(pane.questionBox);
}

}  // namespace qb
