#include "common/message_box.h"

namespace qb {

std::string LoadResourceString(HINSTANCE module, UINT id, int maxChars) {
    std::string text(static_cast<size_t>(maxChars) + 1, '\0');
    int length = LoadStringA(module, id, &text[0], maxChars + 1);
    text.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return text;
}

UINT SoundOfStyle(UINT style) {
    return style & MB_ICONMASK;
}

int BeepAndShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT style) {
    MessageBeep(SoundOfStyle(style));
    return MessageBoxA(owner, text.c_str(), caption.c_str(), style);
}

int ShowStringMessage(HINSTANCE module, HWND owner, UINT textId, UINT captionId, UINT style) {
    return BeepAndShowMessage(owner, LoadResourceString(module, textId), LoadResourceString(module, captionId), style);
}

void ShowFailureMessage(HINSTANCE module, HWND owner, const FailureMessages& messages, FailureKind kind) {
    const UINT textId = kind == FailureKind::NoMemory ? messages.noMemoryTextId : messages.otherTextId;
    ShowStringMessage(module, owner, textId, messages.captionId, messages.style);
}

}  // namespace qb
