// Checks for the Win32-layer test programs: every check is counted, a failed
// one is printed with its line, and Finish gives the program's exit code
// (0 only when no check failed).
#pragma once
#include <cstdio>

namespace wine_check {

inline int passed = 0;
inline int failed = 0;

inline void Check(bool condition, const char* what, int line) {
    if (condition) {
        ++passed;
    } else {
        ++failed;
        std::printf("FAILED line %d: %s\n", line, what);
    }
}

inline int Finish() {
    std::printf("%d checks passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}

}  // namespace wine_check

#define CHECK(condition) wine_check::Check((condition), #condition, __LINE__)
