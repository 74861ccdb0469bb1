#include "install/install_work.h"

#include "base/paths.h"
#include "distribution/list_file.h"
#include "install/program_files.h"
#include "install/resource_ids.h"

namespace qb {
namespace {

std::string InDirectory(const Directory& directory, const std::string& name) {
    return directory.Join(name).Text();
}

void Step(InstallState& state, InstallHost& host, int amount) {
    state.progress += amount;
    host.ShowProgress(state.progress);
}

void WriteSystemEntries(InstallState& state, InstallHost& host) {
    const Directory& dir = state.destinationDirectory;
    host.SetStepText(IDS_STEP_REGISTRY);
    host.MarkInstalled();
    Step(state, host, kStepMarker);
    host.WriteDataPath(dir);
    Step(state, host, kStepDataPath);
    host.AssociateTestFiles(dir);
    Step(state, host, kStepAssociation);
    host.AddUninstallEntry(dir);
    Step(state, host, kStepUninstallEntry);
}

void CopyProgramFiles(InstallState& state, InstallHost& host) {
    host.SetStepText(IDS_STEP_COPYING);
    for (const DistributedProgramFile& file : kDistributedProgramFiles) {
        CopyOneFile(state, host, ProgramFileSource(file, state.sourceDirectory, kProductName),
                    InDirectory(state.destinationDirectory, InstalledName(file, kProductName)));
        Step(state, host, file.installWeight);
    }
}

void Report(InstallState& state, InstallHost& host) {
    if (state.notCopied > 0) host.ReportCount(state.notCopied, IDS_NOT_ALL_COPIED);
    if (state.notReplaced > 0) host.ReportCount(state.notReplaced, IDS_NOT_ALL_REPLACED);
    if (state.notCopied > 0 || state.notReplaced > 0) host.ReportAdvice();
}

}  // namespace

void CopyOneFile(InstallState& state, InstallHost& host, const std::string& source, const std::string& destination) {
    if (host.CanOpenForReading(destination) && !host.AskOverwrite(destination)) {
        ++state.notReplaced;
        return;
    }
    if (!host.CopyOver(source, destination)) {
        host.ReportCopyFailed(source);
        ++state.notCopied;
    }
}

void CopyAttachedTest(InstallState& state, InstallHost& host) {
    std::unique_ptr<ByteStream> list = host.OpenListFile(InDirectory(state.sourceDirectory, kListFileName));
    if (!list) return;
    host.SetStepText(IDS_STEP_ATTACHED_TEST);
    ListEntry entry;
    for (int number = 1; ReadListEntry(*list, entry); ++number) {
        std::string source = InDirectory(state.sourceDirectory, NumberedFileName(number));
        // A name with a directory part could place the file anywhere on the disk.
        if (!IsCopyableEntry(entry)) {
            host.ReportCopyFailed(source);
            ++state.notCopied;
            continue;
        }
        CopyOneFile(state, host, source, InDirectory(state.destinationDirectory, entry.name));
    }
    list->Close();
}

WorkResult RunInstallWork(InstallState& state, InstallHost& host) {
    state.progress = kProgressStart;
    state.notCopied = 0;
    state.notReplaced = 0;
    if (!state.testsOnly) {
        if (!host.MakeDirectory(state.destinationDirectory)) {
            host.ReportDirectoryNotMade();
            return WorkResult::DirectoryNotMade;
        }
        Step(state, host, kStepDirectoryMade);
        WriteSystemEntries(state, host);
        CopyProgramFiles(state, host);
    }
    CopyAttachedTest(state, host);
    Report(state, host);
    return WorkResult::Done;
}

}  // namespace qb
