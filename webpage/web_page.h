// A test as one self-contained web page that practises it: the page's own
// code (webpage/page/) with the questions and every attached file embedded
// as data, so the page makes no request of any kind.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "base/byte_stream.h"
#include "document/record.h"

namespace qb {

enum class AttachmentProblem {
    Missing,     // no file where the program would look
    Unreadable,  // the file is there but cannot be read whole
    NotABitmap,  // a picture whose bytes are no bitmap a browser shows
};

struct PageFinding {
    int question = 0;     // in file order, from 1
    std::string keyword;  // as stored (Windows-1252)
    int slot = 0;         // the file slot of the record
    std::string storedName;
    AttachmentProblem problem = AttachmentProblem::Missing;
};

struct WebPage {
    std::string html;  // UTF-8
    std::vector<PageFinding> findings;
};

// The file an attachment stored under a name is read from, or "" when there
// is none; the program and qbtool each look where they look.
using AttachmentLocator = std::function<std::string(const std::string& storedName)>;

// The page for the records of one test, titled title (UTF-8). An attachment
// that cannot be embedded is left out of the page and reported.
WebPage BuildWebPage(const std::string& title, const std::vector<QuestionRecord>& records, FileSystem& files,
                     const AttachmentLocator& locate);

// ".html" or ".htm" in any case at the end of the name.
bool IsWebPageName(const std::string& name);

}  // namespace qb
