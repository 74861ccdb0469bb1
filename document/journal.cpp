#include "document/journal.h"

#include <climits>
#include <new>
#include <vector>

#include "base/document_names.h"
#include "base/paths.h"

namespace qb {

std::unique_ptr<ByteStream> StartJournal(FileSystem& files, const std::string& journalPath,
                                         const std::string& testPath) {
    // Held exclusively: a second instance must not empty this journal.
    std::unique_ptr<ByteStream> journal = files.Open(journalPath, OpenMode::CreateReadWrite, true);
    if (!journal) return nullptr;
    // On disk before the first record, so a crash never leaves records without their test.
    if (journal->WriteLine(testPath) && journal->Flush()) return journal;
    journal->Close();
    journal.reset();
    // Ours and empty: no name may stay behind that a later Close would delete.
    files.Remove(journalPath);
    return nullptr;
}

JournalScan ScanJournal(ByteStream& journal) {
    JournalScan scan;
    std::string line;
    if (!journal.Seek(0) || !ReadLine(journal, kJournalFirstLineBuffer, line) || line.back() != '\n') return scan;
    DropLineFeed(line);
    int64_t position = journal.Tell();
    const int64_t size = StreamSize(journal);
    if (line.empty() || position < 0 || size < 0) return scan;
    scan.testPath = line;
    scan.recordsStart = position;
    RecordHeader header;
    while (scan.recordCount < INT32_MAX && ReadRecordHeader(journal, position, size, header)) {
        position = header.end;
        ++scan.recordCount;
    }
    scan.recordsEnd = position;
    return scan;
}

namespace {

constexpr size_t kCopyBlock = 64 * 1024;

bool CopyBytes(ByteStream& from, int64_t start, int64_t end, ByteStream& to) {
    if (!from.Seek(start)) return false;
    std::vector<char> block(kCopyBlock);
    for (int64_t left = end - start; left > 0;) {
        const size_t piece = left < static_cast<int64_t>(kCopyBlock) ? static_cast<size_t>(left) : kCopyBlock;
        if (from.Read(block.data(), piece) != piece || !to.Write(block.data(), piece)) return false;
        left -= static_cast<int64_t>(piece);
    }
    return true;
}

std::string WriteInFolder(FileSystem& files, LeftJournal& found, const Directory& folder) {
    const std::string path = RecoveryFileName(files, folder, WinPath(found.scan.testPath));
    if (path.empty() || !WriteRecoveryFile(files, *found.stream, found.scan, path)) return std::string();
    return path;
}

// The first recovery name of the lost test that no file has, in the place
// pathOf puts a name.
template <typename PathOf>
std::string FirstFreeRecoveryName(FileSystem& files, const WinPath& lostTest, PathOf pathOf) {
    const std::string stem = lostTest.Stem();
    for (int number = 1; number <= kMaxRecoveryNumber; ++number) {
        const WinPath path = pathOf(RecoveredTestName(stem, number));
        if (!files.Exists(path.Text())) return path.Text();
    }
    return std::string();
}

}  // namespace

std::string RecoveryFileName(FileSystem& files, const WinPath& lostTest) {
    return FirstFreeRecoveryName(files, lostTest, [&](const std::string& name) { return lostTest.Beside(name); });
}

std::string RecoveryFileName(FileSystem& files, const Directory& folder, const WinPath& lostTest) {
    return FirstFreeRecoveryName(files, lostTest, [&](const std::string& name) { return folder.Join(name); });
}

bool WriteRecoveryFile(FileSystem& files, ByteStream& journal, const JournalScan& scan, const std::string& path) {
    if (!scan.IsRecoverable()) return false;
    std::unique_ptr<ByteStream> out = files.Open(path, OpenMode::CreateWrite);
    if (!out) return false;
    bool written = false;
    try {
        TestFileWriter writer(*out);
        written = writer.Start() && CopyBytes(journal, scan.recordsStart, scan.recordsEnd, writer.Out());
        writer.Counted(scan.recordCount);
        written = written && writer.Finish();
    } catch (const std::bad_alloc&) {
        written = false;
    }
    written = out->Close() && written;
    if (!written) files.Remove(path);
    return written;
}

bool FindLeftJournal(FileSystem& files, const std::string& journalPath, const Directory& programDirectory,
                     LeftJournal& found) {
    found = LeftJournal();
    // A running instance holds its journal exclusively, so this open fails and touches nothing.
    std::unique_ptr<ByteStream> stream = files.Open(journalPath, OpenMode::Read, true);
    if (!stream) return false;
    const JournalScan scan = ScanJournal(*stream);
    if (!scan.IsRecoverable()) return false;
    found.recoveryPath = RecoveryFileName(files, WinPath(scan.testPath));
    if (found.recoveryPath.empty())
        found.recoveryPath = RecoveryFileName(files, programDirectory, WinPath(scan.testPath));
    found.journalPath = journalPath;
    found.stream = std::move(stream);
    found.scan = scan;
    return true;
}

std::string RecoverLeftJournal(FileSystem& files, LeftJournal& found, const Directory& programDirectory) {
    if (!found.stream) return std::string();
    std::string written;
    if (!found.recoveryPath.empty() && WriteRecoveryFile(files, *found.stream, found.scan, found.recoveryPath))
        written = found.recoveryPath;
    if (written.empty()) written = WriteInFolder(files, found, programDirectory);
    if (written.empty()) {
        KeepLeftJournal(files, found, programDirectory);
        return written;
    }
    DiscardLeftJournal(files, found);
    return written;
}

void DiscardLeftJournal(FileSystem& files, LeftJournal& found) {
    if (!found.stream) return;
    found.stream->Close();
    found.stream.reset();
    files.Remove(found.journalPath);
}

void KeepLeftJournal(FileSystem& files, LeftJournal& found, const Directory& programDirectory) {
    if (!found.stream) return;
    const std::string kept = programDirectory.Join(kKeptJournalName).Text();
    // An open file cannot be renamed on every system.
    found.stream->Close();
    found.stream.reset();
    if (files.Exists(kept)) files.Remove(kept);
    if (files.Rename(found.journalPath, kept)) return;
    found.stream = files.Open(found.journalPath, OpenMode::Read, true);
}

}  // namespace qb
