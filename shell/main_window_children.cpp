// The children and tool windows the main window creates with itself.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include "base/product_names.h"
#include "base/document_names.h"
#include "settings/settings_registry.h"
#include "shell/command_table.h"
#include "shell/main_window.h"
#include "shell/resource_ids.h"
#include "shell/shell_ui.h"
#include "shell/startup_core.h"

namespace qb {
namespace {

const DWORD kPaneStyle = WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME | WS_VISIBLE;

HWND CreateChild(const MainWindow& state, HWND parent, const char* className, DWORD style, int id, DWORD exStyle = 0,
                 const char* text = "") {
    return CreateWindowExA(exStyle, className, text, WS_CHILD | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), state.module, nullptr);
}

// The pane's stored rectangle (corner and size), or its default written back.
RECT PaneRect(const char* valueName, const StoredRect& fallback) {
    RECT stored;
    if (ReadWindowRect(valueName, stored)) return stored;
    RECT rect = ToRect(fallback);
    WriteWindowRect(valueName, rect);
    return rect;
}

HWND CreatePane(MainWindow& state, const char* className, UINT captionId, DWORD style, const RECT& place) {
    return CreateWindowExA(WS_EX_TOOLWINDOW, className, LoadText(captionId).c_str(), kPaneStyle | style, place.left,
                           place.top, place.right, place.bottom, nullptr, nullptr, state.module, &state);
}

HICON LoadSmallIcon(HINSTANCE module, int id) {
    return static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0));
}

HWND CreateMarker(MainWindow& state, int id, HICON icon) {
    HWND marker = CreateChild(state, state.testPane, "STATIC", SS_ICON | SS_NOTIFY, id);
    SendMessageA(marker, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    return marker;
}

HWND CreateBox(MainWindow& state, int id) {
    return CreateChild(state, state.testPane, "EDIT",
                       WS_VISIBLE | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, id, WS_EX_STATICEDGE);
}

}  // namespace

LOGFONTA ToLogFont(const FontRecord& record) {
    LOGFONTA font = {};
    font.lfHeight = record.height;
    font.lfWidth = record.width;
    font.lfEscapement = record.escapement;
    font.lfOrientation = record.orientation;
    font.lfWeight = record.weight;
    font.lfItalic = record.italic;
    font.lfUnderline = record.underline;
    font.lfStrikeOut = record.strikeOut;
    font.lfCharSet = record.charSet;
    font.lfOutPrecision = record.outPrecision;
    font.lfClipPrecision = record.clipPrecision;
    font.lfQuality = record.quality;
    font.lfPitchAndFamily = record.pitchAndFamily;
    lstrcpynA(font.lfFaceName, record.faceName.c_str(), LF_FACESIZE);
    return font;
}

FontRecord ToFontRecord(const LOGFONTA& font) {
    FontRecord record;
    record.height = font.lfHeight;
    record.width = font.lfWidth;
    record.escapement = font.lfEscapement;
    record.orientation = font.lfOrientation;
    record.weight = font.lfWeight;
    record.italic = font.lfItalic;
    record.underline = font.lfUnderline;
    record.strikeOut = font.lfStrikeOut;
    record.charSet = font.lfCharSet;
    record.outPrecision = font.lfOutPrecision;
    record.clipPrecision = font.lfClipPrecision;
    record.quality = font.lfQuality;
    record.pitchAndFamily = font.lfPitchAndFamily;
    record.faceName.assign(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE));
    return record;
}

bool CreateStatusBar(MainWindow& state) {
    state.statusBar = CreateChild(state, state.window, STATUSCLASSNAMEA, WS_VISIBLE | WS_BORDER, IDC_STATUS_BAR);
    if (!state.statusBar) return false;
    int edges[3] = {-1, -1, -1};
    SendMessageA(state.statusBar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    SetStatusTextId(state, 0, IDS_STARTUP_HINT);
    SetStatusTextId(state, 1, IDS_HELP_HINT);
    return true;
}

bool CreateToolbar(MainWindow& state) {
    TBBUTTON buttons[kToolbarEntryCount] = {};
    for (size_t i = 0; i < kToolbarEntryCount; ++i) {
        const ToolbarEntry& entry = kToolbarEntries[i];
        buttons[i].iBitmap = entry.image < 0 ? 0 : entry.image;
        buttons[i].idCommand = entry.command;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = entry.command == 0 ? TBSTYLE_SEP : TBSTYLE_BUTTON;
    }
    state.toolbar = CreateToolbarEx(state.window, WS_CHILD | WS_VISIBLE | WS_BORDER | TBSTYLE_TOOLTIPS | CCS_ADJUSTABLE,
                                    IDC_TOOLBAR, kToolbarImageCount, state.module, IDB_TOOLBAR, buttons,
                                    static_cast<int>(kToolbarEntryCount), 16, 16, 16, 16, sizeof(TBBUTTON));
    if (!state.toolbar) return false;
    DisableDocumentCommands(state);
    return true;
}

bool CreateQuestionList(MainWindow& state) {
    state.questionList = CreateChild(state, state.window, WC_LISTVIEWA,
                                     WS_VISIBLE | LVS_LIST | LVS_SINGLESEL | LVS_SORTASCENDING, IDC_QUESTION_LIST);
    if (!state.questionList) return false;
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR4, 4, 4);
    for (int id = IDB_LIST_SINGLE; id <= IDB_LIST_MULTI_ANSWERED; ++id) {
        ScopedGdiObject bitmap(LoadBitmapA(state.module, MAKEINTRESOURCEA(id)));
        ImageList_Add(images, static_cast<HBITMAP>(bitmap.get()), nullptr);
    }
    // The list view destroys its image list with itself.
    SendMessageA(state.questionList, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    return true;
}

bool CreateTestPane(MainWindow& state) {
    // The pane works on the main window's state.
    state.testPane =
        CreateWindowExA(0, kTestClass, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 0, 0, state.window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TEST_PANE)), state.module, &state);
    return state.testPane != nullptr;
}

