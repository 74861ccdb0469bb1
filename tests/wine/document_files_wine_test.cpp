// The test document on the Windows file system (run under Wine by run.sh):
// names that differ only in case are one file, open files cannot be renamed,
// a rename never replaces a file, and the change journal is held exclusively.
#include <windows.h>

#include <cstdio>
#include <string>

#include "base/path_limits.h"
#include "document/document.h"
#include "tests/support/test_records.h"
#include "tests/wine/wine_check.h"

namespace {

class NoList final : public qb::QuestionList {
public:
    void DeleteAllItems() override { items = 0; }
    bool InsertItem(const std::string&, int, int) override {
        ++items;
        return true;
    }
    int items = 0;
};

class NoReporter final : public qb::DocumentReporter {
public:
    void Report(const qb::Message&) override {}
};

std::string ReadAll(const std::string& path) {
    std::string bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return "<missing>";
    char buffer[4096];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, count);
    std::fclose(file);
    return bytes;
}

void WriteAll(const std::string& path, const std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

// The name as the directory holds it, with its case.
std::string NameOnDisk(const std::string& path) {
    WIN32_FIND_DATAA data;
    HANDLE found = FindFirstFileA(path.c_str(), &data);
    if (found == INVALID_HANDLE_VALUE) return "<missing>";
    FindClose(found);
    return data.cFileName;
}

std::string Record(const std::string& keyword, const std::string& question, const std::string& answer, int status) {
    return keyword + "\r\n" + std::to_string(question.size()) + "\r\n" + std::to_string(answer.size()) +
           "\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n" + std::to_string(status) + "\r\n" + question + answer;
}

qb::QuestionNode* StoreNew(qb::TestDocument& document, const std::string& keyword) {
    qb::QuestionRecord record;
    record.keyword = keyword;
    record.slots[qb::kSlotQuestion] = "Which moon is " + keyword + "?";
    record.slots[qb::kSlotRightAnswer] = "A moon of Jupiter";
    qb::QuestionNode* node = new qb::QuestionNode();
    node->key = document.nextKey++;
    node->position = qb::WriteQuestionRecord(*document.journalFile, record);
    node->inJournal = true;
    qb::AppendNode(document, node);
    ++document.questionCount;
    document.modified = true;
    return node;
}

void SaveKeepsBackupAndWritesCapitals(const std::string& dir) {
    const std::string test = dir + "\\exam.tvt";
    const std::string journal = dir + "\\CHANGINGS.TMP";
    const std::string original = "QBKX0101A\r\n" + Record("Io", "Volcanoes?", "Io", 0) + "\r\n";
    WriteAll(test, original);

    qb::TestDocument document;
    NoList list;
    NoReporter reporter;
    int32_t remaining = 0;
    CHECK(qb::OpenTest(document, test, journal, list, reporter, remaining) == std::nullopt);
    CHECK(document.questionCount == 1);

    // A second instance on the same program directory cannot take the journal.
    qb::TestDocument second;
    NoList secondList;
    CHECK(qb::OpenTest(second, test, journal, secondList, reporter, remaining) == qb::FileErrorMessage());
    CHECK(second.journalPath.empty());
    qb::CloseTest(second);
    CHECK(GetFileAttributesA(journal.c_str()) != INVALID_FILE_ATTRIBUTES);

    StoreNew(document, "Europa");
    document.head->status = 1;
    CHECK(qb::SaveTest(document) == std::nullopt);
    CHECK(!document.modified);
    CHECK(NameOnDisk(test) == "exam.TVT");
    CHECK(NameOnDisk(dir + "\\exam.BAK") == "exam.BAK");
    CHECK(ReadAll(dir + "\\exam.BAK") == original);
    CHECK(NameOnDisk(dir + "\\exam.TMP") == "<missing>");
    // Held exclusively, the journal can only be looked at through the document:
    // it names the saved test and holds nothing else.
    CHECK(ReadAll(journal) == "<missing>");
    CHECK(qb::StreamSize(*document.journalFile) == static_cast<int64_t>(document.testPath.size() + 2));
    const std::string saved = "QBKX0101A\r\n" + Record("Io", "Volcanoes?", "Io", 1) +
                              Record("Europa", "Which moon is Europa?", "A moon of Jupiter", 0) + "\r\n";
    CHECK(ReadAll(test) == saved);

    // Again, now that a backup exists and the saved test is open.
    StoreNew(document, "Ganymede");
    CHECK(qb::SaveTest(document) == std::nullopt);
    CHECK(ReadAll(dir + "\\exam.BAK") == saved);
    qb::QuestionRecord record;
    CHECK(qb::ReadNodeRecord(document, *qb::LastNode(document), record));
    CHECK(record.keyword == "Ganymede");

    // Save as leaves the old file as it is.
    const std::string before = ReadAll(test);
    document.testPath = dir + "\\moons.tvt";
    CHECK(qb::SaveTest(document) == std::nullopt);
    CHECK(NameOnDisk(dir + "\\moons.tvt") == "moons.TVT");
    CHECK(ReadAll(test) == before);
    CHECK(ReadAll(dir + "\\moons.TVT") == before);

    qb::CloseTest(document);
    CHECK(GetFileAttributesA(journal.c_str()) == INVALID_FILE_ATTRIBUTES);
}

}  // namespace

int main() {
    char temp[qb::kPathBufferSize] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string dir = std::string(temp) + "qb-document-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
    SaveKeepsBackupAndWritesCapitals(dir);
    for (const char* name : {"exam.TVT", "exam.BAK", "moons.TVT", "moons.BAK", "CHANGINGS.TMP"})
        DeleteFileA((dir + "\\" + name).c_str());
    RemoveDirectoryA(dir.c_str());
    return wine_check::Finish();
}
