#include "shell/panes/text_pane.h"

#include <memory>

#include "base/byte_stream.h"
#include "base/product_names.h"
#include "common/window.h"
#include "settings/settings_registry.h"
#include "shell/frame/message_display.h"
#include "media/rich_text.h"
#include "shell/resource_ids.h"
#include "shell/session/question_display_core.h"

namespace qb {

const char kTextClass[] = "Text";

namespace {

const DWORD kPaneStyle = WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME | WS_VISIBLE;

struct StreamSource {
    ByteStream* file;
};

DWORD CALLBACK ReadChunk(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* got) {
    auto* source = reinterpret_cast<StreamSource*>(cookie);
    *got = static_cast<LONG>(source->file->Read(buffer, wanted > 0 ? static_cast<size_t>(wanted) : 0));
    return 0;
}

// Where the user left the pane, unless it is minimised or maximised.
void StorePlace(HWND window) {
    StoreWindowPlace(window, kValueWinPosText, StoredPlaceForm::CornerAndSize);
}

void OnSize(HWND window, int width, int height) {
    MoveWindow(GetDlgItem(window, IDC_RICH_TEXT), 0, 0, width, height, TRUE);
    StorePlace(window);
}

// The pane's state is the main window's, handed in at creation.
LRESULT Dispatch(TextPane&, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE: OnSize(window, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_MOVE: StorePlace(window); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

bool TextPane::Create(HINSTANCE module, const RECT& place) {
    pane_ = CreateWindowExA(WS_EX_TOOLWINDOW, kTextClass, LoadText(IDS_TEXT_PANE_CAPTION).c_str(), kPaneStyle,
                            place.left, place.top, place.right, place.bottom, nullptr, nullptr, module, this);
    if (!pane_) return false;
    RECT client;
    GetClientRect(pane_, &client);
    richText_ =
        CreateWindowExA(0, "RichEdit", "",
                        WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL | ES_NOHIDESEL,
                        0, 0, client.right, client.bottom, pane_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_RICH_TEXT)), module, nullptr);
    if (!richText_) return false;
    SendMessageA(richText_, EM_EXLIMITTEXT, 0, 65535);
    defaultFormat_.cbSize = sizeof defaultFormat_;
    SendMessageA(richText_, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&defaultFormat_));
    defaultFormat_.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED | CFM_SIZE |
                            CFM_COLOR | CFM_FACE | CFM_OFFSET;
    return true;
}

void TextPane::Destroy() {
    if (pane_) DestroyWindow(pane_);
    pane_ = richText_ = nullptr;
}

void TextPane::Clear() {
    SetWindowTextA(richText_, "");
}

void TextPane::ShowFile(const std::string& path) {
    std::unique_ptr<ByteStream> file = RealFileSystem().Open(path, OpenMode::Read);
    if (!file) return;
    StreamSource source{file.get()};
    EDITSTREAM stream = {};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.pfnCallback = ReadChunk;
    const bool rich = IsRichTextName(path);
    SendMessageA(richText_, EM_STREAMIN, rich ? SF_RTF : SF_TEXT, reinterpret_cast<LPARAM>(&stream));
    if (!rich) {
        // Plain text always shows in the control's own default look.
        CHARFORMATA format = defaultFormat_;
        SendMessageA(richText_, EM_SETSEL, 0, -1);
        SendMessageA(richText_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        SendMessageA(richText_, EM_SETSEL, 0, 0);
    }
    file->Close();
    SetFocus(richText_);
}

LRESULT CALLBACK TextPaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return GuardedWindowProc<TextPane, Dispatch, ReportWindowFailure<TextPane>>(window, message, wParam, lParam);
}

}  // namespace qb
