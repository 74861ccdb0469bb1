// The window procedure every window class of the programs uses: it finds the
// window's state in GWLP_USERDATA and hands each message to the class's
// handler, and a failure inside the handler to the class's failure handler.
#pragma once
#include <windows.h>

#include <memory>
#include <new>

#include "common/failure_guard.h"

namespace qb {

template <typename State>
using WindowHandler = LRESULT (*)(State& state, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
template <typename State>
using WindowFailureHandler = LRESULT (*)(State& state, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         FailureKind kind);

enum class StateOwner {
    Creator,  // CreateWindowEx's creation parameter, owned by the caller
    Window,   // made with the window at WM_NCCREATE and freed after WM_NCDESTROY
};

template <typename State>
State* WindowState(HWND window) {
    return reinterpret_cast<State*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

inline void KeepWindowState(HWND window, void* state) {
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
}

// Attaches the state at WM_NCCREATE. False when the window's own state cannot be made.
template <typename State, StateOwner owner>
bool AttachWindowState(HWND window, LPARAM lParam) {
    if constexpr (owner == StateOwner::Creator) {
        KeepWindowState(window, reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
        return true;
    } else {
        State* state = new (std::nothrow) State;
        KeepWindowState(window, state);
        return state != nullptr;
    }
}

template <typename State, WindowHandler<State> handler, WindowFailureHandler<State> onFailure,
          StateOwner owner = StateOwner::Creator>
LRESULT CALLBACK GuardedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE && !AttachWindowState<State, owner>(window, lParam)) return FALSE;
    State* state = WindowState<State>(window);
    if (state == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    std::unique_ptr<State> ending;  // the window's own state goes after its last message
    if constexpr (owner == StateOwner::Window) {
        if (message == WM_NCDESTROY) {
            ending.reset(state);
            KeepWindowState(window, nullptr);
        }
    }
    return CatchFailures<LRESULT>(
        [&] { return handler(*state, window, message, wParam, lParam); },
        [&](FailureKind kind) { return onFailure(*state, window, message, wParam, lParam, kind); }, 0);
}

}  // namespace qb
