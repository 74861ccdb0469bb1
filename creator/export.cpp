#include "creator/export.h"

#include "base/path_limits.h"
#include "creator/export_names.h"
#include "distribution/list_file.h"
#include "document/attachments.h"
#include "document/record.h"

#include <climits>
#include <new>

namespace qb::creator {

namespace {


// Reads exactly size bytes. The buffer grows only with what actually arrives,
// so a damaged length cannot claim more memory than the file holds.
bool ReadExactly(ByteStream& stream, long long size, std::string& bytes) {
    bytes.clear();
    char chunk[16384];
    while (static_cast<long long>(bytes.size()) < size) {
        long long missing = size - static_cast<long long>(bytes.size());
        size_t want = missing < static_cast<long long>(sizeof chunk) ? static_cast<size_t>(missing) : sizeof chunk;
        size_t got = stream.Read(chunk, want);
        if (got == 0) return false;
        bytes.append(chunk, got);
    }
    return true;
}

long long SaturatingAdd(long long sum, long long value) {
    return sum > LLONG_MAX - value ? LLONG_MAX : sum + value;
}

}  // namespace

TestExport::TestExport(ExportSettings settings, FileSystem& files, FileCopier& copier, ExportReporter& reporter)
    : settings_(std::move(settings)), files_(files), copier_(copier), reporter_(reporter) {
    testFileName_ = WinPath(settings_.testPath).FileName();
    listPath_ = ListFilePath(settings_.destinationPath);
    outputPath_ = NumberedFilePath(settings_.destinationPath, 1);
    listText_ = testFileName_;
}

TestExport::~TestExport() = default;

bool TestExport::Open() {
    list_ = files_.Open(listPath_, OpenMode::CreateWrite);
    if (!list_) {
        reporter_.Report(ExportProblem::ListFileNotCreated, listPath_);
        return false;
    }
    if (!WriteList(testFileName_)) {
        CloseOutput(list_, listPath_);
        return false;
    }
    return true;
}

bool TestExport::Run() {
    try {
        RunSteps();
    } catch (const std::bad_alloc&) {
        // Out of memory: end here, keeping what was written, and say the export is faulty.
        Fail();
    }
    source_.reset();
    CloseOutput(output_, outputPath_);
    CloseOutput(list_, listPath_);
    return exportOk_;
}

void TestExport::RunSteps() {
    CopyProgramFiles();
    output_ = files_.Open(outputPath_, OpenMode::CreateWrite);
    if (!output_) {
        reporter_.Report(ExportProblem::TestFileNotCreated, outputPath_);
        Fail();
        return;
    }
    source_ = files_.Open(settings_.testPath, OpenMode::Read);
    if (!source_) {
        reporter_.Report(ExportProblem::TestNotOpened, settings_.testPath);
        Fail();
        return;
    }
    std::string magic;
    if (!ReadLine(*source_, kLenientLineBuffer, magic)) {
        // Not even a first line: there is no test to export.
        Fail();
        return;
    }
    TestFileWriter test(*output_);
    if (!test.Start(magic)) {
        WriteFailed();
        return;
    }
    RecordResult result;
    do {
        result = ExportRecord(test);
    } while (result == RecordResult::Exported);
    if (result == RecordResult::Broken) Fail();
    if (!test.Finish()) WriteFailed();
}

void TestExport::CopyProgramFiles() {
    for (const FileCopy& copy :
         ProgramFileCopies(settings_.programDirectory, settings_.productWord, settings_.destinationPath)) {
        if (!copier_.CopyNew(copy.source, copy.destination)) {
            reporter_.Report(ExportProblem::ProgramFileNotCopied, copy.source);
            Fail();
        }
    }
}

// One record: the header lines are copied as read (the four name lengths and
// the status are rewritten), the texts byte for byte, every stored name
// becomes "*" and its base name, and each attached file is copied under the
// next number. The closing line of the source ends the test as the writer
// ends it; a header the source ends inside is copied as far as it goes.
TestExport::RecordResult TestExport::ExportRecord(TestFileWriter& test) {
    HeaderLinesAsRead read;
    ReadHeaderLinesLeniently(*source_, read);
    if (read.count == 0) return RecordResult::SourceEnded;
    if (read.closingLine) {
        test.SourceClosed();
        return RecordResult::SourceEnded;
    }
    ByteStream& out = test.Out();
    // The keyword and the text lengths, up to a negative length.
    constexpr int kCopiedLines = 1 + kFirstFileSlot;
    long long textSize = 0;
    for (int line = 0; line < read.count && line < kCopiedLines; ++line) {
        if (!WriteHeaderLinesAsRead(out, read, line, line + 1)) return WriteFailed();
        if (line == 0) continue;
        if (read.numbers[line] < 0) return RecordResult::Broken;
        textSize = SaturatingAdd(textSize, read.numbers[line]);
    }
    if (read.count < kHeaderLineCount) return RecordResult::SourceEnded;
    const int64_t* nameLengths = &read.numbers[kCopiedLines];

    // A text block or a stored name that ends early means a damaged test:
    // what the record would need is not there.
    std::string textBlock;
    if (!ReadExactly(*source_, textSize, textBlock)) return RecordResult::Broken;
    std::string storedNames[kFileSlotCount];
    std::string baseNames[kFileSlotCount];
    for (int slot = 0; slot < kFileSlotCount; ++slot) {
        if (nameLengths[slot] <= 0) continue;
        if (nameLengths[slot] > static_cast<long long>(kMaxPathLength)) return RecordResult::Broken;
        if (!ReadExactly(*source_, nameLengths[slot], storedNames[slot])) return RecordResult::Broken;
        baseNames[slot] = BaseNameOf(storedNames[slot]);
    }

    int64_t newLengths[kFileSlotCount];
    std::string nameBlock;
    for (int slot = 0; slot < kFileSlotCount; ++slot) {
        const std::string& base = baseNames[slot];
        newLengths[slot] = base.empty() ? 0 : static_cast<int64_t>(base.size()) + 1;
        if (!base.empty()) nameBlock += "*" + base;
    }
    if (!WriteNumberLines(out, newLengths, kFileSlotCount, RecordStatus{0})) return WriteFailed();
    if (!out.Write(textBlock.data(), textBlock.size()) || !out.Write(nameBlock.data(), nameBlock.size())) {
        return WriteFailed();
    }
    return CopyAttachments(storedNames, baseNames);
}

TestExport::RecordResult TestExport::CopyAttachments(const std::string (&storedNames)[kFileSlotCount],
                                                     const std::string (&baseNames)[kFileSlotCount]) {
    for (int slot = 0; slot < kFileSlotCount; ++slot) {
        if (storedNames[slot].empty()) continue;
        if (baseNames[slot].empty()) {
            // A name like "*" or "C:\dir\" names no file; the slot is left
            // empty in the exported test, and the user is told.
            reporter_.Report(ExportProblem::AttachmentNotCopied, storedNames[slot]);
            Fail();
            continue;
        }
        ++attachmentCounter_;
        std::string destination = NumberedFilePath(settings_.destinationPath, attachmentCounter_);
        const std::string source =
            LocateAttachment(files_, storedNames[slot], settings_.programDirectory, settings_.testPath);
        if (!copier_.CopyNew(source, destination)) {
            reporter_.Report(ExportProblem::AttachmentNotCopied, storedNames[slot]);
            Fail();
            continue;
        }
        if (!WriteList(baseNames[slot])) return RecordResult::Broken;
        listText_ += "\r\n" + baseNames[slot];
        reporter_.ListGrew(listText_);
    }
    return RecordResult::Exported;
}

TestExport::RecordResult TestExport::WriteFailed() {
    writeFailed_ = true;
    Fail();
    reporter_.Report(ExportProblem::FileNotWritten, outputPath_);
    return RecordResult::Broken;
}

bool TestExport::WriteList(const std::string& name) {
    if (WriteListEntry(*list_, name)) return true;
    writeFailed_ = true;
    Fail();
    reporter_.Report(ExportProblem::FileNotWritten, listPath_);
    return false;
}

// Closing flushes; data that cannot be flushed is a failed write. A write
// failure is reported only once per export.
void TestExport::CloseOutput(std::unique_ptr<ByteStream>& stream, const std::string& path) {
    if (!stream) return;
    bool closed = stream->Close();
    stream.reset();
    if (closed) return;
    Fail();
    if (!writeFailed_) reporter_.Report(ExportProblem::FileNotWritten, path);
    writeFailed_ = true;
}

}  // namespace qb::creator
