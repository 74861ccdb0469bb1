// The work of the progress dialog: make the program directory, write the
// system entries, copy the program files and the attached test, report.
// Everything that touches the machine or the user goes through InstallHost.
#pragma once
#include <memory>
#include <string>

#include "base/byte_stream.h"
#include "base/paths.h"

namespace qb {

struct InstallState {
    Directory sourceDirectory;
    Directory destinationDirectory;
    bool testsOnly = false;
    int progress = 0;
    int notCopied = 0;    // copies that failed or were refused
    int notReplaced = 0;  // existing files the user chose to keep
};

class InstallHost {
public:
    virtual ~InstallHost() = default;

    // Makes the directory (one level); false when it neither exists nor can be made.
    virtual bool MakeDirectory(const Directory& directory) = 0;
    virtual void ReportDirectoryNotMade() = 0;
    // Shows the bar at position, updates the windows and pauses.
    virtual void ShowProgress(int position) = 0;
    virtual void SetStepText(int stringId) = 0;

    virtual void MarkInstalled() = 0;
    virtual void WriteDataPath(const Directory& directory) = 0;
    virtual void AssociateTestFiles(const Directory& directory) = 0;
    virtual void AddUninstallEntry(const Directory& directory) = 0;

    virtual bool CanOpenForReading(const std::string& path) = 0;
    // True when the user wants the existing file replaced.
    virtual bool AskOverwrite(const std::string& destination) = 0;
    virtual bool CopyOver(const std::string& source, const std::string& destination) = 0;
    virtual void ReportCopyFailed(const std::string& source) = 0;

    virtual std::unique_ptr<ByteStream> OpenListFile(const std::string& path) = 0;
    // "count text" with the string textId.
    virtual void ReportCount(int count, int textId) = 0;
    virtual void ReportAdvice() = 0;
};

enum class WorkResult { DirectoryNotMade, Done };

// Copies one file, asking before an existing destination is replaced.
void CopyOneFile(InstallState& state, InstallHost& host, const std::string& source, const std::string& destination);

// Copies the files named by the list file, if the distribution directory has one.
void CopyAttachedTest(InstallState& state, InstallHost& host);

WorkResult RunInstallWork(InstallState& state, InstallHost& host);

}  // namespace qb
