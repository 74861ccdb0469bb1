#include "creator/win32_export.h"

#include "common/message_box.h"
#include "creator/resource_ids.h"

namespace qb::creator {

namespace {

constexpr DWORD kPausePerAttachment = 500;

struct ProblemMessage {
    UINT captionId;
    UINT icon;
};

ProblemMessage MessageOf(ExportProblem problem) {
    switch (problem) {
    case ExportProblem::ListFileNotCreated: return {IDS_FILE_NOT_CREATED, MB_ICONEXCLAMATION};
    case ExportProblem::ProgramFileNotCopied: return {IDS_FILE_NOT_COPIED, MB_ICONINFORMATION};
    case ExportProblem::TestFileNotCreated: return {IDS_ACCESS_DENIED, MB_ICONEXCLAMATION};
    case ExportProblem::TestNotOpened: return {IDS_ACCESS_DENIED, MB_ICONEXCLAMATION};
    case ExportProblem::AttachmentNotCopied: return {IDS_FILE_NOT_COPIED, MB_ICONINFORMATION};
    case ExportProblem::FileNotWritten: return {IDS_FILE_NOT_CREATED, MB_ICONEXCLAMATION};
    }
    return {IDS_FILE_NOT_COPIED, MB_ICONINFORMATION};
}

}  // namespace

bool Win32FileCopier::CopyNew(const std::string& source, const std::string& destination) {
    return CopyFileA(source.c_str(), destination.c_str(), TRUE) != 0;
}

void DialogExportReporter::Report(ExportProblem problem, const std::string& text) {
    ProblemMessage message = MessageOf(problem);
    BeepAndShowMessage(nullptr, text, LoadResourceString(instance_, message.captionId), MB_OK | message.icon);
}

void DialogExportReporter::ShowList(const std::string& listText) {
    HWND list = GetDlgItem(dialog_, IDC_EXPORT_LIST);
    SetWindowTextA(list, listText.c_str());
    int end = GetWindowTextLengthA(list);
    SendMessageA(list, EM_SETSEL, end, end);
    SendMessageA(list, EM_SCROLLCARET, 0, 0);
}

void DialogExportReporter::ListGrew(const std::string& listText) {
    ShowList(listText);
    RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(kPausePerAttachment);
}

}  // namespace qb::creator
