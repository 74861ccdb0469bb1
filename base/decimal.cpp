#include "base/decimal.h"

namespace qb {

long long ParseDecimal(const std::string& text) {
    return ReadDecimal(text.data(), text.size()).value;
}

}  // namespace qb
