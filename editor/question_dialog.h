// The question dialog (template 108): defines a new question or edits the
// selected one, and on Accept appends its record to the change journal.
#pragma once
#include <windows.h>

#include <string>

#include "base/paths.h"
#include "common/failure_guard.h"
#include "document/document.h"
#include "editor/attachments.h"
#include "editor/question_form.h"

namespace qb {

// What the editor keeps between dialogs: the keyword of the last stored
// question (the command that opened the dialog takes its list text from it),
// the attachment slots and the open-file dialog settings of the attach dialog.
struct QuestionEditorState {
    std::string keyword;
    AttachmentSlots slots;
    OpenFileSetting textFiles;
    OpenFileSetting pictures;
};

struct QuestionDialogData {
    EditorMode mode = EditorMode::Define;
    HINSTANCE module = nullptr;
    Directory programDirectory;
    TestDocument* document = nullptr;
    QuestionNode* node = nullptr;  // the question to fill: a new node, or the one edited
    QuestionEditorState* editor = nullptr;
    int result = 0;
};

// Runs the dialog modally over owner. Returns 0 when nothing was stored
// (Cancel or a failure), otherwise 1 plus the number of wrong answers.
int RunQuestionDialog(HWND owner, QuestionDialogData& data);

// What the editor's dialogs do when a handler fails: report the lack of memory.
INT_PTR ReportEditorFailure(HWND dialog, FailureKind kind);

// Opens the help file of the program directory at keyword string keywordId.
void ShowHelpTopic(HWND owner, HINSTANCE module, const Directory& programDirectory, UINT keywordId);

}  // namespace qb
