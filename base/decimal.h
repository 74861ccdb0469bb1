// Numbers stored as decimal text: the one grammar every reader of the
// project's files and registry values uses.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace qb {

// A decimal number at the start of a text, taken as atoi/strtol take it:
// leading blanks, an optional sign, digits up to the first other character.
// The value saturates instead of overflowing.
struct DecimalText {
    int64_t value = 0;       // 0 when there are no digits
    size_t digitsStart = 0;  // where the digits begin (behind blanks and sign)
    size_t end = 0;          // just behind the last digit

    bool HasDigits() const { return end > digitsStart; }
    // Digits alone fill the text, as a writer of numbers writes them.
    bool IsPlain(size_t size) const { return digitsStart == 0 && HasDigits() && end == size; }
};
// Inline: the record reader takes eleven numbers per question with it.
inline DecimalText ReadDecimal(const char* text, size_t size) {
    constexpr int64_t kLimit = INT64_MAX / 10;
    constexpr int kLastDigit = static_cast<int>(INT64_MAX % 10);
    DecimalText number;
    size_t i = 0;
    // The blanks atoi skips: isspace of the C locale.
    while (i < size && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < size && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    number.digitsStart = i;
    int64_t value = 0;
    for (; i < size && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        value = value > kLimit || (value == kLimit && digit > kLastDigit) ? INT64_MAX : value * 10 + digit;
    }
    number.end = i;
    number.value = negative ? -value : value;
    return number;
}

// The value of ReadDecimal for a whole text.
long long ParseDecimal(const std::string& text);

// "1 question", "2 questions": the count and the noun, plural unless the count is 1.
std::string CountedNoun(size_t count, const std::string& noun);

}  // namespace qb
