// New, Open, Close, Save, Save as, Export as web page and the save prompt,
// as operations of the session.
#include <memory>
#include <new>
#include <optional>

#include "authoring/question_check.h"
#include "base/document_names.h"
#include "base/paths.h"
#include "shell/resource_ids.h"
#include "shell/session/session.h"
#include "webpage/page_export.h"
#include "webpage/web_page.h"

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
    void Report(const Message& message) override { messages.push_back(message); }
    std::vector<Message> messages;
};

// The message box lists this many of the attached files the page lacks;
// their count says how many more there are.
constexpr size_t kPageFindingsListed = 20;

// The test's name with the web page's extension, beside the test.
std::string ProposedPageName(const std::string& testPath) {
    return WinPath(testPath).WithExtension(".html").Text();
}

// Written in full under a name beside the page first, so a failed write
// leaves an existing page as it was.
bool WriteFileReplacing(FileSystem& files, const std::string& path, const std::string& bytes) {
    const std::string partial = path + ".partial";
    std::unique_ptr<ByteStream> out = files.Open(partial, OpenMode::CreateWrite);
    bool written = out && out->Write(bytes.data(), bytes.size());
    written = out && out->Close() && written;
    if (written && files.Exists(path)) written = files.Remove(path);
    if (written) written = files.Rename(partial, path);
    if (!written) files.Remove(partial);
    return written;
}

// One line per attached file the page lacks, in qbtool's words.
std::string ListPageFindings(const std::vector<PageFinding>& findings) {
    std::string lines;
    for (size_t i = 0; i < findings.size() && i < kPageFindingsListed; ++i) {
        const PageFinding& finding = findings[i];
        if (i > 0) lines += "\n";
        lines += DescribeFinding(Finding{finding.question, finding.keyword, DescribePageFinding(finding)});
    }
    if (findings.size() > kPageFindingsListed) lines += "\n...";
    return lines;
}

}  // namespace

// A file error of a failed save is captioned by saving, whoever asked for it.
bool TestSession::SaveAndReport(FrameView& view) {
    const DocumentResult result = qb::SaveTest(document_);
    if (result) {
        Tell(view, *result);
        return false;
    }
    ++saves_;
    return true;
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
    asking_ = Asking();
    undoSteps_.clear();
    if (observer_) observer_->QuestionsReplaced();
    ChangeDisplay(DisplayChange::Hidden);
    SetTitle("");
}

void TestSession::NewTest(FrameView& view) {
    EndAsking();
    if (!PromptBeforeGivingUp(view)) return;
    const bool hadTest = document_.IsOpen();
    ForgetTest();
    if (!view.ChoosePath(PathDialog::New, document_.testPath)) {
        if (hadTest) ShowCounters();
        return;
    }
    const DocumentResult result = CreateTest(document_, document_.testPath, journalPath_);
    if (result)
        Tell(view, *result);
    else
        SetTitle(document_.testPath);
    if (hadTest || !result) ShowCounters();
}

void TestSession::OpenTest(FrameView& view) {
    OpenPath(std::nullopt, view);
}

void TestSession::OpenTestAt(const std::string& path, FrameView& view) {
    OpenPath(path, view);
}

void TestSession::OpenPath(const std::optional<std::string>& commandLinePath, FrameView& view) {
    EndAsking();
    if (!PromptBeforeGivingUp(view)) return;
    view.BeginBusy(IDS_BUSY_OPENING);
    ForgetTest();
    bool pathTaken;
    if (commandLinePath) {
        document_.testPath = *commandLinePath;
        pathTaken = !commandLinePath->empty();
        // The command line did not fit the path buffer.
        if (!pathTaken) Tell(view, FileErrorMessage());
    } else {
        pathTaken = view.ChoosePath(PathDialog::Open, document_.testPath);
    }
    if (pathTaken) {
        RowCollector rows(*this);
        KeptReports reports;
        int32_t remaining = 0;
        const DocumentResult result =
            qb::OpenTest(document_, document_.testPath, journalPath_, rows, reports, remaining);
        for (const Message& report : reports.messages) Tell(view, report);
        CountAnswered();
        if (!result) {
            offers_.resetAll = answeredCount_ > 0;
            if (observer_) observer_->QuestionsReplaced();
            SetTitle(document_.testPath);
            // Taken now: a file dialog may change the directory a relative name depends on.
            if (IsDamaged()) document_.damagedFile = view.FullPath(document_.damagedFile);
        } else {
            rows_.clear();
            Tell(view, *result);
        }
    }
    view.EndBusy();
    ShowCounters();
    if (IsDamaged())
        Tell(view, Exclamation(IDS_DAMAGED_TEST, IDS_ERROR_CAPTION, {std::to_string(document_.questionCount)}));
}

