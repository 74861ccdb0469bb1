// A frame nobody sits at: every message is taken with OK, every dialog is
// cancelled and nothing is shown. Wine-layer tests and benchmarks drive a
// session through it and override only what they script.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shell/session/frame_view.h"

namespace qb {
namespace testing_support {

class QuietFrame : public FrameView {
public:
    MessageAnswer Show(const Message&) override { return MessageAnswer::Ok; }
    bool ChoosePath(PathDialog, std::string&) override { return false; }
    int RunQuestionDialog(EditorMode, QuestionNode&, std::string&) override { return 0; }
    int32_t ShowFindings(const std::vector<Finding>&) override { return -1; }
    bool RunImportDialog(const std::string&, TableOptions&) override { return false; }
    void ShowRowErrors(const std::vector<RowError>&, size_t) override {}
    void BeginBusy(int) override {}
    void EndBusy() override {}
    std::string FullPath(const std::string& path) override { return path; }
    void ShowHelp() override {}
    void ShowAbout() override {}
    void ChooseQuestionFont() override {}
    void Exit() override {}
    void ClickAnswerMarker(int) override {}
    void StoreSetting(const char*, const std::string&) override {}
};

}  // namespace testing_support
}  // namespace qb
