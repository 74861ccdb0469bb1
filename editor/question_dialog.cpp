#include "editor/question_dialog.h"

#include "common/dialog.h"
#include "common/help_engine.h"
#include "common/message_box.h"
#include "distribution/program_files.h"
#include "editor/attach_dialog.h"
#include "editor/question_store.h"
#include "editor/resource_ids.h"

namespace qb {

namespace {

constexpr int kWrongAnswerFields[kWrongAnswerCount] = {
    IDC_QUESTION_WRONG_ANSWER1,
    IDC_QUESTION_WRONG_ANSWER2,
    IDC_QUESTION_WRONG_ANSWER3,
    IDC_QUESTION_WRONG_ANSWER4,
};

std::string ControlText(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    int length = GetWindowTextLengthA(control);
    if (length <= 0) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int got = GetWindowTextA(control, &text[0], length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

QuestionFields ReadFields(HWND dialog) {
    QuestionFields fields;
    fields.keyword = ControlText(dialog, IDC_QUESTION_KEYWORD);
    fields.question = ControlText(dialog, IDC_QUESTION_TEXT);
    fields.rightAnswer = ControlText(dialog, IDC_QUESTION_RIGHT_ANSWER);
    for (int i = 0; i < kWrongAnswerCount; ++i) {
        fields.wrongAnswers[static_cast<size_t>(i)] = ControlText(dialog, kWrongAnswerFields[i]);
    }
    return fields;
}

void ShowFields(HWND dialog, const QuestionFields& fields) {
    SetDlgItemTextA(dialog, IDC_QUESTION_KEYWORD, fields.keyword.c_str());
    SetDlgItemTextA(dialog, IDC_QUESTION_TEXT, fields.question.c_str());
    SetDlgItemTextA(dialog, IDC_QUESTION_RIGHT_ANSWER, fields.rightAnswer.c_str());
    for (int i = 0; i < kWrongAnswerCount; ++i) {
        SetDlgItemTextA(dialog, kWrongAnswerFields[i], fields.wrongAnswers[static_cast<size_t>(i)].c_str());
    }
}

void Inform(HWND dialog, const QuestionDialogData& data, UINT textId) {
    ShowStringMessage(data.module, dialog, textId, IDS_ATTENTION, MB_OK | MB_ICONINFORMATION);
}

void Warn(HWND dialog, HINSTANCE module, UINT textId) {
    ShowStringMessage(module, dialog, textId, IDS_ERROR_CAPTION, MB_OK | MB_ICONEXCLAMATION);
}

void LoadForEdit(HWND dialog, QuestionDialogData& data) {
    QuestionFields fields;
    EditLoadOutcome outcome = LoadPendingQuestion(*data.document, data.node, fields, data.editor->slots);
    ShowFields(dialog, fields);
    switch (outcome) {
    case EditLoadOutcome::Loaded: break;
    case EditLoadOutcome::NoTest: Inform(dialog, data, IDS_NO_TEST_OPENED); break;
    case EditLoadOutcome::NoNode: Inform(dialog, data, IDS_NO_QUESTION_AVAILABLE); break;
    case EditLoadOutcome::FileError: Warn(dialog, data.module, IDS_FILE_ERROR); break;
    case EditLoadOutcome::NoMemory: Warn(dialog, data.module, IDS_NO_MEMORY); break;
    }
}

// The filters depend on the mode; the entry last picked in each file dialog stays picked.
void FillFileSettings(QuestionEditorState& editor, EditorMode mode) {
    OpenFileSetting textFiles = TextFileSetting();
    OpenFileSetting pictures = PictureFileSetting(mode);
    textFiles.filterIndex = editor.textFiles.filterIndex;
    pictures.filterIndex = editor.pictures.filterIndex;
    editor.textFiles = textFiles;
    editor.pictures = pictures;
}

INT_PTR OnInitDialog(QuestionDialogData& data, HWND dialog) {
    data.result = 0;
    FillFileSettings(*data.editor, data.mode);
    SendDlgItemMessageA(dialog, IDC_QUESTION_KEYWORD, EM_LIMITTEXT, kMaxKeywordLength, 0);
    data.editor->slots = AttachmentSlots{};
    if (data.mode == EditorMode::Edit) {
        SetWindowTextA(dialog, LoadResourceString(data.module, IDS_EDIT_QUESTION_TITLE).c_str());
        LoadForEdit(dialog, data);
    }
    return TRUE;
}

int FieldOf(MissingField missing) {
    switch (missing) {
    case MissingField::Question: return IDC_QUESTION_TEXT;
    case MissingField::RightAnswer: return IDC_QUESTION_RIGHT_ANSWER;
    case MissingField::Keyword: return IDC_QUESTION_KEYWORD;
    case MissingField::None: break;
    }
    return 0;
}

UINT MessageOf(MissingField missing) {
    switch (missing) {
    case MissingField::Question: return IDS_NEED_QUESTION_TEXT;
    case MissingField::RightAnswer: return IDS_NEED_RIGHT_ANSWER;
    case MissingField::Keyword: return IDS_NEED_KEYWORD;
    case MissingField::None: break;
    }
    return 0;
}

void Finish(HWND dialog, QuestionDialogData& data, int result) {
    data.result = result;
    EndDialog(dialog, result);
}

void OnAccept(HWND dialog, QuestionDialogData& data) {
    AcceptResult accept = AcceptQuestion(*data.document, data.node, data.mode, ReadFields(dialog), data.editor->slots,
                                         data.editor->keyword);
    if (accept.missing != MissingField::None) {
        Inform(dialog, data, MessageOf(accept.missing));
        SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, FieldOf(accept.missing))),
                     TRUE);
        return;
    }
    if (accept.noNode) {
        Inform(dialog, data, IDS_NO_QUESTION_AVAILABLE);
        Finish(dialog, data, 0);
        return;
    }
    switch (accept.store) {
    case StoreOutcome::Stored: Finish(dialog, data, accept.result); return;
    case StoreOutcome::FileError: Warn(dialog, data.module, IDS_FILE_ERROR); break;
    case StoreOutcome::NoMemory: Warn(dialog, data.module, IDS_NO_MEMORY); break;
    }
    Finish(dialog, data, 0);
}

void OnAttachFiles(HWND dialog, QuestionDialogData& data) {
    AttachDialogData attach;
    attach.module = data.module;
    attach.programDirectory = data.programDirectory;
    attach.slots = &data.editor->slots;
    attach.textFiles = &data.editor->textFiles;
    attach.pictures = &data.editor->pictures;
    RunAttachDialog(dialog, attach);
}

INT_PTR OnCommand(QuestionDialogData& data, HWND dialog, int id) {
    switch (id) {
    case IDOK: OnAccept(dialog, data); return TRUE;
    case IDCANCEL: Finish(dialog, data, 0); return TRUE;
    case IDC_DIALOG_HELP:
        ShowHelpTopic(dialog, data.module, data.programDirectory,
                      data.mode == EditorMode::Define ? IDS_HELP_KEY_DEFINE : IDS_HELP_KEY_EDIT);
        return TRUE;
    case IDC_QUESTION_ATTACH_FILES: OnAttachFiles(dialog, data); return TRUE;
    }
    return FALSE;
}

INT_PTR Dispatch(QuestionDialogData& data, HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(data, dialog);
    case WM_COMMAND: return OnCommand(data, dialog, LOWORD(wParam));
    }
    return FALSE;
}

