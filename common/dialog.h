// Pieces every modal dialog of the programs shares: the data struct it works
// on (handed in through WM_INITDIALOG's lParam and kept in GWLP_USERDATA) and
// a procedure that never lets a C++ exception unwind through USER32.
#pragma once
#include <windows.h>

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

using DialogHandler = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

// The dialog procedure around a dialog's message handler; a failure inside
// the handler ends the dialog with resultOnFailure.
template <DialogHandler handler, INT_PTR resultOnFailure = 0>
INT_PTR CALLBACK GuardedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return handler(dialog, message, wParam, lParam);
    } catch (...) {
        EndDialog(dialog, resultOnFailure);
        return TRUE;
    }
}

}  // namespace qb
