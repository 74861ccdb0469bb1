// New, Open, Close, Save, Save as and the save prompt, as operations of the session.
#include <new>

#include "base/document_names.h"
#include "base/paths.h"
#include "shell/resource_ids.h"
#include "shell/session/session.h"

namespace qb {

// The rows LoadQuestionIndex lists, kept by key for the frame's list.
class TestSession::RowCollector final : public QuestionList {
public:
    explicit RowCollector(TestSession& session) : session_(session) {}
    void DeleteAllItems() override { session_.rows_.clear(); }
    bool InsertItem(const std::string& keyword, int image, int key) override {
        return session_.StoreRow(key, keyword, image >= 2 ? 2 : 1);
    }

private:
    TestSession& session_;
};

namespace {

// What LoadQuestionIndex reports while it builds the index, told afterwards.
class KeptReports final : public DocumentReporter {
public:
    void Report(DocumentMessage message) override { messages.push_back(message); }
    std::vector<DocumentMessage> messages;
};

}  // namespace

// A file error is captioned by saving when a save failed, whoever asked for it.
void TestSession::TellDocumentMessage(FrameView& view, DocumentMessage message, bool saving) {
    switch (message) {
    case DocumentMessage::None: return;
    case DocumentMessage::OtherVersion: Tell(view, Information(IDS_VERSION_REFUSED, IDS_ATTENTION)); return;
    case DocumentMessage::FileAccess:
        Tell(view, Exclamation(IDS_FILE_ERROR, saving ? IDS_SAVE_CAPTION : IDS_ERROR_CAPTION));
        return;
    case DocumentMessage::NoMemory: Tell(view, Warning(IDS_NO_MEMORY, IDS_ERROR_CAPTION)); return;
    case DocumentMessage::NoTestOpened: Tell(view, Information(IDS_NO_TEST_OPENED, IDS_ATTENTION)); return;
    case DocumentMessage::NoQuestions: Tell(view, Information(IDS_NO_QUESTIONS_TO_SAVE, IDS_SAVE_CAPTION)); return;
    }
}

bool TestSession::SaveAndReport(FrameView& view) {
    const DocumentMessage result = qb::SaveTest(document_);
    TellDocumentMessage(view, result, true);
    return result == DocumentMessage::None;
}

// The save dialog. A name that would replace a damaged test's file is
// refused and forgotten, so the next save asks again.
bool TestSession::ChooseSavePath(FrameView& view) {
    if (!view.ChoosePath(PathDialog::SaveAs, document_.testPath)) return false;
    if (!IsDamaged() || !SaveWouldReplace(document_.testPath, document_.damagedFile, view)) return true;
    document_.testPath.clear();
    Tell(view, Information(IDS_DAMAGED_FILE_KEPT, IDS_SAVE_CAPTION));
    return false;
}

// The save behind the prompt's Yes. A damaged test is saved under a new name
// only, and a test left without a name by a cancelled Save as is asked for one:
// NoName when the user gave none, so the caller keeps the test.
TestSession::PromptedSave TestSession::SaveAfterPrompt(FrameView& view) {
    if (IsDamaged()) document_.testPath.clear();
    const bool needsName = document_.testPath.empty();
    if (needsName && !ChooseSavePath(view)) return PromptedSave::NoName;
    if (!SaveAndReport(view)) return PromptedSave::Failed;
    if (needsName) SetTitle(document_.testPath);
    return PromptedSave::Saved;
}

MessageAnswer AskToSave(FrameView& view) {
    return view.Show(Question(IDS_ASK_TO_SAVE, IDS_ATTENTION, MessageButtons::YesNoCancel));
}

// New, Open and Close ask first and go on after a failed save; false on
// Cancel, and when a test that needed a name got none: going on would lose it.
bool TestSession::PromptBeforeGivingUp(FrameView& view) {
    if (!document_.modified) return true;
    const MessageAnswer answer = AskToSave(view);
    if (answer == MessageAnswer::Cancel) return false;
    return answer == MessageAnswer::No || SaveAfterPrompt(view) != PromptedSave::NoName;
}

// Nothing of the previous test stays: index, files, list, display, counting.
void TestSession::ForgetTest() {
    ResetDocument(document_);
    rows_.clear();
    answeredCount_ = askedCount_ = correctCount_ = 0;
    currentQuestion_ = lastAsked_ = nullptr;
    heldAnswer_.reset();
    shown_ = ShownQuestion();
    selection_ = Selection();
    offers_ = Offers();
    if (observer_) observer_->QuestionsReplaced();
    ChangeDisplay(DisplayChange::Hidden);
    SetTitle("");
}

void TestSession::NewTest(FrameView& view) {
    if (!PromptBeforeGivingUp(view)) return;
    const bool hadTest = document_.IsOpen();
    ForgetTest();
    if (!view.ChoosePath(PathDialog::New, document_.testPath)) {
        if (hadTest) ShowCounters();
        return;
    }
    const DocumentMessage result = CreateTest(document_, document_.testPath, journalPath_);
    if (result == DocumentMessage::None)
        SetTitle(document_.testPath);
    else
        TellDocumentMessage(view, result, false);
    if (hadTest || result == DocumentMessage::None) ShowCounters();
}

void TestSession::OpenTest(FrameView& view) {
    OpenPath(std::nullopt, view);
}

void TestSession::OpenTestAt(const std::string& path, FrameView& view) {
    OpenPath(path, view);
}

void TestSession::OpenPath(const std::optional<std::string>& commandLinePath, FrameView& view) {
    if (!PromptBeforeGivingUp(view)) return;
    view.BeginBusy(IDS_BUSY_OPENING);
    ForgetTest();
    bool pathTaken;
    if (commandLinePath) {
        document_.testPath = *commandLinePath;
        pathTaken = !commandLinePath->empty();
        // The command line did not fit the path buffer.
        if (!pathTaken) TellDocumentMessage(view, DocumentMessage::FileAccess, false);
    } else {
        pathTaken = view.ChoosePath(PathDialog::Open, document_.testPath);
    }
    if (pathTaken) {
        RowCollector rows(*this);
        KeptReports reports;
        int32_t remaining = 0;
        const DocumentMessage result =
            qb::OpenTest(document_, document_.testPath, journalPath_, rows, reports, remaining);
        for (DocumentMessage report : reports.messages) TellDocumentMessage(view, report, false);
        CountAnswered();
        if (result == DocumentMessage::None) {
            offers_.resetAll = answeredCount_ > 0;
            if (observer_) observer_->QuestionsReplaced();
            SetTitle(document_.testPath);
            // Taken now: a file dialog may change the directory a relative name depends on.
            if (IsDamaged()) document_.damagedFile = view.FullPath(document_.damagedFile);
        } else {
            rows_.clear();
            TellDocumentMessage(view, result, false);
        }
    }
    view.EndBusy();
    ShowCounters();
    if (IsDamaged())
        Tell(view, Exclamation(IDS_DAMAGED_TEST, IDS_ERROR_CAPTION, {std::to_string(document_.questionCount)}));
}

void TestSession::CloseTest(FrameView& view) {
    if (!PromptBeforeGivingUp(view)) return;
    view.BeginBusy(IDS_BUSY_CLOSING);
    qb::CloseTest(document_);
    ForgetTest();
    view.EndBusy();
    // With no test open the status bar looks as it did at start-up.
    if (observer_) observer_->StatusChanged(StatusShown::StartupHints);
}

void TestSession::SaveTest(FrameView& view) {
    Save(view, false);
}

void TestSession::SaveTestAs(FrameView& view) {
    Save(view, true);
}

void TestSession::Save(FrameView& view, bool saveAs) {
    // A damaged test saves as Save as does: its own file stays as it is.
    if (saveAs || IsDamaged()) document_.testPath.clear();
    if (!document_.IsOpen() || document_.journalPath.empty()) {
        Tell(view, Information(IDS_NO_TEST_OPENED, IDS_SAVE_CAPTION));
        return;
    }
    if (document_.head == nullptr) {
        TellDocumentMessage(view, DocumentMessage::NoQuestions, true);
        return;
    }
    if (document_.testPath.empty() && !ChooseSavePath(view)) return;
    view.BeginBusy(IDS_BUSY_SAVING);
    SaveAndReport(view);
    SetTitle(document_.testPath);
    view.EndBusy();
    ShowCounters();
}

bool TestSession::MayGiveUpTest(FrameView& view) {
    if (document_.modified) {
        const MessageAnswer answer = AskToSave(view);
        if (answer == MessageAnswer::Cancel) return false;
        if (answer == MessageAnswer::Yes && SaveAfterPrompt(view) != PromptedSave::Saved) return false;
    }
    document_.modified = false;
    return true;
}

void TestSession::EndProgram() {
    qb::CloseTest(document_);
}

// True when a save under chosenPath would write, rename or delete the file
// damagedFile (a full path): the chosen name itself or one of the save's
// working names names it.
bool TestSession::SaveWouldReplace(const std::string& chosenPath, const std::string& damagedFile, FrameView& view) {
    const std::string names[] = {chosenPath, CompanionName(chosenPath, kTemporarySuffix),
                                 CompanionName(chosenPath, kBackupSuffix), CompanionName(chosenPath, kSavedSuffix)};
    for (const std::string& name : names)
        if (!name.empty() && SameFile(view.FullPath(name), damagedFile)) return true;
    return false;
}

}  // namespace qb
