#include "base/read_stream.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <new>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace qb {

BufferedReadStream::BufferedReadStream(std::unique_ptr<PositionalSource> source) : source_(std::move(source)) {}

size_t BufferedReadStream::Available() const {
    if (position_ < bufferStart_ || position_ >= BufferEnd()) return 0;
    return static_cast<size_t>(BufferEnd() - position_);
}

bool BufferedReadStream::Refill() {
    if (!source_) return false;
    const bool readingOn = bufferLength_ > 0 && position_ >= BufferEnd() && position_ - BufferEnd() <= kNearGap;
    const size_t block = readingOn ? kSequentialBlock : kJumpBlock;
    try {
        if (buffer_.size() < kSequentialBlock) buffer_.resize(kSequentialBlock);
    } catch (const std::bad_alloc&) {
        return false;
    }
    bufferStart_ = position_;
    bufferLength_ = 0;
    const int64_t got = source_->ReadAt(position_, buffer_.data(), block);
    if (got <= 0) return false;
    bufferLength_ = static_cast<size_t>(got);
    return true;
}

size_t BufferedReadStream::Read(void* buffer, size_t count) {
    char* out = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < count) {
        size_t available = Available();
        if (available == 0) {
            const size_t rest = count - done;
            if (rest >= kSequentialBlock) {
                // Large pieces go straight to the caller, not through the buffer.
                const int64_t got = source_ ? source_->ReadAt(position_, out + done, rest) : -1;
                if (got <= 0) break;
                position_ += got;
                done += static_cast<size_t>(got);
                if (static_cast<size_t>(got) < rest) break;
                continue;
            }
            if (!Refill()) break;
            available = Available();
        }
        const size_t piece = std::min(available, count - done);
        std::memcpy(out + done, Current(), piece);
        position_ += static_cast<int64_t>(piece);
        done += piece;
    }
    return done;
}

int BufferedReadStream::GetByte() {
    if (Available() == 0 && !Refill()) return -1;
    const int byte = static_cast<unsigned char>(*Current());
    ++position_;
    return byte;
}

void BufferedReadStream::UngetByte(int byte) {
    // The byte just read is still in the buffer, one place back.
    if (byte >= 0 && position_ > bufferStart_) --position_;
}

size_t BufferedReadStream::Peek(const char** bytes) {
    if (Available() == 0 && !Refill()) {
        *bytes = nullptr;
        return 0;
    }
    *bytes = Current();
    return Available();
}

void BufferedReadStream::Skip(size_t count) {
    position_ += static_cast<int64_t>(std::min(count, Available()));
}

bool BufferedReadStream::Seek(int64_t position) {
    if (!source_ || position < 0) return false;
    position_ = position;
    return true;
}

bool BufferedReadStream::SeekToEnd() {
    const int64_t size = source_ ? source_->Size() : -1;
    if (size < 0) return false;
    position_ = size;
    return true;
}

bool BufferedReadStream::Close() {
    if (!source_) return true;
    const bool closed = source_->Close();
    source_.reset();
    buffer_.clear();
    buffer_.shrink_to_fit();
    bufferLength_ = 0;
    return closed;
}

bool BufferedReadStream::ReadLine(size_t bufferSize, std::string& line) {
    // The line is taken from the buffer when it ends there; otherwise (and
    // for a CR that is the buffer's last byte) byte by byte.
    constexpr size_t kLongestFastLine = 256;
    if (bufferSize >= 2 && bufferSize <= kLongestFastLine + 1 && (Available() > 0 || Refill())) {
        const size_t limit = bufferSize - 1;
        const char* bytes = Current();
        const size_t count = Available();
        char taken[kLongestFastLine];
        size_t length = 0;
        size_t used = 0;
        bool complete = false;
        while (length < limit && used < count) {
            const char byte = bytes[used];
            if (byte == '\r') {
                if (used + 1 >= count) break;
                if (bytes[used + 1] == '\n') {
                    taken[length++] = '\n';
                    used += 2;
                    complete = true;
                    break;
                }
            }
            taken[length++] = byte;
            ++used;
            if (byte == '\n') {
                complete = true;
                break;
            }
        }
        if (complete || length == limit) {
            line.assign(taken, length);
            position_ += static_cast<int64_t>(used);
            return true;
        }
    }
    return ByteStream::ReadLine(bufferSize, line);
}

namespace {

#ifdef _WIN32
class FileSource final : public PositionalSource {
public:
    explicit FileSource(int descriptor) : descriptor_(descriptor) {}
    ~FileSource() override { Close(); }

    int64_t ReadAt(int64_t position, void* buffer, size_t count) override {
        if (descriptor_ < 0 || _lseeki64(descriptor_, position, SEEK_SET) < 0) return -1;
        char* out = static_cast<char*>(buffer);
        size_t done = 0;
        while (done < count) {
            const unsigned piece = static_cast<unsigned>(std::min<size_t>(count - done, INT_MAX));
            const int got = _read(descriptor_, out + done, piece);
            if (got < 0) return -1;
            if (got == 0) break;
            done += static_cast<size_t>(got);
        }
        return static_cast<int64_t>(done);
    }
    int64_t Size() override { return descriptor_ < 0 ? -1 : _filelengthi64(descriptor_); }
    bool Close() override {
        if (descriptor_ < 0) return true;
        const bool closed = _close(descriptor_) == 0;
        descriptor_ = -1;
        return closed;
    }

private:
    int descriptor_;
};

int OpenDescriptor(const std::string& path, bool exclusive) {
    // A denied share mode keeps every other open out while this one lasts;
    // programs started meanwhile do not inherit the file.
    return _sopen(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT, exclusive ? _SH_DENYRW : _SH_DENYNO);
}
#else
class FileSource final : public PositionalSource {
public:
    explicit FileSource(int descriptor) : descriptor_(descriptor) {}
    ~FileSource() override { Close(); }

    int64_t ReadAt(int64_t position, void* buffer, size_t count) override {
        if (descriptor_ < 0) return -1;
        char* out = static_cast<char*>(buffer);
        size_t done = 0;
        while (done < count) {
            const ssize_t got = pread(descriptor_, out + done, count - done, static_cast<off_t>(position) + done);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) return -1;
            if (got == 0) break;
            done += static_cast<size_t>(got);
        }
        return static_cast<int64_t>(done);
    }
    int64_t Size() override {
        struct stat info;
        return descriptor_ >= 0 && fstat(descriptor_, &info) == 0 ? static_cast<int64_t>(info.st_size) : -1;
    }
    bool Close() override {
        if (descriptor_ < 0) return true;
        const bool closed = close(descriptor_) == 0;
        descriptor_ = -1;
        return closed;
    }

private:
    int descriptor_;
};

int OpenDescriptor(const std::string& path, bool exclusive) {
    const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor >= 0 && exclusive && flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        close(descriptor);
        return -1;
    }
    return descriptor;
}
#endif

}  // namespace

std::unique_ptr<ByteStream> OpenFileReadStream(const std::string& path, bool exclusive) {
    const int descriptor = OpenDescriptor(path, exclusive);
    if (descriptor < 0) return nullptr;
    auto source = std::make_unique<FileSource>(descriptor);
    return std::make_unique<BufferedReadStream>(std::move(source));
}

}  // namespace qb
