// An in-memory FileSystem for the export tests: files are byte strings keyed
// by their (Windows-style) path, and single operations can be made to fail.
#pragma once
#include "document/byte_stream.h"

#include <map>
#include <memory>
#include <new>
#include <set>
#include <string>

namespace qb::creator::testing {

class MemoryFiles final : public FileSystem {
public:
    std::map<std::string, std::string> files;
    std::set<std::string> refuseOpen;          // Open fails for these paths
    std::map<std::string, size_t> writeLimit;  // writes past this many bytes fail
    std::set<std::string> failClose;           // Close reports lost data
    std::set<std::string> outOfMemoryOnRead;   // a block read runs out of memory
    int openStreams = 0;

    std::unique_ptr<ByteStream> Open(const std::string& path, OpenMode mode, bool exclusive = false) override;
    bool Remove(const std::string& path) override { return files.erase(path) == 1; }
    bool Rename(const std::string& from, const std::string& to) override;
    bool Exists(const std::string& path) override { return files.count(path) == 1; }
};

class MemoryStream final : public ByteStream {
public:
    MemoryStream(MemoryFiles& owner, std::string path, size_t limit)
        : owner_(owner), path_(std::move(path)), limit_(limit) {
        ++owner_.openStreams;
    }
    ~MemoryStream() override { Close(); }

    size_t Read(void* buffer, size_t count) override {
        if (owner_.outOfMemoryOnRead.count(path_)) throw std::bad_alloc();
        std::string& data = Data();
        size_t available = position_ < data.size() ? data.size() - position_ : 0;
        size_t n = count < available ? count : available;
        data.copy(static_cast<char*>(buffer), n, position_);
        position_ += n;
        return n;
    }
    int GetByte() override {
        std::string& data = Data();
        if (position_ >= data.size()) return -1;
        return static_cast<unsigned char>(data[position_++]);
    }
    void UngetByte(int byte) override {
        if (byte >= 0 && position_ > 0) --position_;
    }
    bool Write(const void* bytes, size_t count) override {
        if (closed_) return false;
        std::string& data = Data();
        if (position_ + count > limit_) return false;
        if (data.size() < position_) data.resize(position_);
        data.replace(position_, count, static_cast<const char*>(bytes), count);
        position_ += count;
        return true;
    }
    bool Seek(int64_t position) override {
        if (position < 0) return false;
        position_ = static_cast<size_t>(position);
        return true;
    }
    bool SeekToEnd() override {
        position_ = Data().size();
        return true;
    }
    int64_t Tell() override { return static_cast<int64_t>(position_); }
    bool Flush() override { return !closed_; }
    bool Close() override {
        if (closed_) return true;
        closed_ = true;
        --owner_.openStreams;
        return owner_.failClose.count(path_) == 0;
    }

private:
    std::string& Data() { return owner_.files[path_]; }

    MemoryFiles& owner_;
    std::string path_;
    size_t limit_;
    size_t position_ = 0;
    bool closed_ = false;
};

inline std::unique_ptr<ByteStream> MemoryFiles::Open(const std::string& path, OpenMode mode, bool) {
    if (refuseOpen.count(path)) return nullptr;
    if (mode == OpenMode::Read && !files.count(path)) return nullptr;
    if (mode == OpenMode::CreateWrite || mode == OpenMode::CreateReadWrite) files[path].clear();
    auto limit = writeLimit.find(path);
    auto stream = std::make_unique<MemoryStream>(*this, path, limit == writeLimit.end() ? SIZE_MAX : limit->second);
    if (mode == OpenMode::AppendRead) stream->SeekToEnd();
    return stream;
}

inline bool MemoryFiles::Rename(const std::string& from, const std::string& to) {
    auto it = files.find(from);
    if (it == files.end() || files.count(to)) return false;
    files[to] = it->second;
    files.erase(from);
    return true;
}

}  // namespace qb::creator::testing
