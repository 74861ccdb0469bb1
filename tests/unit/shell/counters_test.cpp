#include "shell/session/counters.h"

#include <gtest/gtest.h>

#include <climits>

namespace qb {
namespace {

const CounterLabels kLabels = {"Asked:", "Correct:", "Remaining:"};

TEST(Counters, NothingAskedShowsARateOfZero) {
    CounterTexts texts = FormatCounters(kLabels, 0, 0, 17);
    EXPECT_EQ(texts.asked, "Asked: 0");
    EXPECT_EQ(texts.correct, "Correct: 0 (0.00 %)");
    EXPECT_EQ(texts.remaining, "Remaining: 17");
}

TEST(Counters, RateHasTwoDecimals) {
    EXPECT_EQ(FormatCounters(kLabels, 3, 2, 1).correct, "Correct: 2 (66.67 %)");
    EXPECT_EQ(FormatCounters(kLabels, 1, 1, 0).correct, "Correct: 1 (100.00 %)");
    EXPECT_EQ(FormatCounters(kLabels, 7, 1, 0).correct, "Correct: 1 (14.29 %)");
}

TEST(Counters, LabelsComeFromTheCaller) {
    CounterTexts texts = FormatCounters({"Gefragt:", "Richtig:", "Offen:"}, 12, 3, 4);
    EXPECT_EQ(texts.asked, "Gefragt: 12");
    EXPECT_EQ(texts.correct, "Richtig: 3 (25.00 %)");
    EXPECT_EQ(texts.remaining, "Offen: 4");
}

TEST(Counters, ExtremeCountsAreWrittenWhole) {
    CounterTexts texts = FormatCounters(kLabels, INT32_MAX, INT32_MAX, INT32_MIN);
    EXPECT_EQ(texts.asked, "Asked: 2147483647");
    EXPECT_EQ(texts.correct, "Correct: 2147483647 (100.00 %)");
    EXPECT_EQ(texts.remaining, "Remaining: -2147483648");
}

}  // namespace
}  // namespace qb
