#include "creator/export_check.h"

#include <memory>

#include "authoring/question_check.h"
#include "common/message_box.h"
#include "creator/check_summary.h"
#include "creator/resource_ids.h"

namespace qb::creator {

bool ConfirmExportAfterCheck(HINSTANCE instance, const Directory& programDirectory, const std::string& testPath) {
    CheckReport report;
    {
        std::unique_ptr<ByteStream> stream = RealFileSystem().Open(testPath, OpenMode::Read);
        if (!stream) return true;
        TestFileScan scan;
        report = CheckTestFile(RealFileSystem(), *stream, testPath, scan, programDirectory);
    }
    if (report.findings.empty()) return true;
    const std::string text = LoadResourceString(instance, IDS_CHECK_FOUND) + "\n\n" + ListFindings(report.findings) +
                             "\n\n" + LoadResourceString(instance, IDS_CHECK_EXPORT_ANYWAY);
    const std::string caption = LoadResourceString(instance, IDS_CHECK_CAPTION);
    return BeepAndShowMessage(nullptr, text, caption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

}  // namespace qb::creator
