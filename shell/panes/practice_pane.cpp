#include "shell/panes/practice_pane.h"

#include <vector>

#include "common/window.h"
#include "shell/frame/message_display.h"
#include "shell/resource_ids.h"
#include "shell/session/layout_core.h"

namespace qb {

const char kTestClass[] = "Test";

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

HWND CreateControl(HWND pane, HINSTANCE module, const char* className, DWORD style, int id, DWORD exStyle = 0) {
    return CreateWindowExA(exStyle, className, "", WS_CHILD | style, 0, 0, 0, 0, pane,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), module, nullptr);
}

// The marker's icon at the marker's size: the system takes the icon's image
// nearest to it.
HICON LoadMarkerIcon(HINSTANCE module, int id, const DisplayScale& scale) {
    const int size = scale.Pixels(kMarkerSize);
    return static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
}

HWND CreateMarker(HWND pane, HINSTANCE module, int id, HICON icon) {
    HWND marker = CreateControl(pane, module, "STATIC", SS_ICON | SS_NOTIFY, id);
    SendMessageA(marker, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    return marker;
}

HWND CreateBox(HWND pane, HINSTANCE module, int id) {
    return CreateControl(pane, module, "EDIT", WS_VISIBLE | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL,
                         id, WS_EX_STATICEDGE);
}

}  // namespace

bool TestPaneView::Create(TestSession& session, HWND parent, HINSTANCE module, const DisplayScale& scale) {
    session_ = &session;
    scale_ = scale;
    mainWindow_ = parent;
    pane_ = CreateWindowExA(0, kTestClass, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TEST_PANE)), module, this);
    if (!pane_) return false;
    questionMarkerIcon_.reset(LoadMarkerIcon(module, IDI_QUESTION_MARKER, scale));
    answerMarkerIcon_.reset(LoadMarkerIcon(module, IDI_ANSWER_MARKER, scale));
    questionMarker_ = CreateMarker(pane_, module, IDC_QUESTION_MARKER, questionMarkerIcon_.get());
    for (int k = 0; k < kMaxAnswerRows; ++k)
        answerMarkers_[k] = CreateMarker(pane_, module, IDC_ANSWER_MARKER_FIRST + k, answerMarkerIcon_.get());
    keywordLabel_ = CreateControl(pane_, module, "STATIC", WS_VISIBLE | SS_LEFTNOWORDWRAP, IDC_KEYWORD_LABEL);
    questionBox_ = CreateBox(pane_, module, IDC_QUESTION_BOX);
    for (int k = 0; k < kMaxAnswerRows; ++k) answerBoxes_[k] = CreateBox(pane_, module, IDC_ANSWER_BOX_FIRST + k);
    return true;
}

void TestPaneView::Move(int x, int y, int width, int height) {
    MoveWindow(pane_, x, y, width, height, TRUE);
}

void TestPaneView::SetFont(HFONT font) {
    const WPARAM handle = reinterpret_cast<WPARAM>(font);
    SendMessageA(keywordLabel_, WM_SETFONT, handle, TRUE);
    SendMessageA(questionBox_, WM_SETFONT, handle, TRUE);
    for (HWND box : answerBoxes_) SendMessageA(box, WM_SETFONT, handle, TRUE);
    InvalidateRect(pane_, nullptr, TRUE);
}

SIZE TestPaneView::ClientSize() const {
    RECT client;
    GetClientRect(pane_, &client);
    return {client.right, client.bottom};
}

void TestPaneView::HideAnswerRows(int fromRow) {
    for (int k = fromRow; k < kMaxAnswerRows; ++k) {
        ShowWindow(answerMarkers_[k], SW_HIDE);
        ShowWindow(answerBoxes_[k], SW_HIDE);
    }
}

void TestPaneView::HideQuestionRows() {
    ShowWindow(questionBox_, SW_HIDE);
    ShowWindow(questionMarker_, SW_HIDE);
    HideAnswerRows(0);
}

void TestPaneView::Hide() {
    HideQuestionRows();
    ShowWindow(keywordLabel_, SW_HIDE);
}

void TestPaneView::CollapseLabel() {
    MoveWindow(keywordLabel_, 0, 0, 0, 0, TRUE);
}

