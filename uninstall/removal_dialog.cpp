#include "uninstall/removal_dialog.h"

#include <shellapi.h>

#include "common/scoped_handles.h"
#include "common/work_dialog.h"
#include "uninstall/recycling.h"
#include "uninstall/resource_ids.h"

namespace qb {
namespace {

constexpr DWORD kGroupPauseMs = 1000;

// The box that shows a group in this dialog.
int CheckBoxOf(RemovalKind kind) {
    switch (kind) {
    case RemovalKind::ProgramFiles: return IDC_KIND_PROGRAM_FILES;
    case RemovalKind::Tests: return IDC_KIND_TESTS;
    case RemovalKind::TextFiles: return IDC_KIND_TEXT_FILES;
    case RemovalKind::Bitmaps: return IDC_KIND_BITMAPS;
    case RemovalKind::SystemEntries: return IDC_KIND_SYSTEM_ENTRIES;
    }
    return IDC_KIND_SYSTEM_ENTRIES;
}

void RemoveGroup(const RemovalData& data, const RemovalGroup& group) {
    for (const std::string& path : group.paths) RemoveOneKind(path, GoesToRecycleBin(group.kind, path));
    if (group.kind == RemovalKind::SystemEntries) {
        RemoveSystemEntries(data.names);
        RemoveShortcuts(data.names);
    }
}

class RemovalWork : public WorkDialog {
public:
    explicit RemovalWork(const RemovalData& data) : data_(data) {}

    bool Prepare(HWND dialog) override {
        EnableWindow(GetDlgItem(dialog, IDC_KIND_TESTS), data_.choice.tests);
        EnableWindow(GetDlgItem(dialog, IDC_KIND_TEXT_FILES), data_.choice.textFiles);
        EnableWindow(GetDlgItem(dialog, IDC_KIND_BITMAPS), data_.choice.bitmaps);
        return true;
    }

    INT_PTR Work(HWND dialog) override {
        WaitCursor wait;
        for (const RemovalGroup& group : RemovalGroups(data_.programDirectory, data_.baseName, data_.choice)) {
            if (!group.chosen) continue;
            RemoveGroup(data_, group);
            CheckDlgButton(dialog, CheckBoxOf(group.kind), BST_INDETERMINATE);
            UpdateWindow(dialog);
            Sleep(kGroupPauseMs);
        }
        return 1;
    }

private:
    const RemovalData& data_;
};

}  // namespace

void RemoveOneKind(const std::string& pathOrPattern, bool toRecycleBin) {
    // Asking the shell to delete what is not there can raise its error box.
    if (!AnythingMatches(pathOrPattern)) return;
    // Where the files cannot be recycled (a drive without a Recycle Bin), the
    // shell asks before it deletes them for good.
    const unsigned undo = toRecycleBin ? FOF_ALLOWUNDO | FOF_WANTNUKEWARNING : 0;
    ShellDelete(pathOrPattern, FOF_SILENT | FOF_NOCONFIRMATION | FOF_FILESONLY | undo);
}

void RunRemovalDialog(HINSTANCE instance, RemovalData* data) {
    WorkDialogSettings settings;
    settings.dialogId = IDD_REMOVAL;
    settings.startCommand = IDC_REMOVAL_START_WORK;
    settings.resultOnFailure = 1;
    RemovalWork work(*data);
    RunWorkDialog(instance, settings, work);
}

}  // namespace qb
