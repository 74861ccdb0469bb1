#include "shell/file_commands_core.h"

#include "base/document_names.h"
#include "base/paths.h"

namespace qb {
namespace {

// A failed save is reported with the caption of saving, whoever asked for it.
bool SaveAndReport(FileCommandContext& context, FileCommandsView& view) {
    const DocumentMessage result = SaveTest(context.document);
    view.ShowDocumentMessage(result, MessagePlace::Save);
    return result == DocumentMessage::None;
}

bool IsDamaged(const TestDocument& document) {
    return !document.damagedFile.empty();
}

// The save dialog. A name that would replace a damaged test's file is
// refused and forgotten, so the next save asks again.
bool ChooseSavePath(FileCommandContext& context, FileCommandsView& view) {
    TestDocument& document = context.document;
    if (!view.ChoosePath(PathDialog::SaveAs, document.testPath)) return false;
    if (!IsDamaged(document) || !SaveWouldReplace(document.testPath, document.damagedFile, view)) return true;
    document.testPath.clear();
    view.ShowDamagedFileKept();
    return false;
}

enum class PromptedSave { Saved, Failed, NoName };

// The save behind the prompt's Yes. A damaged test is saved under a new name
// only, and a test left without a name by a cancelled Save as is asked for one:
// NoName when the user gave none, so the caller keeps the test.
PromptedSave SaveAfterPrompt(FileCommandContext& context, FileCommandsView& view) {
    TestDocument& document = context.document;
    if (IsDamaged(document)) document.testPath.clear();
    const bool needsName = document.testPath.empty();
    if (needsName && !ChooseSavePath(context, view)) return PromptedSave::NoName;
    if (!SaveAndReport(context, view)) return PromptedSave::Failed;
    if (needsName) view.SetTitle(document.testPath);
    return PromptedSave::Saved;
}

// New, Open and Close ask first and go on after a failed save; false on
// Cancel, and when a test that needed a name got none: going on would lose it.
bool PromptBeforeGivingUp(FileCommandContext& context, FileCommandsView& view) {
    if (!context.document.modified) return true;
    const PromptAnswer answer = view.AskToSave();
    if (answer == PromptAnswer::Cancel) return false;
    return answer == PromptAnswer::No || SaveAfterPrompt(context, view) != PromptedSave::NoName;
}

void ShowCounters(const FileCommandContext& context, FileCommandsView& view) {
    view.UpdateCounters(context.run.askedCount, context.run.correctCount, context.run.remainingCount);
}

// Nothing of the previous test stays: index, files, list, display, counters.
void ForgetTest(FileCommandContext& context, FileCommandsView& view) {
    ResetDocument(context.document);
    context.run.ForgetQuestions(0);
    context.run.rowCount = 0;
    context.run.heldAnswer.reset();
    view.List().DeleteAllItems();
    view.HideDisplayedQuestion();
    view.SetTitle("");
    view.DisableDocumentCommands();
}

// Open's path: the command line's, once, or the open dialog's.
bool TakeOpenPath(FileCommandContext& context, FileCommandsView& view) {
    if (context.pathFromCommandLine) {
        context.pathFromCommandLine = false;
        if (!context.document.testPath.empty()) return true;
        // The command line did not fit the path buffer.
        view.ShowDocumentMessage(DocumentMessage::FileAccess, MessagePlace::Command);
        return false;
    }
    return view.ChoosePath(PathDialog::Open, context.document.testPath);
}

}  // namespace

void NewTestCommand(FileCommandContext& context, FileCommandsView& view) {
    if (!PromptBeforeGivingUp(context, view)) return;
    const bool hadTest = context.document.IsOpen();
    ForgetTest(context, view);
    if (!view.ChoosePath(PathDialog::New, context.document.testPath)) {
        if (hadTest) ShowCounters(context, view);
        return;
    }
    const DocumentMessage result = CreateTest(context.document, context.document.testPath, context.journalPath);
    if (result == DocumentMessage::None) {
        view.EnableDocumentCommands();
        view.SetTitle(context.document.testPath);
    } else {
        view.ShowDocumentMessage(result, MessagePlace::Command);
    }
    if (hadTest || result == DocumentMessage::None) ShowCounters(context, view);
}

void OpenTestCommand(FileCommandContext& context, FileCommandsView& view) {
    if (!PromptBeforeGivingUp(context, view)) return;
    view.BeginBusy(FileBusy::Opening);
    ForgetTest(context, view);
    if (TakeOpenPath(context, view)) {
        int32_t remaining = 0;
        const DocumentMessage result = OpenTest(context.document, context.document.testPath, context.journalPath,
                                                view.List(), view.Reporter(), remaining);
        context.run.ForgetQuestions(remaining);
        if (result == DocumentMessage::None) {
            view.EnableDocumentCommands();
            view.EnableAsk(context.document.questionCount > 0);
            view.EnableResetAll(context.run.remainingCount < context.document.questionCount);
            view.SetTitle(context.document.testPath);
            // Taken now: a file dialog may change the directory a relative name depends on.
            if (IsDamaged(context.document)) context.document.damagedFile = view.FullPath(context.document.damagedFile);
        } else {
            view.ShowDocumentMessage(result, MessagePlace::Command);
        }
    }
    view.EndBusy();
    ShowCounters(context, view);
    if (IsDamaged(context.document)) view.ShowDamagedTest(context.document.questionCount);
}

void CloseTestCommand(FileCommandContext& context, FileCommandsView& view) {
    if (!PromptBeforeGivingUp(context, view)) return;
    view.BeginBusy(FileBusy::Closing);
    CloseTest(context.document);
    ForgetTest(context, view);
    view.EndBusy();
    // With no test open the status bar looks as it did at start-up.
    view.ShowStartupHints();
}

void SaveTestCommand(FileCommandContext& context, FileCommandsView& view, bool saveAs) {
    TestDocument& document = context.document;
    // A damaged test saves as Save as does: its own file stays as it is.
    if (saveAs || IsDamaged(document)) document.testPath.clear();
    if (!document.IsOpen() || document.journalPath.empty()) {
        view.ShowSaveWithoutTest();
        return;
    }
    if (document.head == nullptr) {
        view.ShowDocumentMessage(DocumentMessage::NoQuestions, MessagePlace::Save);
        return;
    }
    if (document.testPath.empty() && !ChooseSavePath(context, view)) return;
    view.BeginBusy(FileBusy::Saving);
    SaveAndReport(context, view);
    view.SetTitle(document.testPath);
    view.EndBusy();
    ShowCounters(context, view);
}

bool MayGiveUpTest(FileCommandContext& context, FileCommandsView& view) {
    if (context.document.modified) {
        const PromptAnswer answer = view.AskToSave();
        if (answer == PromptAnswer::Cancel) return false;
        if (answer == PromptAnswer::Yes && SaveAfterPrompt(context, view) != PromptedSave::Saved) return false;
    }
    context.document.modified = false;
    return true;
}

bool SaveWouldReplace(const std::string& chosenPath, const std::string& damagedFile, FileCommandsView& view) {
    const std::string names[] = {chosenPath, CompanionName(chosenPath, kTemporarySuffix),
                                 CompanionName(chosenPath, kBackupSuffix), CompanionName(chosenPath, kSavedSuffix)};
    for (const std::string& name : names)
        if (!name.empty() && SameFile(view.FullPath(name), damagedFile)) return true;
    return false;
}

}  // namespace qb
