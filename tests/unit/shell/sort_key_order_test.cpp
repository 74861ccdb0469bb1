#include "shell/session/sort_key_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

namespace qb {
namespace {

using namespace std::string_literals;

// The order std::string's comparison gives, of equal keys the later first.
std::vector<size_t> PlainOrder(const std::vector<std::string>& keys) {
    std::vector<size_t> order(keys.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const int byKey = keys[a].compare(keys[b]);
        return byKey != 0 ? byKey < 0 : a > b;
    });
    return order;
}

TEST(SortKeys, OrderIsThePlainComparisonsWithEqualKeysLaterFirst) {
    const std::vector<std::vector<std::string>> sets = {
        {},
        {"b"},
        {"b", "a", "c"},
        // All keys share their first bytes; they differ only behind the eight the head holds.
        {"Question 1234567890b", "Question 1234567890a", "Question 1234567890", "Question 1234567890a"},
        // A key that is another's start, with the zero bytes a system sort key ends in.
        {"ab\0"s, "ab"s, "ab\0\0"s, "a"s, ""s, "ab\x01"s},
        // Bytes above 0x7F come after the others.
        {"k\x80", "k\x7F", "k\xFF\x01", "k\xFF", "K"},
        {"same", "same", "same"},
    };
    for (const std::vector<std::string>& set : sets) {
        SortKeys keys;
        for (const std::string& key : set) keys.Add(key);
        ASSERT_EQ(keys.Count(), set.size());
        for (size_t i = 0; i < set.size(); ++i) EXPECT_EQ(keys.Key(i), set[i]);
        EXPECT_EQ(keys.Order(), PlainOrder(set)) << "first key: " << (set.empty() ? "" : set[0]);
    }
}

TEST(SortKeys, CompareIsThePlainComparison) {
    const std::vector<std::string> keys = {""s, "a"s, "a\0"s, "ab"s, "b"s, "\x80"s, "\xFF"s};
    for (const std::string& a : keys)
        for (const std::string& b : keys) {
            const int plain = a.compare(b);
            EXPECT_EQ(CompareSortKeys(a, b), plain < 0 ? -1 : (plain > 0 ? 1 : 0)) << a << " against " << b;
        }
}

}  // namespace
}  // namespace qb
