// The one place where a C++ exception thrown by a message handler is caught:
// no exception may unwind through USER32, which was not built for it.
#pragma once
#include <new>

namespace qb {

enum class FailureKind {
    NoMemory,  // std::bad_alloc
    Other,     // anything else thrown
};

// Returns handle(); a thrown exception becomes react(kind) instead. When the
// reaction itself throws, there is nothing left to try and fallback is returned.
template <typename Result, typename Handle, typename React>
Result CatchFailures(Handle&& handle, React&& react, Result fallback) noexcept {
    try {
        try {
            return handle();
        } catch (const std::bad_alloc&) {
            return react(FailureKind::NoMemory);
        } catch (...) {
            return react(FailureKind::Other);
        }
    } catch (...) {
        return fallback;
    }
}

}  // namespace qb
