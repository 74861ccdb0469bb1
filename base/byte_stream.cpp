#include "base/byte_stream.h"

#include "base/read_stream.h"

#include <cerrno>
#include <cstdio>
#include <new>
#include <sys/stat.h>

#ifdef _WIN32
#include <share.h>
#include <io.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace qb {

bool ByteStream::WriteLine(const std::string& text) {
    return WriteText(text) && Write("\r\n", 2);
}

namespace {

class StdioStream final : public ByteStream {
public:
    explicit StdioStream(FILE* file) : file_(file) {}
    StdioStream(const StdioStream&) = delete;
    StdioStream& operator=(const StdioStream&) = delete;

    // Before the first read or write only. (Given no buffer of its own,
    // setvbuf may keep the size it chose itself.)
    void UseBuffer(size_t size) {
        buffer_.reset(new (std::nothrow) char[size]);
        if (buffer_ && setvbuf(file_, buffer_.get(), _IOFBF, size) != 0) buffer_.reset();
    }
    ~StdioStream() override { Close(); }

    size_t Read(void* buffer, size_t count) override { return file_ ? fread(buffer, 1, count, file_) : 0; }
    int GetByte() override {
        if (!file_) return -1;
#ifdef _WIN32
        return getc(file_);
#else
        return getc_unlocked(file_);  // the programs use each stream from one thread
#endif
    }
    void UngetByte(int byte) override {
        if (file_ && byte >= 0) ungetc(byte, file_);
    }
    bool Write(const void* data, size_t count) override {
        if (!file_) return false;
#ifdef _WIN32
        return fwrite(data, 1, count, file_) == count;
#else
        return fwrite_unlocked(data, 1, count, file_) == count;
#endif
    }
    bool Seek(int64_t position) override {
        if (!file_ || position < 0) return false;
#ifdef _WIN32
        return _fseeki64(file_, position, SEEK_SET) == 0;
#else
        return fseeko(file_, static_cast<off_t>(position), SEEK_SET) == 0;
#endif
    }
    bool SeekToEnd() override {
        if (!file_) return false;
#ifdef _WIN32
        return _fseeki64(file_, 0, SEEK_END) == 0;
#else
        return fseeko(file_, 0, SEEK_END) == 0;
#endif
    }
    int64_t Tell() override {
        if (!file_) return -1;
#ifdef _WIN32
        return _ftelli64(file_);
#else
        return static_cast<int64_t>(ftello(file_));
#endif
    }
    bool Flush() override {
        return file_ && fflush(file_) == 0;
    }
    bool Close() override {
        if (!file_) return true;
        bool ok = fflush(file_) == 0;
        ok = (fclose(file_) == 0) && ok;
        file_ = nullptr;
        return ok;
    }

private:
    FILE* file_;
    std::unique_ptr<char[]> buffer_;  // outlives file_: Close runs in the destructor first
};

constexpr size_t kWriteBufferSize = 256 * 1024;

// The write modes' fopen texts (reading goes through OpenFileReadStream).
const char* ModeText(OpenMode mode) {
    switch (mode) {
    case OpenMode::Read: return "rb";
    case OpenMode::CreateWrite: return "wb";
    case OpenMode::CreateReadWrite: return "w+b";
    case OpenMode::AppendRead: return "a+b";
    }
    return "rb";
}

#ifdef _WIN32
FILE* OpenFile(const std::string& path, OpenMode mode, bool exclusive) {
    // A denied share mode makes a second open fail before anything is truncated.
    return _fsopen(path.c_str(), ModeText(mode), exclusive ? _SH_DENYRW : _SH_DENYNO);
}
#else
FILE* OpenFile(const std::string& path, OpenMode mode, bool exclusive) {
    if (!exclusive) return fopen(path.c_str(), ModeText(mode));
    // Take the lock before truncating, so a refused open changes nothing.
    int flags = O_RDWR | O_CREAT;
    if (mode == OpenMode::AppendRead) flags |= O_APPEND;
    int fd = open(path.c_str(), flags, 0666);
    if (fd < 0) return nullptr;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return nullptr;
    }
    bool truncate = mode == OpenMode::CreateWrite || mode == OpenMode::CreateReadWrite;
    if (truncate && ftruncate(fd, 0) != 0) {
        close(fd);
        return nullptr;
    }
    const char* fdMode = mode == OpenMode::AppendRead ? "a+b" : "r+b";
    FILE* file = fdopen(fd, fdMode);
    if (!file) close(fd);
    return file;
}
#endif

class RealFiles final : public FileSystem {
public:
    std::unique_ptr<ByteStream> Open(const std::string& path, OpenMode mode, bool exclusive) override {
        if (mode == OpenMode::Read) return OpenFileReadStream(path, exclusive);
        FILE* file = OpenFile(path, mode, exclusive);
        if (!file) return nullptr;
        auto stream = std::make_unique<StdioStream>(file);
        // A new file is written front to back: a larger buffer saves system calls.
        if (mode == OpenMode::CreateWrite) stream->UseBuffer(kWriteBufferSize);
        return stream;
    }
    bool Remove(const std::string& path) override { return std::remove(path.c_str()) == 0; }
    bool Rename(const std::string& from, const std::string& to) override {
        return std::rename(from.c_str(), to.c_str()) == 0;
    }
    bool Exists(const std::string& path) override {
        struct stat info;
        return stat(path.c_str(), &info) == 0;
    }
};

}  // namespace

FileSystem& RealFileSystem() {
    static RealFiles files;
    return files;
}

bool ByteStream::ReadLine(size_t bufferSize, std::string& line) {
    line.clear();
    if (bufferSize < 2) return false;
    const size_t limit = bufferSize - 1;
    line.reserve(limit);
    bool readAny = false;
    while (line.size() < limit) {
        int byte = GetByte();
        if (byte < 0) break;
        readAny = true;
        if (byte == '\r') {
            int next = GetByte();
            if (next == '\n') {
                line.push_back('\n');
                break;
            }
            if (next < 0) {
                // A failed read must not let a later byte look like this line's end.
                line.push_back('\r');
                break;
            }
            UngetByte(next);
        }
        line.push_back(static_cast<char>(byte));
        if (byte == '\n') break;
    }
    return readAny;
}

void DropLineFeed(std::string& line) {
    if (!line.empty() && line.back() == '\n') line.pop_back();
}

}  // namespace qb
