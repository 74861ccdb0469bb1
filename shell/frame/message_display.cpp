#include "shell/frame/message_display.h"

#include "common/message_box.h"
#include "shell/resource_ids.h"

namespace qb {
namespace {

constexpr FailureMessages kFailureMessages = {IDS_NO_MEMORY, IDS_FILE_ERROR, IDS_ERROR_CAPTION, MB_OK | MB_ICONWARNING};

UINT StyleOf(const Message& message) {
    UINT style = MB_OK;
    switch (message.buttons) {
    case MessageButtons::Ok: style = MB_OK; break;
    case MessageButtons::YesNo: style = MB_YESNO; break;
    case MessageButtons::YesNoCancel: style = MB_YESNOCANCEL; break;
    }
    switch (message.icon) {
    case MessageIcon::Information: return style | MB_ICONINFORMATION;
    case MessageIcon::Exclamation: return style | MB_ICONEXCLAMATION;
    case MessageIcon::Warning: return style | MB_ICONWARNING;
    case MessageIcon::Question: return style | MB_ICONQUESTION;
    }
    return style;
}

MessageAnswer AnswerOf(int button) {
    switch (button) {
    case IDOK: return MessageAnswer::Ok;
    case IDYES: return MessageAnswer::Yes;
    case IDNO: return MessageAnswer::No;
    default: return MessageAnswer::Cancel;
    }
}

}  // namespace

std::string LoadText(UINT id) {
    return LoadResourceString(GetModuleHandleA(nullptr), id);
}

MessageAnswer ShowMessage(HWND owner, const Message& message) {
    const std::string text = FillPlaceholders(LoadText(static_cast<UINT>(message.text)), message.arguments);
    const std::string caption = FillPlaceholders(LoadText(static_cast<UINT>(message.caption)), message.arguments);
    return AnswerOf(BeepAndShowMessage(owner, text, caption, StyleOf(message)));
}

void ShowFailure(HWND owner, FailureKind kind) {
    ShowFailureMessage(GetModuleHandleA(nullptr), owner, kFailureMessages, kind);
}

}  // namespace qb
