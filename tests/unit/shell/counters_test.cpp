#include "shell/session/counters.h"

#include <gtest/gtest.h>

#include <climits>

#include "message/message.h"

namespace qb {
namespace {

const CounterLabels kLabels = {"Asked:", "Correct:", "Remaining:"};

// Each count whole, the rate of correct answers with two decimals.
TEST(Counters, TextsOfTheThreeCounts) {
    const struct {
        CounterLabels labels;
        int32_t asked, correct, remaining;
        CounterTexts texts;
    } cases[] = {
        {kLabels, 0, 0, 17, {"Asked: 0", "Correct: 0 (0.00 %)", "Remaining: 17"}},  // nothing asked: a rate of zero
        {kLabels, 3, 2, 1, {"Asked: 3", "Correct: 2 (66.67 %)", "Remaining: 1"}},
        {kLabels, 1, 1, 0, {"Asked: 1", "Correct: 1 (100.00 %)", "Remaining: 0"}},
        {kLabels, 7, 1, 0, {"Asked: 7", "Correct: 1 (14.29 %)", "Remaining: 0"}},
        {{"Gefragt:", "Richtig:", "Offen:"}, 12, 3, 4, {"Gefragt: 12", "Richtig: 3 (25.00 %)", "Offen: 4"}},
        {kLabels, INT32_MAX, INT32_MAX, INT32_MIN,
         {"Asked: 2147483647", "Correct: 2147483647 (100.00 %)", "Remaining: -2147483648"}},
    };
    for (const auto& c : cases) {
        const CounterTexts texts = FormatCounters(c.labels, c.asked, c.correct, c.remaining);
        EXPECT_EQ(texts.asked, c.texts.asked);
        EXPECT_EQ(texts.correct, c.texts.correct);
        EXPECT_EQ(texts.remaining, c.texts.remaining);
    }
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
