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
DecimalText ReadDecimal(const char* text, size_t size);

// The value of ReadDecimal for a whole text.
long long ParseDecimal(const std::string& text);

}  // namespace qb
