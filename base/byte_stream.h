// Files as byte streams with 64-bit positions. Line ends are written as CR LF
// explicitly; reading a line turns CR LF (or a bare LF) into one LF, the way a
// text-mode stream would, while positions stay plain byte offsets.
//
// Everything that touches a file goes through FileSystem, so tests can make
// any single operation fail.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace qb {

class ByteStream {
public:
    virtual ~ByteStream() = default;
    // Reads up to count bytes; returns how many were read (0 at the end or on error).
    virtual size_t Read(void* buffer, size_t count) = 0;
    // Next byte, or -1 at the end of the stream or on error.
    virtual int GetByte() = 0;
    // Puts back the byte just read by GetByte.
    virtual void UngetByte(int byte) = 0;
    virtual bool Write(const void* data, size_t count) = 0;
    virtual bool Seek(int64_t position) = 0;
    virtual bool SeekToEnd() = 0;
    // Current position, or -1 when it cannot be taken.
    virtual int64_t Tell() = 0;
    virtual bool Flush() = 0;
    // Flushes and closes; false when buffered data could not be written.
    virtual bool Close() = 0;

    // Reads one line the way fgets with a buffer of bufferSize bytes does: at
    // most bufferSize - 1 characters, ending after the first LF. CR LF is read
    // as LF. False when not a single character could be read. Streams with a
    // buffer of their own may take the line from it at once.
    virtual bool ReadLine(size_t bufferSize, std::string& line);

    // The bytes buffered from the current position on (reading ahead when
    // none are), so a reader can take them in place; 0 from streams without
    // a buffer of their own. Skip then steps over count of those bytes.
    virtual size_t Peek(const char** bytes) {
        *bytes = nullptr;
        return 0;
    }
    virtual void Skip(size_t) {}

    bool WriteText(const std::string& text) { return Write(text.data(), text.size()); }
    // Writes text and a CR LF line end.
    bool WriteLine(const std::string& text);
};

enum class OpenMode {
    Read,             // existing file, reading
    CreateWrite,      // created or emptied, writing
    CreateReadWrite,  // created or emptied, reading and writing
    AppendRead,       // existing or new file, reading anywhere, writing at the end
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // nullptr when the file cannot be opened. An exclusive stream cannot be
    // opened a second time (by this or another process) until it is closed;
    // a refused exclusive open leaves the file's content untouched.
    virtual std::unique_ptr<ByteStream> Open(const std::string& path, OpenMode mode, bool exclusive = false) = 0;
    virtual bool Remove(const std::string& path) = 0;
    virtual bool Rename(const std::string& from, const std::string& to) = 0;
    virtual bool Exists(const std::string& path) = 0;
};

// The file system of the running process.
FileSystem& RealFileSystem();

// stream.ReadLine(bufferSize, line).
inline bool ReadLine(ByteStream& stream, size_t bufferSize, std::string& line) {
    return stream.ReadLine(bufferSize, line);
}

// Drops one trailing LF.
void DropLineFeed(std::string& line);

}  // namespace qb
