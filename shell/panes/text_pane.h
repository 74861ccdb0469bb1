// The Text pane: a tool window whose rich-text control shows the attached
// text of the displayed question or answer.
#pragma once
#include <windows.h>
#include <richedit.h>

#include <string>

namespace qb {

// Class name of the pane's window class.
extern const char kTextClass[];

class TextPane {
public:
    // The tool window at place (corner and size) with its rich-text control.
    bool Create(HINSTANCE module, const RECT& place);
    HWND Handle() const { return pane_; }
    void Destroy();
    void Clear();
    // Replaces the content by the file at path: rich text for a ".RTF" name
    // in any case, otherwise plain text in the control's default format. A
    // file that cannot be opened leaves the content as it is.
    void ShowFile(const std::string& path);

private:
    HWND pane_ = nullptr;
    HWND richText_ = nullptr;
    CHARFORMATA defaultFormat_ = {};
};

LRESULT CALLBACK TextPaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace qb
