// Numbers stored as decimal text.
#pragma once
#include <string>

namespace qb {

// Converts like atoi/strtol: leading blanks, optional sign, digits up to the
// first other character; 0 when there are none. Saturates instead of overflowing.
long long ParseDecimal(const std::string& text);

}  // namespace qb
