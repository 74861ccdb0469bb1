#include "creator/check_summary.h"

#include "base/decimal.h"

namespace qb::creator {

std::string ListFindings(const std::vector<Finding>& findings, size_t shownAtMost) {
    std::string text;
    for (size_t i = 0; i < findings.size() && i < shownAtMost; ++i) {
        if (i > 0) text += "\n";
        text += DescribeFinding(findings[i]);
    }
    if (findings.size() > shownAtMost)
        text += "\n... and " + CountedNoun(findings.size() - shownAtMost, "more finding");
    return text;
}

}  // namespace qb::creator
