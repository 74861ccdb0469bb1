#include "authoring/question_check.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string_view>
#include <memory>
#include <unordered_map>

#include "authoring/question_table.h"
#include "base/paths.h"
#include "document/attachments.h"
#include "document/record.h"
#include "media/bitmap.h"

namespace qb {

namespace {

// Longer first lines of a damaged part are not shown as its keyword.
constexpr size_t kDamagedLineShown = 256;

// The test's folder as a directory: without its closing separator, but a
// root or a drive kept whole; "." for a bare name.
std::string DirectoryOf(const std::string& path) {
    std::string folder = WinPath(path).Folder();
    if (folder.empty()) return ".";
    if (folder.size() > 1 && folder.back() != ':') folder.pop_back();
    return folder;
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
    AttachmentChecker(FileSystem& files, const std::string& testPath, const Directory& programDirectory)
        : files_(files), testPath_(testPath), programDirectory_(programDirectory) {}

    AttachmentState Check(const std::string& storedName, bool picture) {
        std::unordered_map<std::string, AttachmentState>& seen = seen_[picture ? 1 : 0];
        const auto known = seen.find(storedName);
        if (known != seen.end()) return known->second;
        const AttachmentState state = Look(FindAttachment(files_, storedName, testPath_, programDirectory_), picture);
        seen.emplace(storedName, state);
        return state;
    }

private:
    AttachmentState Look(const std::string& path, bool picture) {
        if (path.empty()) return AttachmentState::Missing;
        BitmapHeader header;
        if (!picture) return CanReadWhole(files_, path) ? AttachmentState::Fine : AttachmentState::Unreadable;
        const bool showable = ReadBitmapHeaderFile(files_, path, header) && IsShowableBitmap(header);
        return showable ? AttachmentState::Fine : AttachmentState::NotShowable;
    }

    FileSystem& files_;
    const std::string testPath_;
    const Directory programDirectory_;
    std::unordered_map<std::string, AttachmentState> seen_[2];  // by stored name; texts, pictures
};

// The first question of every keyword, in one flat table: a test may hold
// a hundred thousand keywords, and a heap node for each costs a cache miss
// on every look-up.
class KeywordIndex {
public:
    // The first question recorded under keyword; records question when the
    // keyword is new and returns it then.
    int FirstQuestion(const std::string& keyword, int question) {
        if (entries_.size() * 2 >= table_.size()) Grow();
        const size_t hash = std::hash<std::string>()(keyword);
        for (size_t at = hash & (table_.size() - 1);; at = (at + 1) & (table_.size() - 1)) {
            uint32_t& slot = table_[at];
            if (slot == 0) {
                slot = static_cast<uint32_t>(entries_.size() + 1);
                entries_.push_back({hash, text_.size(), question});
                text_ += keyword;
                return question;
            }
            const Entry& entry = entries_[slot - 1];
            if (entry.hash == hash && Text(slot - 1) == keyword) return entry.question;
        }
    }

private:
    struct Entry {
        size_t hash;
        size_t start;  // in text_; the keyword ends where the next one starts
        int question;
    };

    std::string_view Text(size_t entry) const {
        const size_t end = entry + 1 < entries_.size() ? entries_[entry + 1].start : text_.size();
        return std::string_view(text_).substr(entries_[entry].start, end - entries_[entry].start);
    }

    void Grow() {
        table_.assign(table_.empty() ? 1024 : table_.size() * 2, 0);
        for (size_t i = 0; i < entries_.size(); ++i) {
            size_t at = entries_[i].hash & (table_.size() - 1);
            while (table_[at] != 0) at = (at + 1) & (table_.size() - 1);
            table_[at] = static_cast<uint32_t>(i + 1);
        }
    }

