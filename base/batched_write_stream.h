// A stream that gathers what is written at the end of a file and hands it on
// in large batches. The record writer asks for the end and flushes after
// every record, which the file itself would turn into system calls (and, on
// the change journal, into a seek, a position and a flush per record); here
// they cost nothing, and the file gets the bytes in few writes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/byte_stream.h"

namespace qb {

class BatchedWriteStream final : public ByteStream {
public:
    static constexpr size_t kBatch = 1 << 20;

    // Writes go to file, whose end is at position start (0 for a new file);
    // the batch is handed on whenever it holds batchBytes (never with
    // SIZE_MAX: then nothing reaches file before HandOn).
    explicit BatchedWriteStream(ByteStream& file, int64_t start = 0, size_t batchBytes = kBatch)
        : file_(file), start_(start), batchBytes_(batchBytes) {}

    size_t Read(void*, size_t) override { return 0; }
    int GetByte() override { return -1; }
    void UngetByte(int) override {}
    bool Write(const void* data, size_t count) override;
    // Only the end can be sought: the writer takes its positions there.
    bool Seek(int64_t position) override { return position == Tell(); }
    bool SeekToEnd() override { return true; }
    // The position in file the next byte will have.
    int64_t Tell() override { return start_ + written_ + static_cast<int64_t>(batch_.size()); }
    // The writer's flush after each record: hands the batch on only once it
    // holds batchBytes. False once file has refused a batch.
    bool Flush() override;
    // Hands the whole batch to file (which may still buffer it): false when
    // file refused it; the batch is then dropped and every later write fails.
    bool HandOn();
    // Hands the batch on and closes file.
    bool Close() override { return HandOn() && file_.Close(); }
    // The bytes written but not yet handed on.
    size_t Held() const { return batch_.size(); }

private:
    ByteStream& file_;
    int64_t start_;
    size_t batchBytes_;
    int64_t written_ = 0;
    std::string batch_;
    bool failed_ = false;
};

}  // namespace qb
