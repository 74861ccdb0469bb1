#include "install/win32_install_host.h"

#include <commctrl.h>

#include "common/message_box.h"
#include "install/program_files.h"
#include "install/resource_ids.h"
#include "system/system_names.h"
#include "settings/settings_registry.h"

namespace qb {
namespace {

constexpr DWORD kStepPauseMs = 500;

}  // namespace

std::string Win32InstallHost::Text(int id) const {
    return LoadResourceString(instance_, static_cast<UINT>(id));
}

int Win32InstallHost::Show(const std::string& text, int captionId, UINT style) const {
    return BeepAndShowMessage(dialog_, text, Text(captionId), style);
}

bool Win32InstallHost::MakeDirectory(const Directory& directory) {
    const std::string path = directory.WithTrailingBackslash();
    return SetCurrentDirectoryA(path.c_str()) || CreateDirectoryA(path.c_str(), nullptr);
}

void Win32InstallHost::ReportDirectoryNotMade() {
    Show(Text(IDS_DIRECTORY_NOT_MADE), IDS_ERROR_CAPTION, MB_OK | MB_ICONWARNING);
}

void Win32InstallHost::ShowProgress(int position) {
    HWND bar = GetDlgItem(dialog_, IDC_PROGRESS_BAR);
    SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    UpdateWindow(dialog_);
    UpdateWindow(bar);
    Sleep(kStepPauseMs);
}

void Win32InstallHost::SetStepText(int stringId) {
    SetDlgItemTextA(dialog_, IDC_PROGRESS_STEP, Text(stringId).c_str());
}

void Win32InstallHost::MarkInstalled() {
    qb::MarkInstalled();
}

void Win32InstallHost::WriteDataPath(const Directory& directory) {
    WriteUserValue(kDataPathValue, directory.WithTrailingBackslash());
}

void Win32InstallHost::AssociateTestFiles(const Directory& directory) {
    qb::AssociateTestFiles(directory, names_);
}

void Win32InstallHost::AddUninstallEntry(const Directory& directory) {
    qb::AddUninstallEntry(directory, names_);
}

bool Win32InstallHost::CanOpenForReading(const std::string& path) {
    std::unique_ptr<ByteStream> probe = RealFileSystem().Open(path, OpenMode::Read);
    if (!probe) return false;
    probe->Close();
    return true;
}

bool Win32InstallHost::AskOverwrite(const std::string& destination) {
    return Show(Text(IDS_OVERWRITE_QUESTION) + " " + destination, IDS_FILE_EXISTS_CAPTION,
                MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool Win32InstallHost::CopyOver(const std::string& source, const std::string& destination) {
    return CopyFileA(source.c_str(), destination.c_str(), FALSE) != 0;
}

void Win32InstallHost::ReportCopyFailed(const std::string& source) {
    Show(Text(IDS_COPY_FAILED) + " " + source, IDS_ERROR_CAPTION, MB_OK | MB_ICONINFORMATION);
}

std::unique_ptr<ByteStream> Win32InstallHost::OpenListFile(const std::string& path) {
    return RealFileSystem().Open(path, OpenMode::Read);
}

void Win32InstallHost::ReportCount(int count, int textId) {
    Show(std::to_string(count) + " " + Text(textId), IDS_ERROR_CAPTION, MB_OK | MB_ICONINFORMATION);
}

void Win32InstallHost::ReportAdvice() {
    Show(Text(IDS_ADVICE), IDS_ADVICE_CAPTION, MB_OK | MB_ICONINFORMATION);
}

}  // namespace qb
