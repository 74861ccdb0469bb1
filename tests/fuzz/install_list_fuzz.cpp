// The list file of a distribution directory on arbitrary bytes: every line is
// either copied to a file directly inside the destination directory, under
// exactly the name on that line, or refused and counted; file k always goes
// with line k, and nothing ever lands outside the destination (device names
// such as LPT1 and names of dots and blanks alone are refused too).
#include "install/install_work.h"
#include "distribution/list_file.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kSource[] = "A:\\Disk\\";
const char kDestination[] = "C:\\Quorbelind\\";

class BytesStream final : public qb::ByteStream {
public:
    explicit BytesStream(std::string bytes) : bytes_(std::move(bytes)) {}
    size_t Read(void* buffer, size_t count) override {
        size_t n = std::min(count, bytes_.size() - position_);
        std::memcpy(buffer, bytes_.data() + position_, n);
        position_ += n;
        return n;
    }
    int GetByte() override { return position_ < bytes_.size() ? static_cast<unsigned char>(bytes_[position_++]) : -1; }
    void UngetByte(int byte) override {
        if (byte >= 0 && position_ > 0) --position_;
    }
    bool Write(const void*, size_t) override { return false; }
    bool Seek(int64_t position) override {
        if (position < 0 || static_cast<uint64_t>(position) > bytes_.size()) return false;
        position_ = static_cast<size_t>(position);
        return true;
    }
    bool SeekToEnd() override {
        position_ = bytes_.size();
        return true;
    }
    int64_t Tell() override { return static_cast<int64_t>(position_); }
    bool Flush() override { return true; }
    bool Close() override { return true; }

private:
    std::string bytes_;
    size_t position_ = 0;
};

struct Copy {
    std::string source;
    std::string destination;
};

class RecordingHost final : public qb::InstallHost {
public:
    explicit RecordingHost(std::string list) : list_(std::move(list)) {}
    std::vector<Copy> copies;
    std::vector<std::string> refused;

    bool MakeDirectory(const qb::Directory&) override { return true; }
    void ReportDirectoryNotMade() override {}
    void ShowProgress(int) override {}
    void SetStepText(int) override {}
    void MarkInstalled() override { std::abort(); }
    void WriteDataPath(const qb::Directory&) override { std::abort(); }
    void AssociateTestFiles(const qb::Directory&) override { std::abort(); }
    void AddUninstallEntry(const qb::Directory&) override { std::abort(); }
    bool CanOpenForReading(const std::string&) override { return false; }
    bool AskOverwrite(const std::string&) override { return true; }
    bool CopyOver(const std::string& source, const std::string& destination) override {
        copies.push_back({source, destination});
        return true;
    }
    void ReportCopyFailed(const std::string& source) override { refused.push_back(source); }
    std::unique_ptr<qb::ByteStream> OpenListFile(const std::string&) override {
        return std::make_unique<BytesStream>(list_);
    }
    void ReportCount(int, int) override {}
    void ReportAdvice() override {}

private:
    std::string list_;
};

// The lines as a reader of the format sees them: split at LF, one CR before
// the LF belongs to the line break, a last line without a break still counts.
std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// Windows opens these as devices in any directory, with any extension.
bool NamesADevice(const std::string& name) {
    std::string base;
    for (char c : name.substr(0, name.find('.')))
        base += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    base.erase(base.find_last_not_of(' ') + 1);
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
    if (std::any_of(std::begin(kDevices), std::end(kDevices), [&](const char* d) { return base == d; })) return true;
    const bool port = base.size() == 4 && (base.rfind("COM", 0) == 0 || base.rfind("LPT", 0) == 0);
    return port && (std::isdigit(static_cast<unsigned char>(base[3])) ||
                    std::string("\xB9\xB2\xB3").find(base[3]) != std::string::npos);
}

bool NameStaysInside(const std::string& name) {
    return !name.empty() && name.size() <= qb::kMaxPathLength && !NamesADevice(name) &&
           name.find_first_not_of(". ") != std::string::npos && name.find_first_of("\\/:") == std::string::npos &&
           std::none_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    RecordingHost host(bytes);
    qb::InstallState state;
    state.sourceDirectory = qb::Directory(kSource);
    state.destinationDirectory = qb::Directory(kDestination);
    state.testsOnly = true;
    if (qb::RunInstallWork(state, host) != qb::WorkResult::Done) std::abort();

    const std::vector<std::string> lines = Lines(bytes);
    if (host.copies.size() + host.refused.size() != lines.size()) std::abort();
    if (state.notCopied != static_cast<int>(host.refused.size())) std::abort();
    size_t copied = 0;
    size_t refusedSeen = 0;
    for (size_t k = 0; k < lines.size(); ++k) {
        const std::string source = std::string(kSource) + qb::NumberedFileName(static_cast<int>(k + 1));
        if (NameStaysInside(lines[k])) {
            const Copy& copy = host.copies.at(copied++);
            if (copy.source != source) std::abort();
            if (copy.destination != std::string(kDestination) + lines[k]) std::abort();
        } else {
            if (host.refused.at(refusedSeen++) != source) std::abort();
        }
    }
    return 0;
}
