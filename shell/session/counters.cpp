#include "shell/session/counters.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace qb {
namespace {

// snprintf into a buffer sized for the label and the numbers.
template <typename... Args>
std::string Format(const std::string& label, const char* format, Args... args) {
    std::vector<char> buffer(label.size() + 96);
    const int written = std::snprintf(buffer.data(), buffer.size(), format, label.c_str(), args...);
    if (written < 0) return label;
    return std::string(buffer.data(), std::min<size_t>(static_cast<size_t>(written), buffer.size() - 1));
}

}  // namespace

CounterTexts FormatCounters(const CounterLabels& labels, int32_t asked, int32_t correct, int32_t remaining) {
    const double rate = asked != 0 ? static_cast<double>(correct) * 100.0 / asked : 0.0;
    CounterTexts texts;
    texts.asked = Format(labels.asked, "%s %ld", static_cast<long>(asked));
    texts.correct = Format(labels.correct, "%s %ld (%.2f %%)", static_cast<long>(correct), rate);
    texts.remaining = Format(labels.remaining, "%s %ld", static_cast<long>(remaining));
    return texts;
}

}  // namespace qb
