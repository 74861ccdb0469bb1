// Benchmark of qbtool on the generated test of 100,000 questions (short
// texts, as document-bench makes it): check, against the index build of the
// same file in the same run, and export to and import from a table.
//
//   qbtool-bench <work directory> [questions]   (default 100000)
//
// The work directory receives the test, the table and the picture the test
// names; they are deleted afterwards.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sstream>
#include <string>
#include <vector>

#include "qbtool/commands.h"
#include "authoring/question_check.h"
#include "tools/bench/generated_questions.h"

namespace {

using namespace qb::bench;

constexpr int kRuns = 5;

struct Timing {
    double wall = 1e9;  // best of the runs
    double cpu = 1e9;
};

// The best of kRuns runs of work, which returns false on failure.
template <typename Work>
Timing Best(Work work) {
    Timing best;
    for (int run = 0; run < kRuns; ++run) {
        const Clock::time_point start = Clock::now();
        const double cpuStart = CpuSeconds();
        if (!work()) return Timing{-1, -1};
        best.wall = std::min(best.wall, Seconds(start));
        best.cpu = std::min(best.cpu, CpuSeconds() - cpuStart);
    }
    return best;
}

Timing BestCheck(const std::string& path, size_t& findings) {
    return Best([&] {
        auto stream = qb::RealFileSystem().Open(path, qb::OpenMode::Read);
        qb::TestFileScan scan;
        if (!stream) return false;
        findings = qb::CheckTestFile(qb::RealFileSystem(), *stream, path, scan).findings.size();
        return scan.size >= 0;
    });
}

Timing BestCommand(const std::vector<std::string>& args) {
    return Best([&] {
        std::ostringstream out, err;
        qb::ToolConsole console{out, err, false};
        if (qb::RunQbtool(args, qb::RealFileSystem(), console) == qb::kExitClean) return true;
        std::fprintf(stderr, "%s", err.str().c_str());
        return false;
    });
}

Timing BestIndex(const std::string& path) {
    return Best([&] {
        qb::TestDocument document;
        document.testFile = qb::RealFileSystem().Open(path, qb::OpenMode::Read);
        CountingList list;
        SilentReporter reporter;
        int32_t remaining = 0;
        return qb::LoadQuestionIndex(document, list, reporter, remaining) > 0;
    });
}

void PrintRow(const char* what, const Timing& timing, const Timing& index) {
    std::printf("| %s | %.1f ms | %.1f ms | %.2f |\n", what, timing.wall * 1e3, timing.cpu * 1e3,
                timing.cpu / index.cpu);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: qbtool-bench <work directory> [questions]\n");
        return 2;
    }
    const std::string dir = argv[1];
    const int count = argc > 2 ? std::atoi(argv[2]) : 100000;
    const std::string test = dir + "/bench.tvt", table = dir + "/bench.csv", imported = dir + "/imported.tvt";
    const std::string picture = dir + "/picture.bmp";
    if (!Generate(test, count, 50) || !WritePicture(picture)) {
        std::fprintf(stderr, "cannot write into %s\n", dir.c_str());
        return 1;
    }
    BestIndex(test);  // warms the page cache
    const Timing index = BestIndex(test);
    size_t findings = 0;
    const Timing check = BestCheck(test, findings);
    const Timing exported = BestCommand({"export", test, table, "--force"});
    const Timing importedTiming = BestCommand({"import", table, imported, "--force"});
    std::printf("%d questions, best of %d runs; check findings: %zu\n\n", count, kRuns, findings);
    std::printf("| Step | Wall time | Processor time | Processor time / index build |\n|---|---|---|---|\n");
    PrintRow("Index build (LoadQuestionIndex)", index, index);
    PrintRow("qbtool check", check, index);
    PrintRow("qbtool export to .csv", exported, index);
    PrintRow("qbtool import from .csv", importedTiming, index);
    for (const std::string& path : {test, table, imported, picture}) std::remove(path.c_str());
    return check.wall < 0 || exported.wall < 0 || importedTiming.wall < 0 ? 1 : 0;
}
