// The three counters of the status bar.
#pragma once
#include <cstdint>
#include <string>

namespace qb {

struct CounterLabels {
    std::string asked;
    std::string correct;
    std::string remaining;
};

struct CounterTexts {
    std::string asked;      // status-bar part 0
    std::string correct;    // part 1, with the rate in per cent
    std::string remaining;  // part 2
};

// Each label, a blank and its count; the correct count is followed by its
// rate in per cent of the asked ones, with two decimals. The rate is 0 while
// nothing was asked.
CounterTexts FormatCounters(const CounterLabels& labels, int32_t asked, int32_t correct, int32_t remaining);

}  // namespace qb
