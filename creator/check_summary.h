// What Creator shows of a test's check before it exports the test.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "authoring/question_check.h"

namespace qb::creator {

// A message box shows no more findings than this; the others are counted.
constexpr size_t kFindingsShown = 15;

// The first shownAtMost findings, one a line, then "... and 4 more findings"
// when there are more.
std::string ListFindings(const std::vector<Finding>& findings, size_t shownAtMost = kFindingsShown);

}  // namespace qb::creator
