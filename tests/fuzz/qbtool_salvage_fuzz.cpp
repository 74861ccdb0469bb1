// Salvaging arbitrary bytes: every record written reads back whole, the new
// test has no damage, and every record the loader reads from the undamaged
// start of the input is among the records written, first and in order.
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "document/document.h"
#include "tests/support/test_records.h"
#include "qbtool/commands.h"
#include "authoring/salvage_scan.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/support/memory_files.h"

namespace {

using qb::testing_support::MemoryFileSystem;

// The records of a test file in file order, as the loader reads them.
std::vector<qb::QuestionRecord> LoadedRecords(MemoryFileSystem& files, const std::string& path) {
    qb::TestDocument document;
    document.files = &files;
    qb::testing_support::MemoryList list;
    qb::testing_support::MemoryReporter reporter;
    int32_t remaining = 0;
    std::vector<qb::QuestionRecord> records;
    if (qb::OpenTest(document, path, "journal", list, reporter, remaining) != std::nullopt) return records;
    for (const qb::QuestionNode* node = document.head; node; node = node->next) {
        records.emplace_back();
        QB_FUZZ_CHECK(qb::ReadNodeRecord(document, *node, records.back()));
    }
    qb::CloseTest(document);
    return records;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryFileSystem files;
    files.SetContent("in.tvt", std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream out;
    std::ostringstream err;
    qb::ToolConsole console{out, err, false};
    const int code = qb::RunQbtool({"salvage", "in.tvt", "out.tvt"}, files, console);
    if (code != qb::kExitClean) {
        QB_FUZZ_CHECK(code == qb::kExitFailed && !files.Exists("out.tvt"));
        return 0;
    }
    auto written = files.Open("out.tvt", qb::OpenMode::Read);
    QB_FUZZ_CHECK(written != nullptr);
    qb::TestFileScan scan;
    QB_FUZZ_CHECK(qb::ScanTestFile(*written, scan));
    QB_FUZZ_CHECK(scan.magicAccepted && scan.damagedCount == 0);
    written.reset();

    const std::vector<qb::QuestionRecord> salvaged = LoadedRecords(files, "out.tvt");
    QB_FUZZ_CHECK(salvaged.size() == scan.recordCount);
    const std::vector<qb::QuestionRecord> prefix = LoadedRecords(files, "in.tvt");
    QB_FUZZ_CHECK(prefix.size() <= salvaged.size());
    for (size_t i = 0; i < prefix.size(); ++i) {
        QB_FUZZ_CHECK(salvaged[i].keyword == prefix[i].keyword);
        QB_FUZZ_CHECK(salvaged[i].slots == prefix[i].slots);
        QB_FUZZ_CHECK(salvaged[i].status == prefix[i].status);
        QB_FUZZ_CHECK(salvaged[i].misses == prefix[i].misses);
    }
    return 0;
}
