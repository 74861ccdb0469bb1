#include "base/decimal.h"

namespace qb {

long long ParseDecimal(const std::string& text) {
    return ReadDecimal(text.data(), text.size()).value;
}

std::string CountedNoun(size_t count, const std::string& noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

}  // namespace qb
