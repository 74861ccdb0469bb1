// The web page's own code, embedded at build time from webpage/page/: the
// HTML around the markers {{TITLE}}, {{STYLE}}, {{DATA}} and {{SCRIPT}}, the
// style sheet and the script.
#pragma once

namespace qb {

extern const char kPageHtml[];
extern const char kPageStyle[];
extern const char kPageScript[];

}  // namespace qb
