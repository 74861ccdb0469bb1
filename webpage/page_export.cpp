#include "webpage/page_export.h"

#include "base/paths.h"
#include "encoding/cp1252.h"
#include "authoring/question_table.h"

namespace qb {

std::string PageTitleOf(const std::string& testPath) {
    const std::string name = WinPath(testPath).Stem();
    return IsValidUtf8(name) ? name : Cp1252ToUtf8(name);
}

std::string DescribePageFinding(const PageFinding& finding) {
    const std::string subject = std::string(ColumnName(1 + finding.slot)) + " \"" + finding.storedName + "\" ";
    switch (finding.problem) {
    case AttachmentProblem::Missing: return subject + "missing";
    case AttachmentProblem::Unreadable: return subject + "cannot be read";
    case AttachmentProblem::NotABitmap: return subject + "is not a bitmap the page can show";
    }
    return subject;
}

}  // namespace qb
