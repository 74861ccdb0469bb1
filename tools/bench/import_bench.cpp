// Times File > Import questions of the session natively: a table of generated
// rows imported into a one-question test on disk, with the change journal on
// disk, as the program does it less the windows.
//
//   import-bench SCRATCH_DIRECTORY [ROWS]
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "authoring/question_table.h"
#include "generated_questions.h"
#include "shell/session/session.h"

namespace {

// Chooses the prepared paths, takes the import dialog's detection and gives
// up the changed test when asked.
class ScriptedFrame final : public qb::FrameView {
public:
    qb::MessageAnswer Show(const qb::Message& message) override {
        messages.push_back(message.text);
        return qb::MessageAnswer::No;
    }
    bool ChoosePath(qb::PathDialog, std::string& path) override {
        path = nextPath;
        return !path.empty();
    }
    int RunQuestionDialog(qb::EditorMode, qb::QuestionNode&, std::string&) override { return 0; }
    int32_t ShowFindings(const std::vector<qb::Finding>&) override { return -1; }
    bool RunImportDialog(const std::string&, qb::TableOptions&) override { return true; }
    void ShowRowErrors(const std::vector<qb::RowError>&, size_t) override {}
    void BeginBusy(int) override {}
    void EndBusy() override {}
    std::string FullPath(const std::string& path) override { return path; }
    void ShowHelp() override {}
    void ShowAbout() override {}
    void ChooseQuestionFont() override {}
    void Exit() override {}
    void ClickAnswerMarker(int) override {}
    void StoreSetting(const char*, const std::string&) override {}

    std::string nextPath;
    std::vector<int> messages;
};

class FixedRandom final : public qb::RandomSource {
public:
    int Next() override { return 0; }
};

bool WriteFile(const std::string& path, const std::string& bytes) {
    auto out = qb::RealFileSystem().Open(path, qb::OpenMode::CreateWrite);
    return out && out->WriteText(bytes) && out->Close();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: import-bench SCRATCH_DIRECTORY [ROWS]\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    const int rows = argc > 2 ? std::atoi(argv[2]) : 100000;

    std::vector<qb::QuestionRecord> records(static_cast<size_t>(rows));
    for (int i = 0; i < rows; ++i) {
        qb::QuestionRecord& record = records[static_cast<size_t>(i)];
        record.keyword = "Question " + std::to_string(i);
        record.slots[qb::kSlotQuestion] = qb::bench::Text(60, static_cast<unsigned>(i));
        record.slots[qb::kSlotRightAnswer] = "Answer " + std::to_string(i);
        if (i % 3 == 0) record.slots[qb::kSlotWrongAnswer1] = "Wrong " + std::to_string(i);
    }
    if (!WriteFile(dir + "table.csv", qb::WriteQuestionTable(records, ','))) return 1;
    records.clear();
    if (!qb::bench::Generate(dir + "one.tvt", 1, 20)) return 1;

    FixedRandom random;
    qb::TestSession session(qb::Directory(dir), dir + "CHANGINGS.TMP", random);
    ScriptedFrame frame;
    frame.nextPath = dir + "one.tvt";
    session.OpenTest(frame);
    frame.nextPath = dir + "table.csv";
    const qb::bench::Clock::time_point start = qb::bench::Clock::now();
    const double cpuStart = qb::bench::CpuSeconds();
    session.ImportQuestions(frame);
    const double wall = qb::bench::Seconds(start);
    const double cpu = qb::bench::CpuSeconds() - cpuStart;
    std::printf("import of %d rows: %.1f ms wall, %.1f ms processor, %d questions\n", rows, wall * 1000,
                cpu * 1000, session.QuestionCount());
    return session.QuestionCount() == rows + 1 ? 0 : 1;
}
