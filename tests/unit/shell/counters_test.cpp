#include "shell/session/counters.h"

#include <gtest/gtest.h>

#include <climits>

#include "shell/session/message.h"

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

// The texts of messages: placeholders by position, anything else as it is.
TEST(MessageText, PlaceholdersTakeTheirArgumentsByPosition) {
    const struct {
        const char* pattern;
        std::vector<std::string> arguments;
        const char* text;
    } cases[] = {
        {"only %1 questions", {"2"}, "only 2 questions"},
        {"%1 of\n%2\ninto\n%3 ?", {"3", "C:\\a %2.tvt", "b.tvt"}, "3 of\nC:\\a %2.tvt\ninto\nb.tvt ?"},
        {"%2 before %1", {"one", "two"}, "two before one"},
        {"Delete Question: %1", {"%1"}, "Delete Question: %1"},
        {"no argument for %1 here", {}, "no argument for  here"},
        {"100 % and %d and a last %", {"x"}, "100 % and %d and a last %"},
        {"", {"x"}, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(FillPlaceholders(c.pattern, c.arguments), c.text) << c.pattern;
}

}  // namespace
}  // namespace qb
