// Benchmarks of the test document core on generated tests:
//  - building the question index (time, heap held by the index, peak process
//    memory) for short and long texts, and the ratio long/short;
//  - saving, against `cp` of the same file on the same disk in the same run.
//
//   document-bench <work directory> [question counts...]   (default 10000 100000)
//   document-bench --generate <test path> <questions> [text length]   (default 50)
//
// The work directory receives the generated tests and is cleaned up after.
// --generate only writes one such test and keeps it, for the benchmark of the
// real program under Wine.
#include <malloc.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "document/document.h"
#include "tools/bench/generated_questions.h"

namespace {

using namespace qb::bench;

long long FileSize(const std::string& path) {
    auto in = qb::RealFileSystem().Open(path, qb::OpenMode::Read);
    return in ? qb::StreamSize(*in) : -1;
}

long PeakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The least any loader must do with texts longer than a read: one system
// call per record, at the record's header. Here one 64-byte read at each
// position the index holds, nothing parsed.
double MeasureHeaderReadsAlone(const std::string& path, int runs) {
    qb::TestDocument document;
    document.testFile = qb::RealFileSystem().Open(path, qb::OpenMode::Read);
    CountingList list;
    SilentReporter reporter;
    int32_t remaining = 0;
    qb::LoadQuestionIndex(document, list, reporter, remaining);
    std::vector<int64_t> positions;
    for (const qb::QuestionNode* node = document.head; node; node = node->next) positions.push_back(node->position);
    const int file = open(path.c_str(), O_RDONLY);
    double best = 1e9;
    char header[64];
    for (int run = 0; run < runs && file >= 0; ++run) {
        const Clock::time_point start = Clock::now();
        for (int64_t position : positions)
            if (pread(file, header, sizeof header, static_cast<off_t>(position)) <= 0) break;
        best = std::min(best, Seconds(start));
    }
    if (file >= 0) close(file);
    return best;
}

struct SaveFigures {
    double saveSeconds = 1e9;
    double copySeconds = 1e9;
};

// Saves the test (every third question marked answered) and copies the saved
// file with cp, alternately, keeping the best time of each.
SaveFigures MeasureSave(const std::string& dir, const std::string& path, int runs) {
    SaveFigures figures;
    qb::TestDocument document;
    CountingList list;
    SilentReporter reporter;
    int32_t remaining = 0;
    if (qb::OpenTest(document, path, dir + "/CHANGINGS.TMP", list, reporter, remaining) != std::nullopt)
        return figures;
    int i = 0;
    for (qb::QuestionNode* node = document.head; node; node = node->next) node->status = (i++ % 3 == 0) ? 1 : 0;
    const std::string copy = "cp '" + path + "' '" + dir + "/copy.tvt'";
    for (int run = 0; run < runs; ++run) {
        Clock::time_point start = Clock::now();
        if (qb::SaveTest(document) != std::nullopt) {
            std::fprintf(stderr, "save failed\n");
            std::exit(1);
        }
        figures.saveSeconds = std::min(figures.saveSeconds, Seconds(start));
        start = Clock::now();
        if (std::system(copy.c_str()) != 0) std::exit(1);
        figures.copySeconds = std::min(figures.copySeconds, Seconds(start));
    }
    qb::CloseTest(document);
    return figures;
}

int GenerateOnly(int argc, char** argv) {
    const int count = argc > 3 ? std::atoi(argv[3]) : 0;
    const long length = argc > 4 ? std::atol(argv[4]) : 50;
    if (argc < 4 || argc > 5 || count <= 0 || length <= 0) {
        std::fprintf(stderr, "usage: document-bench --generate <test path> <questions> [text length]\n");
        return 2;
    }
    if (!Generate(argv[2], count, static_cast<size_t>(length))) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::string(argv[1]) == "--generate") return GenerateOnly(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: document-bench <work directory> [question counts...]\n");
        return 2;
    }
    const std::string dir = argv[1];
    std::vector<int> counts;
    for (int i = 2; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
    if (counts.empty()) counts = {10000, 100000};
    const size_t shortText = 50, longText = 10 * 1024, veryLongText = 40 * 1024;

    std::printf("| Questions | Text | File size | Index build (best of 5) | Index heap | Bytes/question |\n");
    std::printf("|---|---|---|---|---|---|\n");
    std::vector<std::string> ratios, saves;
    for (int count : counts) {
        double shortSeconds = 0, longSeconds = 0;
        std::vector<size_t> lengths = {shortText, longText};
        // Once texts are longer than a read buffer, their length must not matter.
        if (count == counts.front()) lengths.push_back(veryLongText);
        for (size_t length : lengths) {
            const std::string name = length == shortText ? "short" : length == longText ? "long" : "very long";
            const std::string path = dir + "/bench-" + std::to_string(count) + "-" + name + ".TVT";
            if (!Generate(path, count, length)) {
                std::fprintf(stderr, "cannot write %s\n", path.c_str());
                return 1;
            }
            MeasureIndex(path, 1);  // warms the page cache
            const IndexFigures index = MeasureIndex(path, 5);
            if (index.questions != count) {
                std::fprintf(stderr, "%s: loaded %d of %d questions\n", path.c_str(), index.questions, count);
                return 1;
            }
            std::printf("| %d | %s (%zu B) | %.1f MB | %.1f ms | %.2f MB | %.1f |\n", count, name.c_str(), length,
                        FileSize(path) / 1e6, index.seconds * 1e3, index.heapBytes / 1e6,
                        static_cast<double>(index.heapBytes) / count);
            char ratio[160];
            if (length == shortText) {
                shortSeconds = index.seconds;
            } else if (length == longText) {
                longSeconds = index.seconds;
                std::snprintf(ratio, sizeof ratio, "| %d | long / short | %.2f |", count, index.seconds / shortSeconds);
                ratios.push_back(ratio);
                const double floor = MeasureHeaderReadsAlone(path, 5);
                std::snprintf(ratio, sizeof ratio,
                              "| %d | long, one 64-byte read per record and nothing else (%.1f ms) / short | %.2f |",
                              count, floor * 1e3, floor / shortSeconds);
                ratios.push_back(ratio);
            } else {
                std::snprintf(ratio, sizeof ratio, "| %d | very long / long | %.2f |", count,
                              index.seconds / longSeconds);
                ratios.push_back(ratio);
            }
            const SaveFigures save = MeasureSave(dir, path, 5);
            char line[200];
            std::snprintf(line, sizeof line, "| %d | %s | %.1f MB | %.1f ms | %.1f ms | %.2f |", count, name.c_str(),
                          FileSize(path) / 1e6, save.saveSeconds * 1e3, save.copySeconds * 1e3,
                          save.saveSeconds / save.copySeconds);
            saves.push_back(line);
            for (const char* suffix : {".TVT", ".BAK", ".TMP"})
                std::remove((path.substr(0, path.size() - 4) + suffix).c_str());
            std::remove((dir + "/copy.tvt").c_str());
        }
    }
    std::printf("\nIndex build time ratios:\n\n| Questions | Texts | Ratio |\n|---|---|---|\n");
    for (const std::string& line : ratios) std::printf("%s\n", line.c_str());
    std::printf("\nSave against cp of the same file (best of 5 each, alternating):\n\n");
    std::printf("| Questions | Text | File size | Save | cp | Save / cp |\n|---|---|---|---|---|---|\n");
    for (const std::string& line : saves) std::printf("%s\n", line.c_str());
    std::printf("\nPeak resident memory of the whole run: %.1f MB\n", PeakRssKb() / 1024.0);
    return 0;
}
