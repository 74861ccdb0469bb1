// The three counters of the status bar.
#pragma once
#include <cstdint>
#include <string>

namespace qb {

struct CounterLabels {
    std::string asked;      // "Asked:"
    std::string correct;    // "Correct:"
    std::string remaining;  // "Remaining:"
};

struct CounterTexts {
    std::string asked;      // status-bar part 0
    std::string correct;    // part 1, with the rate in per cent
    std::string remaining;  // part 2
};

// "Asked: 3", "Correct: 2 (66.67 %)", "Remaining: 5"; the rate is 0 while
// nothing was asked.
CounterTexts FormatCounters(const CounterLabels& labels, int32_t asked, int32_t correct, int32_t remaining);

}  // namespace qb
