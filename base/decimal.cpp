#include "base/decimal.h"

namespace qb {

namespace {

// The blanks atoi skips: isspace of the C locale.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

DecimalText ReadDecimal(const char* text, size_t size) {
    DecimalText number;
    size_t i = 0;
    while (i < size && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < size && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    number.digitsStart = i;
    int64_t value = 0;
    for (; i < size && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        value = value > (INT64_MAX - digit) / 10 ? INT64_MAX : value * 10 + digit;
    }
    number.end = i;
    number.value = negative ? -value : value;
    return number;
}

long long ParseDecimal(const std::string& text) {
    return ReadDecimal(text.data(), text.size()).value;
}

}  // namespace qb
