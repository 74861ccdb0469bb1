// Test doubles shared by the unit and fuzz tests: an in-memory file system
// that behaves like the Windows one where it matters (names compare without
// case, open files cannot be renamed or removed, a rename never replaces a
// file, an exclusive open shuts others out) and can make operations on chosen
// files fail, a wrapper that makes the Nth file operation fail, a question
// list in memory and memory that runs out.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/byte_stream.h"
#include "base/read_stream.h"
#include "document/document.h"

namespace qb {
namespace testing_support {

struct MemoryFile {
    std::string bytes;
    int openCount = 0;
    bool exclusive = false;
};

// Failures planted for one path; they hold for every stream opened on it.
struct FileFaults {
    bool refuseOpen = false;
    size_t writeLimit = SIZE_MAX;    // writing past this many bytes fails
    bool failClose = false;          // Close reports lost data
    bool outOfMemoryOnRead = false;  // a block read runs out of memory
};

class MemoryFileSystem final : public FileSystem {
public:
    std::unique_ptr<ByteStream> Open(const std::string& path, OpenMode mode, bool exclusive = false) override;
    bool Remove(const std::string& path) override;
    bool Rename(const std::string& from, const std::string& to) override;
    bool Exists(const std::string& path) override;

    // Names as they were last created or renamed, sorted without case.
    std::vector<std::string> Names() const;
    // Content of a file; empty when it does not exist.
    std::string Content(const std::string& path) const;
    void SetContent(const std::string& path, const std::string& bytes);
    // Streams opened and not yet closed, over all files.
    int OpenStreamCount() const;
    // The failures planted for a path, whether or not the file exists yet.
    FileFaults& Faults(const std::string& path);

private:
    struct Entry {
        std::string name;
        std::shared_ptr<MemoryFile> file;
    };
    std::map<std::string, Entry> entries_;      // by lower-case name
    std::map<std::string, FileFaults> faults_;  // by lower-case name
};

// Counts every file-system and stream operation; the one numbered failAt
// (counting from 1) fails once. UngetByte is not counted (it cannot fail).
class FaultyFileSystem final : public FileSystem {
public:
    explicit FaultyFileSystem(FileSystem& inner) : inner_(inner) {}

    std::unique_ptr<ByteStream> Open(const std::string& path, OpenMode mode, bool exclusive = false) override;
    bool Remove(const std::string& path) override;
    bool Rename(const std::string& from, const std::string& to) override;
    bool Exists(const std::string& path) override;

    // True when this operation is the one to fail.
    bool NextFails();
    void FailAt(long operation) {
        failAt_ = operation;
        count_ = 0;
        failed_ = false;
    }
    void Heal() { failAt_ = -1; }
    bool Failed() const { return failed_; }
    long Count() const { return count_; }

private:
    FileSystem& inner_;
    long failAt_ = -1;
    long count_ = 0;
    bool failed_ = false;
};

// The question list in memory, in insertion order.
class MemoryList final : public QuestionList {
public:
    struct Item {
        std::string keyword;
        int image;
        int key;
    };
    void DeleteAllItems() override { items.clear(); }
    bool InsertItem(const std::string& keyword, int image, int key) override;

    const Item* FindByKey(int key) const;

    std::vector<Item> items;
    int insertsLeft = -1;  // a number >= 0 makes later inserts fail
};

class MemoryReporter final : public DocumentReporter {
public:
    void Report(const Message& message) override { messages.push_back(message); }
    std::vector<Message> messages;
};

// Memory whose Nth allocation (nodes and buffers together) fails.
class ScarceMemory final : public DocumentMemory {
public:
    QuestionNode* NewNode() override { return Take() ? DocumentMemory::NewNode() : nullptr; }
    char* NewBuffer(size_t size) override { return Take() ? DocumentMemory::NewBuffer(size) : nullptr; }
    long failAt = -1;
    long count = 0;
    bool failed = false;

private:
    bool Take() {
        if (++count != failAt) return true;
        failed = true;
        return false;
    }
};

// Bytes in memory read at positions; remembers every read it was asked for
// and can fail from a chosen read on.
class MemorySource final : public PositionalSource {
public:
    explicit MemorySource(std::string bytes, std::vector<size_t>* reads = nullptr)
        : bytes_(std::move(bytes)), reads_(reads) {}
    int64_t ReadAt(int64_t position, void* buffer, size_t count) override {
        if (reads_) reads_->push_back(count);
        if (failFrom >= 0 && ++readCount > failFrom) return -1;
        if (position < 0) return -1;
        if (static_cast<size_t>(position) >= bytes_.size()) return 0;
        const size_t piece = std::min(count, bytes_.size() - static_cast<size_t>(position));
        std::memcpy(buffer, bytes_.data() + position, piece);
        return static_cast<int64_t>(piece);
    }
    int64_t Size() override { return static_cast<int64_t>(bytes_.size()); }
    bool Close() override { return true; }

    long failFrom = -1;
    long readCount = 0;

private:
    std::string bytes_;
    std::vector<size_t>* reads_;
};

}  // namespace testing_support
}  // namespace qb
