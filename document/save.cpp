// Saving: the merge of test file and change journal into a new test file,
// and the swap that keeps the previous file as a backup.
//
// Nothing of the old state is given up before its replacement is complete:
// the nodes keep their old positions until the new file is in place and open
// again, and the journal is emptied last.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

#include "document/document.h"
#include "base/document_names.h"
#include "base/paths.h"
#include "document/journal.h"

namespace qb {

namespace {

struct SaveNames {
    std::string temporary;  // the new file while it is written
    std::string backup;     // the previous test file afterwards
    std::string final;      // the saved test
    std::string source;     // the file the document reads now
};

// Refuses names under which the save would overwrite or delete a file it
// still reads from (a test named *.tmp or *.bak, or the journal itself).
bool FormSaveNames(const TestDocument& document, SaveNames& names) {
    const WinPath test(document.testPath);
    names.temporary = test.Companion(kTemporarySuffix).Text();
    names.backup = test.Companion(kBackupSuffix).Text();
    names.final = test.Companion(kSavedSuffix).Text();
    names.source = document.testFilePath;
    if (names.temporary.empty() || names.source.empty()) return false;
    const WinPath source(names.source);
    if (WinPath(names.temporary).SameFile(source) || WinPath(names.backup).SameFile(source)) return false;
    const WinPath journal(document.journalPath);
    for (const std::string* name : {&names.temporary, &names.backup, &names.final})
        if (WinPath(*name).SameFile(journal)) return false;
    return true;
}

// The new file's stream, counting what is written to it: asking a write
// stream for its position costs a system call on every record.
class CountingStream final : public ByteStream {
public:
    explicit CountingStream(ByteStream& inner) : inner_(inner) {}
    size_t Read(void*, size_t) override { return 0; }
    int GetByte() override { return -1; }
    void UngetByte(int) override {}
    bool Write(const void* data, size_t count) override {
        if (!inner_.Write(data, count)) return false;
        written_ += static_cast<int64_t>(count);
        return true;
    }
    bool Seek(int64_t) override { return false; }
    bool SeekToEnd() override { return false; }
    int64_t Tell() override { return written_; }
    bool Flush() override { return inner_.Flush(); }
    bool Close() override { return inner_.Close(); }

private:
    ByteStream& inner_;
    int64_t written_ = 0;
};

// Streams one slot: in place from the source's own buffer, piece by piece,
// where the source has one; otherwise through a buffer of the slot's size.
DocumentResult CopySlot(ByteStream& source, ByteStream& out, int64_t length, DocumentMemory& memory) {
    const char* buffered = nullptr;
    size_t available = 0;
    while (length > 0 && (available = source.Peek(&buffered)) > 0) {
        const size_t piece = static_cast<uint64_t>(length) < available ? static_cast<size_t>(length) : available;
        if (!out.Write(buffered, piece)) return SaveFileErrorMessage();
        source.Skip(piece);
        length -= static_cast<int64_t>(piece);
    }
    if (length == 0) return std::nullopt;
    if (static_cast<uint64_t>(length) > SIZE_MAX) return NoMemoryMessage();
    const size_t size = static_cast<size_t>(length);
    std::unique_ptr<char[]> buffer(memory.NewBuffer(size));
    if (!buffer) return NoMemoryMessage();
    if (source.Read(buffer.get(), size) != size || !out.Write(buffer.get(), size)) return SaveFileErrorMessage();
    return std::nullopt;
}

// Copies one record with the node's status and miss count in place of the stored ones.
DocumentResult CopyRecord(ByteStream& source, int64_t sourceSize, const QuestionNode& node, ByteStream& out,
                          DocumentMemory& memory) {
    RecordHeader header;
    if (!ReadRecordHeader(source, node.position, sourceSize, header)) return SaveFileErrorMessage();
    if (!WriteRecordHeader(out, header.keyword, header.lengths, RecordStatus{node.status, node.misses}))
        return SaveFileErrorMessage();
    // Slots the source holds buffered already go out from there, all at once.
    const char* buffered = nullptr;
    const int64_t slotBytes = header.end - header.slotsStart;
    if (static_cast<uint64_t>(slotBytes) <= source.Peek(&buffered)) {
        if (slotBytes > 0 && !out.Write(buffered, static_cast<size_t>(slotBytes))) return SaveFileErrorMessage();
        source.Skip(static_cast<size_t>(slotBytes));
        return std::nullopt;
    }
    for (int64_t length : header.lengths) {
        if (length == 0) continue;
        const DocumentResult copied = CopySlot(source, out, length, memory);
        if (copied) return copied;
    }
    return std::nullopt;
}

DocumentResult WriteRecords(TestDocument& document, ByteStream& out, std::vector<int64_t>& positions) {
    const int64_t testSize = StreamSize(*document.testFile);
    const int64_t journalSize = StreamSize(*document.journalFile);
    TestFileWriter writer(out);
    if (testSize < 0 || journalSize < 0 || !writer.Start()) return SaveFileErrorMessage();
    for (const QuestionNode* node = document.head; node; node = node->next) {
        const int64_t where = out.Tell();
        if (where < 0) return SaveFileErrorMessage();
        ByteStream& source = node->inJournal ? *document.journalFile : *document.testFile;
        const DocumentResult copied =
            CopyRecord(source, node->inJournal ? journalSize : testSize, *node, out, *document.memory);
        if (copied) return copied;
        positions.push_back(where);
        writer.Counted(1);
    }
    if (!writer.Finish()) return SaveFileErrorMessage();
    return std::nullopt;
}

// Writes the complete new file under the temporary name. A file this save
// created and could not finish is removed again.
DocumentResult WriteNewFile(TestDocument& document, const std::string& path, std::vector<int64_t>& positions) {
    std::unique_ptr<ByteStream> out = document.files->Open(path, OpenMode::CreateWrite);
    if (!out) return SaveFileErrorMessage();
    CountingStream counted(*out);
    DocumentResult result;
    try {
        result = WriteRecords(document, counted, positions);
    } catch (const std::bad_alloc&) {
        result = NoMemoryMessage();
    }
    // The counted positions are only trusted when the file agrees at its end.
    if (!result && out->Tell() != counted.Tell()) result = SaveFileErrorMessage();
    const bool closed = out->Close();
    if (!result && !closed) result = SaveFileErrorMessage();
    if (result) document.files->Remove(path);
    return result;
}

// After a failed swap: reads the previous test again from wherever it now
// lies, so every node that points into it stays valid.
DocumentResult ReopenPrevious(TestDocument& document, const std::string& path) {
    document.testFile = document.files->Open(path, OpenMode::Read);
    document.testFilePath = document.testFile ? path : std::string();
    return SaveFileErrorMessage();
}

void CommitPositions(TestDocument& document, const std::vector<int64_t>& positions) {
    size_t i = 0;
    for (QuestionNode* node = document.head; node; node = node->next) {
        node->position = positions[i++];
        node->inJournal = false;
    }
}

// Swaps the new file in. At every step the complete test exists on disk:
// first the previous file under its own name, then under the backup name
// with the complete new one beside it, finally the new one under the name.
DocumentResult SwapFiles(TestDocument& document, const SaveNames& names, const std::vector<int64_t>& positions) {
    FileSystem& files = *document.files;
    // An open file cannot be renamed on every system: let go of the old test.
    document.testFile->Close();
    document.testFile.reset();
    const bool sourceIsFinal = WinPath(names.source).SameFile(WinPath(names.final));
    bool finalMoved = false;
    if (files.Exists(names.final)) {
        if (files.Exists(names.backup) && !files.Remove(names.backup)) return ReopenPrevious(document, names.source);
        if (!files.Rename(names.final, names.backup)) return ReopenPrevious(document, names.source);
        finalMoved = true;
    }
    const std::string previous = finalMoved && sourceIsFinal ? names.backup : names.source;
    if (!files.Rename(names.temporary, names.final)) {
        if (finalMoved && files.Rename(names.backup, names.final)) return ReopenPrevious(document, names.source);
        return ReopenPrevious(document, previous);
    }
    // Nothing writes to a test file after it is saved: read it only.
    std::unique_ptr<ByteStream> saved = files.Open(names.final, OpenMode::Read);
    if (!saved) {
        // The new file cannot be read back: put the previous one under its
        // name again, so the next save starts from the usual layout.
        if (previous == names.backup && files.Rename(names.final, names.temporary) &&
            files.Rename(names.backup, names.final))
            return ReopenPrevious(document, names.source);
        return ReopenPrevious(document, previous);
    }
    CommitPositions(document, positions);
    document.testFile = std::move(saved);
    document.testFilePath = names.final;
    document.testPath = names.final;
    document.damagedFile.clear();
    return std::nullopt;
}

// The journal's records are all in the saved file now; start it again for the saved test.
DocumentResult RenewJournal(TestDocument& document) {
    document.journalFile->Close();
    document.journalFile = StartJournal(*document.files, document.journalPath, document.testPath);
    if (!document.journalFile) return SaveFileErrorMessage();
    return std::nullopt;
}

}  // namespace

DocumentResult SaveTest(TestDocument& document) {
    if (!document.IsOpen()) return NoTestOpenedMessage();
    SaveNames names;
    if (document.testPath.empty() || !FormSaveNames(document, names)) return SaveFileErrorMessage();
    std::vector<int64_t> positions;
    try {
        positions.reserve(static_cast<size_t>(document.questionCount > 0 ? document.questionCount : 0));
    } catch (const std::bad_alloc&) {
        return NoMemoryMessage();
    }
    const DocumentResult written = WriteNewFile(document, names.temporary, positions);
    if (written) return written;
    const DocumentResult swapped = SwapFiles(document, names, positions);
    if (swapped) return swapped;
    // Everything is in the saved file even if the journal cannot be renewed.
    document.modified = false;
    return RenewJournal(document);
}

}  // namespace qb