    std::vector<uint32_t> table_;  // 1 + index into entries_; 0 for a free slot
    std::vector<Entry> entries_;
    std::string text_;  // the keywords one after another
};

// The slots a check needs beyond the header: answers only where two filled
// ones are equally long, file names where there are any.
unsigned SlotsToRead(const RecordHeader& header) {
    unsigned wanted = 0;
    for (int k = kSlotWrongAnswer1; k < kFirstFileSlot; ++k) {
        for (int j = kSlotRightAnswer; j < k; ++j) {
            if (header.lengths[k] > 0 && header.lengths[k] == header.lengths[j]) wanted |= SlotBit(k) | SlotBit(j);
        }
    }
    for (int k = kFirstFileSlot; k < kSlotCount; ++k)
        if (header.lengths[k] > 0) wanted |= SlotBit(k);
    return wanted;
}

class Checker {
public:
    Checker(FileSystem& files, const std::string& testPath, const Directory& programDirectory)
        : attachments_(files, testPath, programDirectory) {}

    // key is the question's in an open test, -1 in a file.
    void CheckDamage(ByteStream& stream, const FilePart& part, int64_t size, int question, int32_t key = -1) {
        key_ = key;
        std::string line;
        std::string keyword;
        if (stream.Seek(part.start) && ReadLine(stream, kDamagedLineShown, line) && line.back() == '\n') {
            DropLineFeed(line);
            keyword = line;
        }
        if (keyword.size() > kMaxKeywordLength)
            Add(question, keyword, "keyword longer than " + std::to_string(kMaxKeywordLength) + " characters");
        Add(question, keyword,
            "damaged record at byte " + std::to_string(part.start) + ", " + std::to_string(size - part.start) +
                " bytes follow");
    }

    // key is the question's in an open test, -1 in a file.
    void CheckRecord(ByteStream& stream, const FilePart& part, const RecordHeader& header, int64_t size, int question,
                     int32_t key = -1) {
        key_ = key;
        ++report_.questions;
        const std::string& keyword = header.keyword;
        CheckKeyword(keyword, question);
        CheckMissCount(header.missNote, keyword, question);
        if (header.lengths[kSlotQuestion] == 0) Add(question, keyword, "question empty");
        if (header.lengths[kSlotRightAnswer] == 0) Add(question, keyword, "right answer empty");
        const unsigned wanted = SlotsToRead(header);
        if (wanted == 0) return;
        QuestionRecord& record = record_;  // reused: its strings keep their memory from record to record
        if (!ReadQuestionRecordOfSize(stream, part.start, size, record, wanted)) {
            Add(question, keyword, "record cannot be read at byte " + std::to_string(part.start));
            return;
        }
        CheckWrongAnswers(record, question);
        CheckAttachments(record, question);
    }

    CheckReport Take() { return std::move(report_); }

private:
    void Add(int question, const std::string& keyword, const std::string& what) {
        report_.findings.push_back({question, keyword, what, key_});
    }

    void CheckKeyword(const std::string& keyword, int question) {
        if (keyword.empty()) {
            Add(question, keyword, "keyword empty");
            return;
        }
        const int first = keywords_.FirstQuestion(keyword, question);
        if (first != question)
            Add(question, keyword, "keyword repeated (first at question " + std::to_string(first) + ")");
    }

    void CheckMissCount(MissCountNote note, const std::string& keyword, int question) {
        switch (note) {
        case MissCountNote::None: return;
        case MissCountNote::NotANumber: Add(question, keyword, "miss count is not a number (read as 0)"); return;
        case MissCountNote::TooLarge:
            Add(question, keyword, "miss count above " + std::to_string(kMaxMisses) + " (read as " +
                                       std::to_string(kMaxMisses) + ")");
            return;
        case MissCountNote::MoreText: Add(question, keyword, "status line holds more than the miss count"); return;
        }
    }

