#include "tests/support/memory_files.h"

#include <algorithm>
#include <cctype>
#include <new>

namespace qb {
namespace testing_support {

namespace {

std::string Lower(const std::string& text) {
    std::string lower = text;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

class MemoryStream final : public ByteStream {
public:
    MemoryStream(std::shared_ptr<MemoryFile> file, OpenMode mode, bool exclusive, FileFaults faults)
        : file_(std::move(file)), mode_(mode), exclusive_(exclusive), faults_(faults) {
        ++file_->openCount;
        if (exclusive_) file_->exclusive = true;
    }
    ~MemoryStream() override { Close(); }

    // Reading byte by byte never allocates; only a block read runs out of memory.
    size_t Read(void* buffer, size_t count) override {
        if (faults_.outOfMemoryOnRead) throw std::bad_alloc();
        return Take(buffer, count);
    }
    int GetByte() override {
        unsigned char byte;
        return Take(&byte, 1) == 1 ? byte : -1;
    }
    void UngetByte(int byte) override {
        if (byte >= 0 && position_ > 0) --position_;
    }
    bool Write(const void* data, size_t count) override {
        if (!file_ || mode_ == OpenMode::Read) return false;
        std::string& bytes = file_->bytes;
        if (mode_ == OpenMode::AppendRead) position_ = static_cast<int64_t>(bytes.size());
        if (static_cast<size_t>(position_) + count > faults_.writeLimit) return false;
        if (static_cast<size_t>(position_) > bytes.size()) bytes.resize(static_cast<size_t>(position_), '\0');
        bytes.replace(static_cast<size_t>(position_), std::min(count, bytes.size() - static_cast<size_t>(position_)),
                      static_cast<const char*>(data), count);
        position_ += static_cast<int64_t>(count);
        return true;
    }
    bool Seek(int64_t position) override {
        if (!file_ || position < 0) return false;
        position_ = position;
        return true;
    }
    bool SeekToEnd() override {
        if (!file_) return false;
        position_ = static_cast<int64_t>(file_->bytes.size());
        return true;
    }
    int64_t Tell() override { return file_ ? position_ : -1; }
    bool Flush() override { return file_ != nullptr; }
    bool Close() override {
        if (!file_) return true;
        --file_->openCount;
        if (exclusive_) file_->exclusive = false;
        file_.reset();
        return !faults_.failClose;
    }

private:
    bool CanRead() const { return file_ && mode_ != OpenMode::CreateWrite; }

    size_t Take(void* buffer, size_t count) {
        if (!CanRead()) return 0;
        const std::string& bytes = file_->bytes;
        if (position_ >= static_cast<int64_t>(bytes.size())) return 0;
        const size_t available = bytes.size() - static_cast<size_t>(position_);
        const size_t taken = std::min(count, available);
        std::copy_n(bytes.data() + position_, taken, static_cast<char*>(buffer));
        position_ += static_cast<int64_t>(taken);
        return taken;
    }

    std::shared_ptr<MemoryFile> file_;
    OpenMode mode_;
    bool exclusive_;
    FileFaults faults_;
    int64_t position_ = 0;
};

class FaultyStream final : public ByteStream {
public:
    FaultyStream(std::unique_ptr<ByteStream> inner, FaultyFileSystem& faults)
        : inner_(std::move(inner)), faults_(faults) {}

    size_t Read(void* buffer, size_t count) override { return faults_.NextFails() ? 0 : inner_->Read(buffer, count); }
    int GetByte() override { return faults_.NextFails() ? -1 : inner_->GetByte(); }
    void UngetByte(int byte) override { inner_->UngetByte(byte); }
    bool Write(const void* data, size_t count) override { return !faults_.NextFails() && inner_->Write(data, count); }
    bool Seek(int64_t position) override { return !faults_.NextFails() && inner_->Seek(position); }
    bool SeekToEnd() override { return !faults_.NextFails() && inner_->SeekToEnd(); }
    int64_t Tell() override { return faults_.NextFails() ? -1 : inner_->Tell(); }
    bool Flush() override { return !faults_.NextFails() && inner_->Flush(); }
    bool Close() override {
        const bool fails = faults_.NextFails();
        return inner_->Close() && !fails;
    }

private:
    std::unique_ptr<ByteStream> inner_;
    FaultyFileSystem& faults_;
};

}  // namespace

std::unique_ptr<ByteStream> MemoryFileSystem::Open(const std::string& path, OpenMode mode, bool exclusive) {
    const FileFaults faults = Faults(path);
    if (faults.refuseOpen) return nullptr;
    auto found = entries_.find(Lower(path));
    if (found != entries_.end()) {
        MemoryFile& file = *found->second.file;
        if (file.exclusive || (exclusive && file.openCount > 0)) return nullptr;
    } else {
        if (mode == OpenMode::Read) return nullptr;
        found = entries_.emplace(Lower(path), Entry{path, std::make_shared<MemoryFile>()}).first;
    }
    if (mode == OpenMode::CreateWrite || mode == OpenMode::CreateReadWrite) found->second.file->bytes.clear();
    return std::make_unique<MemoryStream>(found->second.file, mode, exclusive, faults);
}

bool MemoryFileSystem::Remove(const std::string& path) {
    auto found = entries_.find(Lower(path));
    if (found == entries_.end() || found->second.file->openCount > 0) return false;
    entries_.erase(found);
    return true;
}

bool MemoryFileSystem::Rename(const std::string& from, const std::string& to) {
    auto found = entries_.find(Lower(from));
    if (found == entries_.end() || found->second.file->openCount > 0) return false;
    if (entries_.count(Lower(to)) && Lower(to) != Lower(from)) return false;
    Entry moved{to, found->second.file};
    entries_.erase(found);
    entries_[Lower(to)] = moved;
    return true;
}

bool MemoryFileSystem::Exists(const std::string& path) {
    return entries_.count(Lower(path)) > 0;
}

std::vector<std::string> MemoryFileSystem::Names() const {
    std::vector<std::string> names;
    for (const auto& entry : entries_) names.push_back(entry.second.name);
    return names;
}

std::string MemoryFileSystem::Content(const std::string& path) const {
    auto found = entries_.find(Lower(path));
    return found == entries_.end() ? std::string() : found->second.file->bytes;
}

void MemoryFileSystem::SetContent(const std::string& path, const std::string& bytes) {
    auto found = entries_.find(Lower(path));
    if (found == entries_.end())
        found = entries_.emplace(Lower(path), Entry{path, std::make_shared<MemoryFile>()}).first;
    found->second.file->bytes = bytes;
}

int MemoryFileSystem::OpenStreamCount() const {
    int count = 0;
    for (const auto& entry : entries_) count += entry.second.file->openCount;
    return count;
}

FileFaults& MemoryFileSystem::Faults(const std::string& path) {
    return faults_[Lower(path)];
}

bool FaultyFileSystem::NextFails() {
    if (++count_ != failAt_) return false;
    failed_ = true;
    return true;
}

std::unique_ptr<ByteStream> FaultyFileSystem::Open(const std::string& path, OpenMode mode, bool exclusive) {
    if (NextFails()) return nullptr;
    std::unique_ptr<ByteStream> inner = inner_.Open(path, mode, exclusive);
    if (!inner) return nullptr;
    return std::make_unique<FaultyStream>(std::move(inner), *this);
}

bool FaultyFileSystem::Remove(const std::string& path) {
    return !NextFails() && inner_.Remove(path);
}

bool FaultyFileSystem::Rename(const std::string& from, const std::string& to) {
    return !NextFails() && inner_.Rename(from, to);
}

bool FaultyFileSystem::Exists(const std::string& path) {
    return !NextFails() && inner_.Exists(path);
}

bool MemoryList::InsertItem(const std::string& keyword, int image, int key) {
    if (insertsLeft == 0) return false;
    if (insertsLeft > 0) --insertsLeft;
    items.push_back(Item{keyword, image, key});
    return true;
}

const MemoryList::Item* MemoryList::FindByKey(int key) const {
    for (const Item& item : items)
        if (item.key == key) return &item;
    return nullptr;
}

}  // namespace testing_support
}  // namespace qb