// The only failures the handlers can meet are allocation failures, reported
// like every other lack of memory.
constexpr FailureMessages kFailureMessages = {IDS_NO_MEMORY, IDS_NO_MEMORY, IDS_ERROR_CAPTION,
                                              MB_OK | MB_ICONEXCLAMATION};

}  // namespace

INT_PTR ReportEditorFailure(HWND dialog, FailureKind kind) {
    ShowFailureMessage(DialogInstance(dialog), dialog, kFailureMessages, kind);
    return TRUE;
}

int RunQuestionDialog(HWND owner, QuestionDialogData& data) {
    INT_PTR result = DialogBoxParamA(data.module, MAKEINTRESOURCEA(IDD_QUESTION), owner,
                                     GuardedDialogProc<QuestionDialogData, Dispatch, ReportEditorFailure>,
                                     reinterpret_cast<LPARAM>(&data));
    return result > 0 ? static_cast<int>(result) : 0;
}

void ShowHelpTopic(HWND owner, HINSTANCE module, const Directory& programDirectory, UINT keywordId) {
    const std::string path = ProgramFilePath(programDirectory, kHelpFile);
    std::string keyword = LoadResourceString(module, keywordId);
    CallHelpEngine(owner, path, HELP_KEY, reinterpret_cast<ULONG_PTR>(keyword.c_str()));
}

}  // namespace qb
