// The installation work's view of the machine: files, registry, the progress
// dialog's controls and message boxes owned by it.
#pragma once
#include <windows.h>

#include "install/install_work.h"
#include "system/system_entries.h"

namespace qb {

class Win32InstallHost : public InstallHost {
public:
    Win32InstallHost(HINSTANCE instance, HWND dialog, const SystemNames& names)
        : instance_(instance), dialog_(dialog), names_(names) {}

    bool MakeDirectory(const Directory& directory) override;
    void ReportDirectoryNotMade() override;
    void ShowProgress(int position) override;
    void SetStepText(int stringId) override;
    void MarkInstalled() override;
    void WriteDataPath(const Directory& directory) override;
    void AssociateTestFiles(const Directory& directory) override;
    void AddUninstallEntry(const Directory& directory) override;
    bool CanOpenForReading(const std::string& path) override;
    bool AskOverwrite(const std::string& destination) override;
    bool CopyOver(const std::string& source, const std::string& destination) override;
    void ReportCopyFailed(const std::string& source) override;
    std::unique_ptr<ByteStream> OpenListFile(const std::string& path) override;
    void ReportCount(int count, int textId) override;
    void ReportAdvice() override;

private:
    std::string Text(int id) const;
    int Show(const std::string& text, int captionId, UINT style) const;

    HINSTANCE instance_;
    HWND dialog_;
    SystemNames names_;
};

}  // namespace qb
