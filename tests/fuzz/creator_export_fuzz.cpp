// The export of a test on arbitrary bytes: it must end without a crash, with
// every file closed, and for every question the record reader accepts, the
// exported test must hold the same question with status 0 and its names
// rewritten to "*" and the base name.
#include "creator/export_names.h"
#include "creator/export.h"
#include "document/record.h"
#include "tests/support/memory_files.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using qb::testing_support::MemoryFileSystem;

const char kTestPath[] = "C:\\Tests\\Fuzz.tvt";
const char kOutputPath[] = "C:\\Q\\Dist\\T0000001";

class CountingCopier final : public qb::creator::FileCopier {
public:
    bool CopyNew(const std::string&, const std::string&) override { return true; }
};

class QuietReporter final : public qb::creator::ExportReporter {
public:
    void Report(qb::creator::ExportProblem, const std::string&) override {}
    void ListGrew(const std::string&) override {}
};

void Check(bool condition) {
    if (!condition) std::abort();
}

// The questions the record reader accepts one after another behind the magic line.
std::vector<qb::QuestionRecord> LoadQuestions(qb::ByteStream& stream) {
    std::vector<qb::QuestionRecord> questions;
    int64_t fileSize = qb::StreamSize(stream);
    int64_t position = 11;  // behind "QBKX0101A" CR LF
    for (;;) {
        qb::RecordHeader header;
        qb::QuestionRecord record;
        if (!qb::ReadRecordHeader(stream, position, fileSize, header)) break;
        if (!qb::ReadQuestionRecord(stream, position, record)) break;
        questions.push_back(record);
        position = header.end;
    }
    return questions;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryFileSystem files;
    std::string bytes(reinterpret_cast<const char*>(data), size);
    files.SetContent(kTestPath, bytes);
    CountingCopier copier;
    QuietReporter reporter;
    {
        qb::creator::TestExport exporter(
            {qb::Directory("C:\\Q"), "Quorbelind", kTestPath, qb::Directory("C:\\Q\\Dist")}, files, copier, reporter);
        Check(exporter.Open());
        exporter.Run();
    }
    Check(files.OpenStreamCount() == 0);
    if (bytes.compare(0, 11, "QBKX0101A\r\n") != 0) return 0;

    auto source = files.Open(kTestPath, qb::OpenMode::Read);
    std::vector<qb::QuestionRecord> expected = LoadQuestions(*source);
    auto output = files.Open(kOutputPath, qb::OpenMode::Read);
    std::vector<qb::QuestionRecord> exported = LoadQuestions(*output);
    Check(exported.size() >= expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        Check(exported[i].keyword == expected[i].keyword);
        Check(exported[i].status == 0);
        for (int slot = 0; slot < qb::kFirstFileSlot; ++slot) Check(exported[i].slots[slot] == expected[i].slots[slot]);
        for (int slot = qb::kFirstFileSlot; slot < qb::kSlotCount; ++slot) {
            std::string base = qb::creator::BaseNameOf(expected[i].slots[slot]);
            Check(exported[i].slots[slot] == (base.empty() ? "" : "*" + base));
        }
    }
    return 0;
}
