// Benchmark of the web page export on the generated test (short texts and a
// picture name in every fifth question, as qbtool-bench makes it): qbtool
// export to .html, best of five, and the size of the page and of its own
// code. The page is left in the work directory for web_page_bench.sh to open
// in the browser.
//
//   web-page-bench <work directory> [questions]   (default 10000)
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sstream>
#include <string>

#include "qbtool/commands.h"
#include "tools/bench/generated_questions.h"
#include "webpage/page_template.h"

namespace {

using namespace qb::bench;

constexpr int kRuns = 5;

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: web-page-bench <work directory> [questions]\n");
        return 2;
    }
    const std::string dir = argv[1];
    const int count = argc > 2 ? std::atoi(argv[2]) : 10000;
    const std::string test = dir + "/bench.tvt", page = dir + "/bench.html", picture = dir + "/picture.bmp";
    if (!Generate(test, count, 50) || !WritePicture(picture)) {
        std::fprintf(stderr, "cannot write into %s\n", dir.c_str());
        return 1;
    }
    double wall = 1e9, cpu = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        std::ostringstream out, err;
        qb::ToolConsole console{out, err, false};
        const Clock::time_point start = Clock::now();
        const double cpuStart = CpuSeconds();
        if (qb::RunQbtool({"export", test, page, "--force"}, qb::RealFileSystem(), console) != qb::kExitClean) {
            std::fprintf(stderr, "%s", err.str().c_str());
            return 1;
        }
        wall = std::min(wall, Seconds(start));
        cpu = std::min(cpu, CpuSeconds() - cpuStart);
    }
    auto file = qb::RealFileSystem().Open(page, qb::OpenMode::Read);
    const long long pageBytes = file ? static_cast<long long>(qb::StreamSize(*file)) : -1;
    const size_t codeBytes = std::strlen(qb::kPageHtml) + std::strlen(qb::kPageStyle) + std::strlen(qb::kPageScript);
    std::printf("%d questions, best of %d runs\n\n", count, kRuns);
    std::printf("| Step | Wall time | Processor time | Page size |\n|---|---|---|---|\n");
    std::printf("| qbtool export to .html | %.1f ms | %.1f ms | %.2f MB |\n\n", wall * 1e3, cpu * 1e3, pageBytes / 1e6);
    std::printf("The page's own code (HTML, CSS, script, without data): %zu bytes (%.1f KB)\n", codeBytes,
                codeBytes / 1024.0);
    std::remove(test.c_str());
    std::remove(picture.c_str());
    return 0;
}
