#include "document/document.h"

#include "document/journal.h"
#include "document/resource_ids.h"

#include <climits>
#include <new>

namespace qb {

QuestionNode* DocumentMemory::NewNode() {
    return new (std::nothrow) QuestionNode();
}

char* DocumentMemory::NewBuffer(size_t size) {
    return new (std::nothrow) char[size];
}

DocumentMemory& SystemMemory() {
    static DocumentMemory memory;
    return memory;
}

int ListImage(int status, bool multipleChoice) {
    return (status > 0 ? 1 : 0) + (multipleChoice ? 2 : 0);
}

Message VersionRefusedMessage() {
    return Information(IDS_VERSION_REFUSED, IDS_ATTENTION);
}

Message FileErrorMessage() {
    return Exclamation(IDS_FILE_ERROR, IDS_ERROR_CAPTION);
}

Message SaveFileErrorMessage() {
    return Exclamation(IDS_FILE_ERROR, IDS_SAVE_CAPTION);
}

Message NoMemoryMessage() {
    return Warning(IDS_NO_MEMORY, IDS_ERROR_CAPTION);
}

Message NoTestOpenedMessage() {
    return Information(IDS_NO_TEST_OPENED, IDS_ATTENTION);
}

TestDocument::~TestDocument() {
    FreeQuestionIndex(*this);
}

// --- The question index ---------------------------------------------------

namespace {

// Keeps what LoadQuestionIndex reports, so Open can return it.
class KeptMessage final : public DocumentReporter {
public:
    void Report(const Message& message) override { message_ = message; }
    const DocumentResult& message() const { return message_; }

private:
    DocumentResult message_;
};

}  // namespace

int LoadQuestionIndex(TestDocument& document, QuestionList& list, DocumentReporter& reporter, int32_t& remainingCount) {
    remainingCount = 0;
    document.damagedFile.clear();
    FreeQuestionIndex(document);
    list.DeleteAllItems();
    ByteStream* stream = document.testFile.get();
    if (!stream) return 0;
    const MagicLineRead magic = ReadMagicLine(*stream);
    if (magic == MagicLineRead::Missing) return 0;
    if (magic == MagicLineRead::Refused) {
        reporter.Report(VersionRefusedMessage());
        return -1;
    }
    const int64_t fileSize = StreamSize(*stream);
    int64_t position = stream->Tell();
    QuestionNode* last = nullptr;
    int count = 0;
    RecordHeader header;
    while (count < INT32_MAX) {
        if (!ReadRecordHeader(*stream, position, fileSize, header)) {
            if (!OnlyClosingLineFollows(*stream, position, fileSize)) document.damagedFile = document.testFilePath;
            break;
        }
        QuestionNode* node = document.memory->NewNode();
        const int image = ListImage(header.status, header.IsMultipleChoice());
        if (node && !list.InsertItem(header.keyword, image, count)) {
            delete node;
            node = nullptr;
        }
        if (!node) {
            reporter.Report(NoMemoryMessage());
            return count == 0 ? -1 : count;
        }
        node->position = position;
        node->key = count;
        node->inJournal = false;
        node->status = header.status;
        node->misses = header.misses;
        (last ? last->next : document.head) = node;
        last = node;
        if (header.status == 0) ++remainingCount;
        ++count;
        position = header.end;
    }
    return count;
}

void FreeQuestionIndex(TestDocument& document) {
    while (document.head) {
        QuestionNode* next = document.head->next;
        delete document.head;
        document.head = next;
    }
}

QuestionNode* LastNode(const TestDocument& document) {
    QuestionNode* node = document.head;
    while (node && node->next) node = node->next;
    return node;
}

QuestionNode* FindNode(const TestDocument& document, int32_t key) {
    QuestionNode* node = document.head;
    while (node && node->key != key) node = node->next;
    return node;
}

QuestionNode* FindPredecessor(const TestDocument& document, int32_t key) {
    QuestionNode* previous = nullptr;
    for (QuestionNode* node = document.head; node; node = node->next) {
        if (node->key == key) return previous;
        previous = node;
    }
    return nullptr;
}

void AppendNode(TestDocument& document, QuestionNode* node) {
    node->next = nullptr;
    AppendChain(document, node);
}

void AppendChain(TestDocument& document, QuestionNode* first) {
    QuestionNode* last = LastNode(document);
    (last ? last->next : document.head) = first;
}

QuestionNode* UnlinkNode(TestDocument& document, int32_t key) {
    QuestionNode* node = FindNode(document, key);
    if (!node) return nullptr;
    QuestionNode* previous = FindPredecessor(document, key);
    (previous ? previous->next : document.head) = node->next;
    node->next = nullptr;
    return node;
}

namespace {

ByteStream* StreamOfNode(TestDocument& document, const QuestionNode& node) {
    return node.inJournal ? document.journalFile.get() : document.testFile.get();
}

}  // namespace

bool ReadNodeRecord(TestDocument& document, const QuestionNode& node, QuestionRecord& record, unsigned wanted) {
    ByteStream* stream = StreamOfNode(document, node);
    return stream && ReadQuestionRecord(*stream, node.position, record, wanted);
}

RecordProgress ReadNodeRecordInOrder(TestDocument& document, const QuestionNode& node, QuestionRecord& record) {
    ByteStream* stream = StreamOfNode(document, node);
    if (!stream) {
        record = QuestionRecord{};
        return RecordProgress{};
    }
    return ReadRecordInOrder(*stream, node.position, record);
}

// --- New, Open, Close ------------------------------------------------------

namespace {

void CloseStream(std::unique_ptr<ByteStream>& stream) {
    if (stream) stream->Close();
    stream.reset();
}

}  // namespace

void ResetDocument(TestDocument& document) {
    FreeQuestionIndex(document);
    CloseStream(document.testFile);
    CloseStream(document.journalFile);
    document.testFilePath.clear();
    document.damagedFile.clear();
    document.questionCount = 0;
    document.nextKey = 0;
    document.modified = false;
}

DocumentResult CreateTest(TestDocument& document, std::string testPath, std::string journalPath) {
    ResetDocument(document);
    document.journalPath = journalPath;
    std::unique_ptr<ByteStream> journal = StartJournal(*document.files, journalPath, testPath);
    if (!journal) {
        document.journalPath.clear();
        return FileErrorMessage();
    }
    document.testPath = testPath;
    std::unique_ptr<ByteStream> test = document.files->Open(testPath, OpenMode::CreateWrite);
    const bool written = test && test->WriteLine(kMagicLine) && test->Flush();
    if (!written) {
        CloseStream(test);
        CloseStream(journal);
        // The journal holds no record and is ours: leave no name behind that
        // a later Close could use to delete another instance's journal.
        document.files->Remove(journalPath);
        document.journalPath.clear();
        document.testPath.clear();
        return FileErrorMessage();
    }
    document.testFile = std::move(test);
    document.journalFile = std::move(journal);
    document.testFilePath = testPath;
    return std::nullopt;
}

DocumentResult OpenTest(TestDocument& document, std::string testPath, std::string journalPath, QuestionList& list,
                        DocumentReporter& reporter, int32_t& remainingCount) {
    ResetDocument(document);
    list.DeleteAllItems();
    remainingCount = 0;
    document.testPath = testPath;
    document.testFile = document.files->Open(testPath, OpenMode::Read);
    if (!document.testFile) {
        document.testPath.clear();
        return FileErrorMessage();
    }
    document.testFilePath = testPath;
    KeptMessage kept;
    const int count = LoadQuestionIndex(document, list, kept, remainingCount);
    if (count < 0) {
        CloseStream(document.testFile);
        document.testFilePath.clear();
        return kept.message();
    }
    document.journalPath = journalPath;
    document.journalFile = StartJournal(*document.files, journalPath, testPath);
    if (!document.journalFile) {
        CloseStream(document.testFile);
        document.testFilePath.clear();
        document.damagedFile.clear();
        document.journalPath.clear();
        FreeQuestionIndex(document);
        list.DeleteAllItems();
        remainingCount = 0;
        return FileErrorMessage();
    }
    if (kept.message()) reporter.Report(*kept.message());
    document.questionCount = count;
    document.nextKey = count;
    return std::nullopt;
}

void CloseTest(TestDocument& document) {
    ResetDocument(document);
    if (!document.journalPath.empty()) document.files->Remove(document.journalPath);
    document.journalPath.clear();
    document.testPath.clear();
}

}  // namespace qb
