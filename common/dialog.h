// The dialog procedure every modal dialog of the programs uses: the data
// struct the dialog works on goes in through WM_INITDIALOG's lParam, is kept
// in GWLP_USERDATA and is handed to the dialog's handler with each message;
// a failure inside the handler goes to the dialog's failure handler.
#pragma once
#include <windows.h>

#include "common/failure_guard.h"

namespace qb {

inline void KeepDialogData(HWND dialog, LPARAM data) {
    SetWindowLongPtrA(dialog, GWLP_USERDATA, data);
}

template <typename Data>
Data* DialogData(HWND dialog) {
    return reinterpret_cast<Data*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

inline HINSTANCE DialogInstance(HWND dialog) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
}

template <typename Data>
using DialogHandler = INT_PTR (*)(Data& data, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
using DialogFailureHandler = INT_PTR (*)(HWND dialog, FailureKind kind);

// Messages that come before WM_INITDIALOG find no data and are left to the dialog manager.
template <typename Data, DialogHandler<Data> handler, DialogFailureHandler onFailure>
INT_PTR CALLBACK GuardedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) KeepDialogData(dialog, lParam);
    Data* data = DialogData<Data>(dialog);
    if (data == nullptr) return FALSE;
    return CatchFailures<INT_PTR>([&] { return handler(*data, dialog, message, wParam, lParam); },
                                  [&](FailureKind kind) { return onFailure(dialog, kind); }, TRUE);
}

// The failure handler of a dialog that ends silently with result when a handler fails.
template <INT_PTR result>
INT_PTR EndDialogOnFailure(HWND dialog, FailureKind) {
    EndDialog(dialog, result);
    return TRUE;
}

}  // namespace qb