bool CreateTextPane(MainWindow& state) {
    RECT place = PaneRect(kValueWinPosText, DefaultTextPaneRect(state.program->maxWidth, state.program->maxHeight));
    state.textPane = CreatePane(state, kTextClass, IDS_TEXT_PANE_CAPTION, 0, place);
    if (!state.textPane) return false;
    RECT client;
    GetClientRect(state.textPane, &client);
    state.richText =
        CreateWindowExA(0, "RichEdit", "",
                        WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL | ES_NOHIDESEL,
                        0, 0, client.right, client.bottom, state.textPane,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_RICH_TEXT)), state.module, nullptr);
    if (!state.richText) return false;
    SendMessageA(state.richText, EM_EXLIMITTEXT, 0, 65535);
    state.defaultCharFormat.cbSize = sizeof state.defaultCharFormat;
    SendMessageA(state.richText, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&state.defaultCharFormat));
    state.defaultCharFormat.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED | CFM_SIZE |
                                     CFM_COLOR | CFM_FACE | CFM_OFFSET;
    return true;
}

bool CreatePicturePane(MainWindow& state) {
    RECT place = PaneRect(kValueWinPosBild, DefaultPicturePaneRect(state.program->maxWidth, state.program->maxHeight));
    state.picturePane = CreatePane(state, kPictureClass, IDS_PICTURE_PANE_CAPTION, WS_HSCROLL | WS_VSCROLL, place);
    return state.picturePane != nullptr;
}

void CreateQuestionFont(MainWindow& state) {
    LOGFONTA systemFont = {};
    GetObjectA(GetStockObject(SYSTEM_FONT), sizeof systemFont, &systemFont);
    FontRecord record = ToFontRecord(systemFont);
    std::string text = FormatFont(record);
    ReadOrInitUserValue(kValueFont, text);
    ParseFont(text, record);
    state.questionLogFont = ToLogFont(record);
    state.questionFont.reset(CreateFontIndirectA(&state.questionLogFont));
    state.fontDialog.lStructSize = sizeof state.fontDialog;
    state.fontDialog.hwndOwner = state.window;
    state.fontDialog.lpLogFont = &state.questionLogFont;
    state.fontDialog.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
}

void CreateTestPaneControls(MainWindow& state) {
    state.questionMarkerIcon.reset(LoadSmallIcon(state.module, IDI_QUESTION_MARKER));
    state.answerMarkerIcon.reset(LoadSmallIcon(state.module, IDI_ANSWER_MARKER));
    state.pane.questionMarker = CreateMarker(state, IDC_QUESTION_MARKER, state.questionMarkerIcon.get());
    for (int k = 0; k < kAnswerRows; ++k) {
        state.pane.answerMarkers[k] = CreateMarker(state, IDC_ANSWER_MARKER_FIRST + k, state.answerMarkerIcon.get());
    }
    state.pane.keywordLabel =
        CreateChild(state, state.testPane, "STATIC", WS_VISIBLE | SS_LEFTNOWORDWRAP, IDC_KEYWORD_LABEL);
    state.pane.questionBox = CreateBox(state, IDC_QUESTION_BOX);
    for (int k = 0; k < kAnswerRows; ++k) state.pane.answerBoxes[k] = CreateBox(state, IDC_ANSWER_BOX_FIRST + k);
    ApplyQuestionFont(state);
}

void ApplyQuestionFont(MainWindow& state) {
    WPARAM font = reinterpret_cast<WPARAM>(state.questionFont.get());
    SendMessageA(state.pane.keywordLabel, WM_SETFONT, font, TRUE);
    SendMessageA(state.pane.questionBox, WM_SETFONT, font, TRUE);
    for (HWND box : state.pane.answerBoxes) SendMessageA(box, WM_SETFONT, font, TRUE);
}

void PrepareFileDialog(MainWindow& state) {
    state.fileFilter = TestFileFilter(true);
    OPENFILENAMEA& dialog = state.fileDialog;
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = state.window;
    dialog.lpstrFilter = state.fileFilter.c_str();
    dialog.lpstrFile = state.fileName;
    dialog.nMaxFile = sizeof state.fileName;
    dialog.lpstrInitialDir = state.program->programDir.c_str();
    dialog.lpstrDefExt = kTestExtension;
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;
}

}  // namespace qb