void TestPaneView::Relayout(const ShownQuestion& shown) {
    if (shown.rowCount == 0) return;
    const SIZE size = ClientSize();
    const TestPaneLayout layout = shown.answerShown ? LayOutShownAnswer(size.cx, size.cy, scale_)
                                                    : LayOutRows(size.cx, size.cy, shown.rowCount, scale_);
    Place(keywordLabel_, layout.keywordLabel);
    Place(questionBox_, layout.questionBox);
    Place(questionMarker_, layout.questionMarker);
    for (int k = 0; k < layout.answerRows; ++k) {
        Place(answerBoxes_[k], layout.answerBoxes[k]);
        Place(answerMarkers_[k], layout.answerMarkers[k]);
    }
    if (IsWindowVisible(questionBox_)) FitScrollBar(questionBox_);
    for (int k = 0; k < layout.answerRows; ++k) {
        if (IsWindowVisible(answerBoxes_[k])) FitScrollBar(answerBoxes_[k]);
    }
}

void TestPaneView::ShowQuestion(const ShownQuestion& shown) {
    if (shown.rowCount == 0) {
        HideQuestionRows();
        return;
    }
    const QuestionDisplay& display = shown.plan;
    Relayout(shown);
    SetWindowTextA(keywordLabel_, display.keyword.c_str());
    ShowWindow(keywordLabel_, SW_SHOW);
    HideQuestionRows();
    if (!display.questionRead) return;
    ShowBox(questionBox_, display.question);
    ShowWindow(questionMarker_, SW_SHOW);
    for (int row = 0; row < display.shownAnswerRows; ++row) {
        if (!display.answerRowRead[row]) continue;
        ShowBox(answerBoxes_[row], display.answerRows[row]);
        ShowWindow(answerMarkers_[row], SW_SHOW);
    }
}

void TestPaneView::RevealAnswer(const std::string& answer) {
    const SIZE size = ClientSize();
    const TestPaneLayout layout = LayOutShownAnswer(size.cx, size.cy, scale_);
    Place(questionBox_, layout.questionBox);
    Place(answerBoxes_[0], layout.answerBoxes[0]);
    Place(answerMarkers_[0], layout.answerMarkers[0]);
    ShowBox(answerBoxes_[0], answer);
    ShowWindow(answerMarkers_[0], SW_SHOW);
    HideAnswerRows(1);
    FitScrollBar(questionBox_);
}

bool TestPaneView::IsMarker(int controlId) {
    return controlId >= IDC_QUESTION_MARKER && controlId <= IDC_ANSWER_MARKER_LAST;
}

int TestPaneView::MarkerIndex(int controlId) {
    return controlId == IDC_QUESTION_MARKER ? -1 : controlId - IDC_ANSWER_MARKER_FIRST;
}

std::string TestPaneView::AnswerText(int index) const {
    HWND box = answerBoxes_[index];
    const int length = GetWindowTextLengthA(box);
    std::vector<char> text(static_cast<size_t>(length) + 1);
    const int got = GetWindowTextA(box, text.data(), length + 1);
    return std::string(text.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

void TestPaneView::InvertMarker(int index) const {
    HWND marker = answerMarkers_[index];
    RECT rect;
    if (!GetClientRect(marker, &rect)) return;
    ScopedWindowDc dc(marker);
    if (dc.get() != nullptr) InvertRect(dc.get(), &rect);
}

// Commands sent this way run whatever the state of their menu items.
void TestPaneView::OnMarkerClicked(int controlId) {
    const int index = MarkerIndex(controlId);
    const std::string text = index < 0 ? std::string() : AnswerText(index);
    const auto send = [this](int command) { SendMessageA(mainWindow_, WM_COMMAND, MAKEWPARAM(command, 0), 0); };
    switch (session_->JudgeMarkerClick(index, text)) {
    case MarkerClick::Ignored: break;
    case MarkerClick::ShowAnswer: send(IDM_TEST_SHOW_ANSWER); break;
    case MarkerClick::RightAnswer:
        MessageBeep(MB_OK);
        send(IDM_TEST_SHOW_ANSWER);
        send(IDM_TEST_MARK_ANSWERED);
        break;
    case MarkerClick::WrongAnswer:
        InvertMarker(index);
        MessageBeep(MB_ICONQUESTION);
        break;
    }
}

namespace {

void OnCommand(TestPaneView& pane, WPARAM wParam) {
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == STN_CLICKED && TestPaneView::IsMarker(id)) pane.OnMarkerClicked(id);
}

LRESULT Dispatch(TestPaneView& pane, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: OnCommand(pane, wParam); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK TestPaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return GuardedWindowProc<TestPaneView, Dispatch, ReportWindowFailure<TestPaneView>>(window, message, wParam,
                                                                                        lParam);
}

}  // namespace qb
