// Numbers as decimal text: stored, and counted in messages.
#pragma once
#include <cstddef>
#include <string>

namespace qb {

// Converts like atoi/strtol: leading blanks, optional sign, digits up to the
// first other character; 0 when there are none. Saturates instead of overflowing.
long long ParseDecimal(const std::string& text);

// "1 question", "2 questions": the count and the noun, plural unless the count is 1.
std::string CountedNoun(size_t count, const std::string& noun);

}  // namespace qb
