#include "uninstall/removal_dialog.h"

#include <shellapi.h>

#include "common/dialog.h"
#include "common/scoped_handles.h"
#include "uninstall/resource_ids.h"

namespace qb {
namespace {

constexpr DWORD kGroupPauseMs = 1000;

RemovalData* DataOf(HWND dialog) {
    return DialogData<RemovalData>(dialog);
}

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam) {
    KeepDialogData(dialog, lParam);
    const RemovalData* data = DataOf(dialog);
    EnableWindow(GetDlgItem(dialog, IDC_KIND_TESTS), data->choice.tests);
    EnableWindow(GetDlgItem(dialog, IDC_KIND_TEXT_FILES), data->choice.textFiles);
    EnableWindow(GetDlgItem(dialog, IDC_KIND_BITMAPS), data->choice.bitmaps);
    return TRUE;
}

// The removal runs once, inside the first paint, so the dialog is on screen
// while it goes on.
INT_PTR OnPaint(HWND dialog) {
    RemovalData* data = DataOf(dialog);
    if (data->firstPaint) {
        data->firstPaint = false;
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_REMOVAL_START_WORK, IDC_REMOVAL_START_WORK), 0);
    }
    PAINTSTRUCT paint;
    BeginPaint(dialog, &paint);
    EndPaint(dialog, &paint);
    return TRUE;
}

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
    for (const std::string& path : group.paths) RemoveOneKind(path);
    if (group.kind == RemovalKind::SystemEntries) {
        RemoveSystemEntries(data.names);
        RemoveShortcuts(data.names);
    }
}

void OnStartWork(HWND dialog) {
    const RemovalData* data = DataOf(dialog);
    WaitCursor wait;
    for (const RemovalGroup& group : RemovalGroups(data->programDirectory, data->baseName, data->choice)) {
        if (!group.chosen) continue;
        RemoveGroup(*data, group);
        CheckDlgButton(dialog, CheckBoxOf(group.kind), BST_INDETERMINATE);
        UpdateWindow(dialog);
        Sleep(kGroupPauseMs);
    }
    EndDialog(dialog, 1);
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDC_REMOVAL_START_WORK: OnStartWork(dialog); return TRUE;
    case IDCANCEL: return TRUE;  // there is no way back once the removal runs
    }
    return FALSE;
}

INT_PTR Dispatch(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, lParam);
    case WM_PAINT: return OnPaint(dialog);
    case WM_COMMAND: return OnCommand(dialog, wParam);
    }
    return FALSE;
}

}  // namespace

void RemoveOneKind(const std::string& pathOrPattern) {
    // Asking the shell to delete what is not there can raise its error box.
    if (AnythingMatches(pathOrPattern)) {
        ShellDelete(pathOrPattern, FOF_SILENT | FOF_NOCONFIRMATION | FOF_FILESONLY);
    }
}

void RunRemovalDialog(HINSTANCE instance, RemovalData* data) {
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_REMOVAL), nullptr, GuardedDialogProc<Dispatch, 1>,
                    reinterpret_cast<LPARAM>(data));
}

}  // namespace qb
