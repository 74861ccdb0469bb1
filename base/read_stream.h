// The stream files are read through.
//
// Readers that step from header to header over long stretches (a test file
// is loaded that way) would make a stdio stream spend a seek and a full
// buffer on each step. This stream keeps its own buffer and position: a step
// inside the buffer costs nothing, a step far ahead reads only a small block
// at the new place, and reading on from where the buffer ends reads large
// blocks.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/byte_stream.h"

namespace qb {

// Bytes at positions: a file, or memory in tests.
class PositionalSource {
public:
    virtual ~PositionalSource() = default;
    // Reads up to count bytes at position; how many were read (fewer only at
    // the end), or -1 on error.
    virtual int64_t ReadAt(int64_t position, void* buffer, size_t count) = 0;
    // The size in bytes, or -1.
    virtual int64_t Size() = 0;
    virtual bool Close() = 0;
};

class BufferedReadStream final : public ByteStream {
public:
    // A refill that goes on from the end of the buffer (or close behind it).
    static constexpr size_t kSequentialBlock = 64 * 1024;
    // A refill after a step far ahead: room for a record's header lines.
    static constexpr size_t kJumpBlock = 1024;
    // A step ahead of the buffer's end by at most this is reading on.
    static constexpr int64_t kNearGap = 4096;

    explicit BufferedReadStream(std::unique_ptr<PositionalSource> source);
    ~BufferedReadStream() override { Close(); }

    size_t Read(void* buffer, size_t count) override;
    int GetByte() override;
    void UngetByte(int byte) override;
    bool Write(const void*, size_t) override { return false; }
    bool Seek(int64_t position) override;
    bool SeekToEnd() override;
    int64_t Tell() override { return source_ ? position_ : -1; }
    bool Flush() override { return source_ != nullptr; }
    bool Close() override;
    bool ReadLine(size_t bufferSize, std::string& line) override;
    size_t Peek(const char** bytes) override;
    void Skip(size_t count) override;

private:
    int64_t BufferEnd() const { return bufferStart_ + static_cast<int64_t>(bufferLength_); }
    // Bytes buffered from position_ on.
    size_t Available() const;
    const char* Current() const { return buffer_.data() + (position_ - bufferStart_); }
    // Fills the buffer from position_; false at the end or on error.
    bool Refill();

    std::unique_ptr<PositionalSource> source_;
    std::vector<char> buffer_;
    int64_t bufferStart_ = 0;
    size_t bufferLength_ = 0;
    int64_t position_ = 0;
};

// A read-only stream over the file at path, or nullptr when it cannot be
// opened. Others may read and write the file meanwhile, as with fopen, unless
// the stream is exclusive (see FileSystem::Open).
std::unique_ptr<ByteStream> OpenFileReadStream(const std::string& path, bool exclusive = false);

}  // namespace qb