void TestSession::CloseTest(FrameView& view) {
    EndAsking();
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
        Tell(view, Information(IDS_NO_QUESTIONS_TO_SAVE, IDS_SAVE_CAPTION));
        return;
    }
    if (document_.testPath.empty() && !ChooseSavePath(view)) return;
    view.BeginBusy(IDS_BUSY_SAVING);
    SaveAndReport(view);
    SetTitle(document_.testPath);
    view.EndBusy();
    ShowCounters();
}

// Every question of the index as Save would write it: the record its node
// points at (in the test file or the change journal) with the node's status
// and miss count.
bool TestSession::ReadCurrentRecords(std::vector<QuestionRecord>& records) {
    records.clear();
    records.reserve(static_cast<size_t>(document_.questionCount > 0 ? document_.questionCount : 0));
    for (const QuestionNode* node = document_.head; node != nullptr; node = node->next) {
        records.emplace_back();
        if (!ReadNodeRecord(document_, *node, records.back())) return false;
        records.back().status = node->status;
        records.back().misses = node->misses;
    }
    return true;
}

void TestSession::ExportWebPage(FrameView& view) {
    if (!document_.IsOpen()) {
        Tell(view, Information(IDS_NO_TEST_OPENED, IDS_WEB_PAGE_CAPTION));
        return;
    }
    if (document_.head == nullptr) {
        Tell(view, Information(IDS_NO_QUESTIONS_TO_SAVE, IDS_WEB_PAGE_CAPTION));
        return;
    }
    std::string path = ProposedPageName(document_.testPath);
    if (!view.ChoosePath(PathDialog::WebPage, path)) return;
    // The page never takes the name of the test, its journal or its backup.
    if (!IsWebPageName(path)) {
        Tell(view, Information(IDS_WEB_PAGE_NAME, IDS_WEB_PAGE_CAPTION));
        return;
    }
    view.BeginBusy(IDS_BUSY_WEB_PAGE);
    std::optional<Message> failure;
    const Message fileError = Exclamation(IDS_FILE_ERROR, IDS_WEB_PAGE_CAPTION);
    WebPage page;
    try {
        std::vector<QuestionRecord> records;
        if (ReadCurrentRecords(records)) {
            page = BuildWebPage(PageTitleOf(document_.testPath), records, *document_.files,
                                [this](const std::string& name) {
                                    return FindAttachment(*document_.files, name, AttachmentBase(), programDirectory_);
                                });
            if (!WriteFileReplacing(*document_.files, path, page.html)) failure = fileError;
        } else {
            failure = fileError;
        }
    } catch (const std::bad_alloc&) {
        failure = NoMemoryMessage();
    }
    view.EndBusy();
    ShowCounters();
    if (failure) {
        Tell(view, *failure);
        return;
    }
    if (!page.findings.empty())
        Tell(view, Exclamation(IDS_EXPORT_INCOMPLETE, IDS_WEB_PAGE_CAPTION,
                               {std::to_string(page.findings.size()), ListPageFindings(page.findings)}));
}

bool TestSession::MayGiveUpTest(FrameView& view) {
    EndAsking();
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
    const WinPath chosen(chosenPath);
    const WinPath names[] = {chosen, chosen.Companion(kTemporarySuffix), chosen.Companion(kBackupSuffix),
                             chosen.Companion(kSavedSuffix)};
    const WinPath damaged(damagedFile);
    for (const WinPath& name : names)
        if (!name.Empty() && WinPath(view.FullPath(name.Text())).SameFile(damaged)) return true;
    return false;
}

}  // namespace qb