    // The test run judges an answer by its text: a wrong answer equal to a
    // right one, or to another wrong one, cannot be told apart.
    void CheckWrongAnswers(const QuestionRecord& record, int question) {
        for (int k = kSlotWrongAnswer1; k < kFirstFileSlot; ++k) {
            const std::string& answer = record.slots[k];
            if (answer.empty()) continue;
            if (answer == record.slots[kSlotRightAnswer]) {
                Add(question, record.keyword, std::string(ColumnName(1 + k)) + " equals the right answer");
                continue;
            }
            for (int j = kSlotWrongAnswer1; j < k; ++j) {
                if (answer != record.slots[j]) continue;
                Add(question, record.keyword, std::string(ColumnName(1 + k)) + " equals " + ColumnName(1 + j));
                break;
            }
        }
    }

    void CheckAttachments(const QuestionRecord& record, int question) {
        for (int k = kFirstFileSlot; k < kSlotCount; ++k) {
            const std::string& name = record.slots[k];
            if (name.empty()) continue;
            const bool picture = k == kSlotQuestionPictureFile || k == kSlotAnswerPictureFile;
            const AttachmentState state = attachments_.Check(name, picture);
            if (state == AttachmentState::Fine) continue;
            const std::string subject = std::string(ColumnName(1 + k)) + " \"" + name + "\" ";
            if (state == AttachmentState::Missing) Add(question, record.keyword, subject + "missing");
            if (state == AttachmentState::NotShowable)
                Add(question, record.keyword, subject + "is not a bitmap the picture pane can show");
            if (state == AttachmentState::Unreadable) Add(question, record.keyword, subject + "cannot be read");
        }
    }

    int32_t key_ = -1;  // of the question at hand
    QuestionRecord record_;
    AttachmentChecker attachments_;
    KeywordIndex keywords_;
    CheckReport report_;
};

}  // namespace

std::string DescribeFinding(const Finding& finding) {
    return "question " + std::to_string(finding.question) + " \"" + finding.keyword + "\": " + finding.what;
}

std::string FindAttachment(FileSystem& files, const std::string& storedName, const std::string& testPath,
                           const Directory& programDirectory) {
    std::string name = storedName;
#ifndef _WIN32
    // Stored names are Windows paths; the native build reads them on a system with "/".
    std::replace(name.begin(), name.end(), '\\', '/');
#endif
    const Directory folder = programDirectory.Empty() ? Directory(DirectoryOf(testPath)) : programDirectory;
    const std::string path = LocateAttachment(files, name, folder, testPath);
    return !path.empty() && files.Exists(path) ? path : std::string();
}

CheckReport CheckTestFile(FileSystem& files, ByteStream& stream, const std::string& testPath, TestFileScan& scan,
                          const Directory& programDirectory) {
    Checker checker(files, testPath, programDirectory);
    // The scan has taken the size before it finds the first part.
    int question = 0;
    const bool scanned = ScanTestFile(stream, scan, [&](const FilePart& part, const RecordHeader* header) {
        ++question;
        if (header)
            checker.CheckRecord(stream, part, *header, scan.size, question);
        else
            checker.CheckDamage(stream, part, scan.size, question);
    });
    if (!scanned) scan.size = -1;
    return checker.Take();
}

CheckReport CheckOpenTest(TestDocument& document, const Directory& programDirectory) {
    Checker checker(*document.files, document.testPath, programDirectory);
    const int64_t testSize = StreamSize(*document.testFile);
    const int64_t journalSize = StreamSize(*document.journalFile);
    int question = 0;
    for (const QuestionNode* node = document.head; node; node = node->next) {
        ByteStream& stream = node->inJournal ? *document.journalFile : *document.testFile;
        const int64_t size = node->inJournal ? journalSize : testSize;
        RecordHeader header;
        if (ReadRecordHeader(stream, node->position, size, header)) {
            checker.CheckRecord(stream, {node->position, header.end, false}, header, size, ++question, node->key);
        } else {
            checker.CheckDamage(stream, {node->position, size, true}, size, ++question, node->key);
        }
    }
    return checker.Take();
}

}  // namespace qb
