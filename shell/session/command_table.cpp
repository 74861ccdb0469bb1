#include "shell/session/command_table.h"

#include "shell/resource_ids.h"

namespace qb {
namespace {

bool Always(const TestSession&) {
    return true;
}
bool TestIsOpen(const TestSession& session) {
    return session.IsOpen();
}
bool CanAsk(const TestSession& session) {
    return session.CanAsk();
}
bool OffersShowAnswer(const TestSession& session) {
    return session.OffersShowAnswer();
}
bool OffersMarkAnswered(const TestSession& session) {
    return session.OffersMarkAnswered();
}
bool OffersSelectionCommands(const TestSession& session) {
    return session.OffersSelectionCommands();
}
bool SelectedIsAnswered(const TestSession& session) {
    return session.OffersSelectionCommands() && session.IsAnswered(session.SelectedKey());
}
bool OffersResetAll(const TestSession& session) {
    return session.OffersResetAll();
}
bool ShowsListDetails(const TestSession& session) {
    return session.ShowsListDetails();
}
bool AsksMissedFirst(const TestSession& session) {
    return session.AsksMissedFirst();
}
bool CanUndo(const TestSession& session) {
    return session.CanUndo();
}
bool OffersAnswerKeys(const TestSession& session) {
    return session.OffersAnswerKeys();
}

void NewTest(TestSession& session, FrameView& view) {
    session.NewTest(view);
}
void OpenTest(TestSession& session, FrameView& view) {
    session.OpenTest(view);
}
void CloseTest(TestSession& session, FrameView& view) {
    session.CloseTest(view);
}
void SaveTest(TestSession& session, FrameView& view) {
    session.SaveTest(view);
}
void SaveTestAs(TestSession& session, FrameView& view) {
    session.SaveTestAs(view);
}
void ExportWebPage(TestSession& session, FrameView& view) {
    session.ExportWebPage(view);
}
void NewQuestion(TestSession& session, FrameView& view) {
    session.NewQuestion(view);
}
void EditQuestion(TestSession& session, FrameView& view) {
    session.EditQuestion(view);
}
void RemoveQuestion(TestSession& session, FrameView& view) {
    session.RemoveQuestion(view);
}
void ExportQuestions(TestSession& session, FrameView& view) {
    session.ExportQuestions(view);
}
void CheckTest(TestSession& session, FrameView& view) {
    session.CheckTest(view);
}
void ImportQuestions(TestSession& session, FrameView& view) {
    session.ImportQuestions(view);
}
void AskQuestion(TestSession& session, FrameView& view) {
    session.AskQuestion(view);
}
void ShowAnswer(TestSession& session, FrameView& view) {
    session.ShowAnswer(view);
}
void MarkAnswered(TestSession& session, FrameView& view) {
    session.MarkAnswered(view);
}
void ResetQuestion(TestSession& session, FrameView& view) {
    session.ResetQuestion(view);
}
void ResetAllQuestions(TestSession& session, FrameView& view) {
    session.ResetAllQuestions(view);
}
void Undo(TestSession& session, FrameView& view) {
    session.Undo(view);
}
void ToggleMissedFirst(TestSession& session, FrameView& view) {
    session.ToggleMissedFirst(view);
}
template <int kRow>
void ChooseAnswer(TestSession& session, FrameView& view) {
    session.ChooseAnswer(kRow, view);
}
void ShowHelp(TestSession&, FrameView& view) {
    view.ShowHelp();
}
void ShowAbout(TestSession&, FrameView& view) {
    view.ShowAbout();
}
void ChooseQuestionFont(TestSession&, FrameView& view) {
    view.ChooseQuestionFont();
}
void ToggleListDetails(TestSession& session, FrameView&) {
    session.ToggleListDetails();
}
void Exit(TestSession&, FrameView& view) {
    view.Exit();
}

}  // namespace

// In toolbar order; the commands without a button follow.
const MainCommand kMainCommands[kMainCommandCount] = {
    {IDM_FILE_NEW, NewTest, Always, 0, false},
    {IDM_FILE_OPEN, OpenTest, Always, 1, false},
    {IDM_FILE_CLOSE, CloseTest, TestIsOpen, 2, false},
    {IDM_FILE_SAVE, SaveTest, TestIsOpen, 3, false},
    {IDM_FILE_SAVE_AS, SaveTestAs, TestIsOpen, 4, false},
    {IDM_QUESTION_NEW, NewQuestion, TestIsOpen, 5, true},
    {IDM_QUESTION_EDIT, EditQuestion, OffersSelectionCommands, 6, false},
    {IDM_QUESTION_REMOVE, RemoveQuestion, OffersSelectionCommands, 7, false},
    {IDM_TEST_ASK, AskQuestion, CanAsk, 8, true},
    {IDM_TEST_SHOW_ANSWER, ShowAnswer, OffersShowAnswer, 9, false},
    {IDM_TEST_MARK_ANSWERED, MarkAnswered, OffersMarkAnswered, 10, false},
    {IDM_TEST_RESET, ResetQuestion, SelectedIsAnswered, 11, false},
    {IDM_TEST_RESET_ALL, ResetAllQuestions, OffersResetAll, 12, false},
    {IDM_HELP, ShowHelp, Always, 13, true},
    {IDM_ABOUT, ShowAbout, Always, -1, false},
    {IDM_FONT, ChooseQuestionFont, Always, -1, false},
    {IDM_FILE_EXPORT_WEB_PAGE, ExportWebPage, TestIsOpen, -1, false},
    {IDM_EXIT, Exit, Always, -1, false},
    {IDM_FILE_EXPORT_QUESTIONS, ExportQuestions, TestIsOpen, -1, false},
    {IDM_FILE_CHECK_TEST, CheckTest, TestIsOpen, -1, false},
    {IDM_FILE_IMPORT_QUESTIONS, ImportQuestions, TestIsOpen, -1, false},
    {IDM_OPTIONS_DETAILS, ToggleListDetails, Always, -1, false},
    {IDM_EDIT_UNDO, Undo, CanUndo, -1, false},
    {IDM_TEST_MISSED_FIRST, ToggleMissedFirst, Always, -1, false},
    {IDM_TEST_ANSWER_1, ChooseAnswer<0>, OffersAnswerKeys, -1, false},
    {IDM_TEST_ANSWER_2, ChooseAnswer<1>, OffersAnswerKeys, -1, false},
    {IDM_TEST_ANSWER_3, ChooseAnswer<2>, OffersAnswerKeys, -1, false},
    {IDM_TEST_ANSWER_4, ChooseAnswer<3>, OffersAnswerKeys, -1, false},
    {IDM_TEST_ANSWER_5, ChooseAnswer<4>, OffersAnswerKeys, -1, false},
};

const CheckedCommand kCheckedCommands[kCheckedCommandCount] = {
    {IDM_OPTIONS_DETAILS, ShowsListDetails},
    {IDM_TEST_MISSED_FIRST, AsksMissedFirst},
};

const MainCommand* FindMainCommand(int id) {
    for (const MainCommand& command : kMainCommands)
        if (command.id == id) return &command;
    return nullptr;
}

bool IsCommandEnabled(const TestSession& session, int id) {
    const MainCommand* command = FindMainCommand(id);
    return command == nullptr || command->enabled(session);
}

}  // namespace qb
