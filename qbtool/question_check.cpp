#include "qbtool/question_check.h"

#include <algorithm>
#include <map>
#include <memory>
#include <unordered_map>

#include "document/record.h"
#include "qbtool/question_table.h"
#include "shell/picture_layout.h"

namespace qb {

namespace {

// Longer first lines of a damaged part are not shown as its keyword.
constexpr size_t kDamagedLineShown = 256;

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
}

bool CanReadWhole(FileSystem& files, const std::string& path) {
    std::unique_ptr<ByteStream> file = files.Open(path, OpenMode::Read);
    if (!file) return false;
    const int64_t size = StreamSize(*file);
    if (size < 0) return false;
    char buffer[64 * 1024];
    int64_t got = 0;
    for (size_t n; (n = file->Read(buffer, sizeof buffer)) > 0;) got += static_cast<int64_t>(n);
    return got == size;
}

enum class AttachmentState { Fine, Missing, NotShowable, Unreadable };

// Looks at each file once, however many questions name it.
class AttachmentChecker {
public:
    AttachmentChecker(FileSystem& files, const std::string& testPath) : files_(files), testPath_(testPath) {}

    AttachmentState Check(const std::string& storedName, bool picture) {
        const std::string path = LocateAttachment(files_, storedName, testPath_);
        if (path.empty()) return AttachmentState::Missing;
        const auto known = seen_.find({path, picture});
        if (known != seen_.end()) return known->second;
        AttachmentState state = AttachmentState::Fine;
        BitmapHeader header;
        if (picture && !(ReadBitmapHeaderFile(files_, path, header) && IsShowableBitmap(header)))
            state = AttachmentState::NotShowable;
        if (!picture && !CanReadWhole(files_, path)) state = AttachmentState::Unreadable;
        seen_[{path, picture}] = state;
        return state;
    }

private:
    FileSystem& files_;
    const std::string testPath_;
    std::map<std::pair<std::string, bool>, AttachmentState> seen_;
};

class Checker {
public:
    Checker(FileSystem& files, ByteStream& stream, const std::string& testPath)
        : stream_(stream), attachments_(files, testPath) {}

    void CheckDamage(const FilePart& part, int64_t size, int question) {
        std::string line;
        std::string keyword;
        if (stream_.Seek(part.start) && ReadLine(stream_, kDamagedLineShown, line) && line.back() == '\n') {
            DropLineFeed(line);
            keyword = line;
        }
        if (keyword.size() > kMaxKeywordLength)
            Add(question, keyword, "keyword longer than " + std::to_string(kMaxKeywordLength) + " characters");
        Add(question, keyword,
            "damaged record at byte " + std::to_string(part.start) + ", " + std::to_string(size - part.start) +
                " bytes follow");
    }

    void CheckRecord(const FilePart& part, int question) {
        QuestionRecord record;
        if (!ReadQuestionRecord(stream_, part.start, record)) {
            Add(question, record.keyword, "record cannot be read at byte " + std::to_string(part.start));
            return;
        }
        ++report_.questions;
        CheckKeyword(record.keyword, question);
        if (record.slots[kSlotQuestion].empty()) Add(question, record.keyword, "question empty");
        if (record.slots[kSlotRightAnswer].empty()) Add(question, record.keyword, "right answer empty");
        CheckWrongAnswers(record, question);
        CheckAttachments(record, question);
    }

    CheckReport Take() { return std::move(report_); }

private:
    void Add(int question, const std::string& keyword, const std::string& what) {
        report_.findings.push_back({question, keyword, what});
    }

    void CheckKeyword(const std::string& keyword, int question) {
        if (keyword.empty()) {
            Add(question, keyword, "keyword empty");
            return;
        }
        const auto first = keywords_.emplace(keyword, question);
        if (!first.second)
            Add(question, keyword, "keyword repeated (first at question " + std::to_string(first.first->second) + ")");
    }

    // The test run judges an answer by its text: a wrong answer equal to a
    // right one, or to another wrong one, cannot be told apart.
    void CheckWrongAnswers(const QuestionRecord& record, int question) {
        for (int k = kSlotWrongAnswer1; k < kFirstFileSlot; ++k) {
            const std::string& answer = record.slots[k];
            if (answer.empty()) continue;
            const std::string name = ColumnName(1 + k);
            if (answer == record.slots[kSlotRightAnswer]) {
                Add(question, record.keyword, name + " equals the right answer");
                continue;
            }
            for (int j = kSlotWrongAnswer1; j < k; ++j) {
                if (answer != record.slots[j]) continue;
                Add(question, record.keyword, name + " equals " + ColumnName(1 + j));
                break;
            }
        }
    }

    void CheckAttachments(const QuestionRecord& record, int question) {
        for (int k = kFirstFileSlot; k < kSlotCount; ++k) {
            const std::string& name = record.slots[k];
            if (name.empty()) continue;
            const bool picture = k == kSlotQuestionPictureFile || k == kSlotAnswerPictureFile;
            const std::string subject = std::string(ColumnName(1 + k)) + " \"" + name + "\"";
            switch (attachments_.Check(name, picture)) {
            case AttachmentState::Fine: break;
            case AttachmentState::Missing: Add(question, record.keyword, subject + " missing"); break;
            case AttachmentState::NotShowable:
                Add(question, record.keyword, subject + " is not a bitmap the picture pane can show");
                break;
            case AttachmentState::Unreadable: Add(question, record.keyword, subject + " cannot be read"); break;
            }
        }
    }

    ByteStream& stream_;
    AttachmentChecker attachments_;
    std::unordered_map<std::string, int> keywords_;
    CheckReport report_;
};

}  // namespace

std::string LocateAttachment(FileSystem& files, const std::string& storedName, const std::string& testPath) {
    std::string path = ResolveAttachmentName(storedName, FolderOf(testPath));
#ifndef _WIN32
    // Stored names are Windows paths; the native build reads them on a system with "/".
    std::replace(path.begin(), path.end(), '\\', '/');
#endif
    return files.Exists(path) ? path : std::string();
}

CheckReport CheckTestFile(FileSystem& files, ByteStream& stream, const TestFileScan& scan,
                          const std::string& testPath) {
    Checker checker(files, stream, testPath);
    int question = 0;
    for (const FilePart& part : scan.parts) {
        ++question;
        if (part.damaged) checker.CheckDamage(part, scan.size, question);
        else checker.CheckRecord(part, question);
    }
    return checker.Take();
}

}  // namespace qb
