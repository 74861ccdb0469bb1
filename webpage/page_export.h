// What qbtool and the program say about a test exported as a web page.
#pragma once
#include <string>

#include "webpage/web_page.h"

namespace qb {

// The page's title: the test's file name without folder and extension, in
// UTF-8 (a name that is not UTF-8 is taken as Windows-1252).
std::string PageTitleOf(const std::string& testPath);

// "question picture "moon.bmp" missing", in check's words.
std::string DescribePageFinding(const PageFinding& finding);

}  // namespace qb
