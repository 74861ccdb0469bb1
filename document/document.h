// The open test: its files, the question index and the operations behind
// New, Open, Close and Save that need no window. The shell shows the
// messages these return.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "base/byte_stream.h"
#include "document/record.h"
#include "message/message.h"

namespace qb {

// One question of the index, in the order of the saved test file.
struct QuestionNode {
    QuestionNode* next = nullptr;
    int64_t position = 0;    // start of the current record, in the file inJournal names
    int32_t key = 0;         // identity; the item parameter of its list item
    bool inJournal = false;  // record lies in the change journal, not the test file
    int32_t status = 0;      // 0 not answered, 1 answered
    int32_t misses = 0;
};

// What an operation of the document tells the user: nothing when it
// succeeded, otherwise the message, ready to show (document/resource_ids.h).
using DocumentResult = std::optional<Message>;

// The test was written by another version of the program.
Message VersionRefusedMessage();
// A file could not be read, written, renamed or removed; while saving, the
// message is captioned by the save.
Message FileErrorMessage();
Message SaveFileErrorMessage();
// Memory ran out.
Message NoMemoryMessage();
// No test is open.
Message NoTestOpenedMessage();

// Where LoadQuestionIndex reports the message it shows itself.
class DocumentReporter {
public:
    virtual ~DocumentReporter() = default;
    virtual void Report(const Message& message) = 0;
};

// The question list as the core sees it: the shell implements it with the
// list view (items sorted by keyword, item parameter = key), tests in memory.
class QuestionList {
public:
    virtual ~QuestionList() = default;
    virtual void DeleteAllItems() = 0;
    // False when the item could not be inserted (no memory).
    virtual bool InsertItem(const std::string& keyword, int image, int key) = 0;
};

// Heap allocations of the document, replaceable so tests can run out of memory.
class DocumentMemory {
public:
    virtual ~DocumentMemory() = default;
    // nullptr when no memory is left. Nodes are released with delete.
    virtual QuestionNode* NewNode();
    // A buffer of size bytes, nullptr when no memory is left; release with delete[].
    virtual char* NewBuffer(size_t size);
};
DocumentMemory& SystemMemory();

// Image of a list item: +1 answered, +2 multiple choice (0 to 3).
int ListImage(int status, bool multipleChoice);

struct TestDocument {
    std::string testPath;      // the test's path; also the file dialogs' name buffer
    std::string journalPath;   // empty when no journal exists
    std::string testFilePath;  // the file testFile is open on (testPath may differ after Save as)
    std::unique_ptr<ByteStream> testFile;
    std::unique_ptr<ByteStream> journalFile;
    QuestionNode* head = nullptr;
    int32_t questionCount = 0;
    int32_t nextKey = 0;
    bool modified = false;
    // Open stopped at a record it could not read whole, with more than the
    // closing empty line behind it: the questions there are not in the
    // index, so no save may replace this file. Names the file as Open found
    // it (the shell keeps its full path); empty while the test is whole.
    std::string damagedFile;

    FileSystem* files = &RealFileSystem();
    DocumentMemory* memory = &SystemMemory();

    TestDocument() = default;
    TestDocument(const TestDocument&) = delete;
    TestDocument& operator=(const TestDocument&) = delete;
    ~TestDocument();  // frees the index; deletes nothing on disk

    bool IsOpen() const { return testFile && journalFile; }
};

// --- The question index ---------------------------------------------------

// Checks the magic line of document.testFile and builds the index in file
// order (keys 0, 1, 2, ...), inserting one list item per question. Returns the
// number of questions, or -1 when the file is refused (its version reported)
// or there is no memory for the first node (no memory reported). A record that
// is cut short or malformed ends the loading: the questions before it stay.
// When memory runs out later, no memory is reported and the questions loaded
// so far stay, index and list in step. Sets remainingCount to the number of
// questions with status 0. Does not touch questionCount or nextKey. Sets
// damagedFile to testFilePath when a record that cannot be read whole ends
// the loading and more than the closing empty line follows the last
// complete record; a file merely missing that line is whole.
int LoadQuestionIndex(TestDocument& document, QuestionList& list, DocumentReporter& reporter, int32_t& remainingCount);

void FreeQuestionIndex(TestDocument& document);
QuestionNode* LastNode(const TestDocument& document);
// nullptr when no node has the key.
QuestionNode* FindNode(const TestDocument& document, int32_t key);
// The node before the one with the key; nullptr when it is the head or absent.
QuestionNode* FindPredecessor(const TestDocument& document, int32_t key);
// Links node behind the last node (or as the head of an empty index).
void AppendNode(TestDocument& document, QuestionNode* node);
// Links the chain that starts at first (ending in a node whose next is
// nullptr) behind the last node, walking the index once for the whole chain.
void AppendChain(TestDocument& document, QuestionNode* first);
// Unlinks the node with the key and returns it (the caller deletes it), or nullptr.
QuestionNode* UnlinkNode(TestDocument& document, int32_t key);

// Reads the current record of node from the file its inJournal names.
bool ReadNodeRecord(TestDocument& document, const QuestionNode& node, QuestionRecord& record,
                    unsigned wanted = kAllSlots);
// The same in slot order, keeping what was read before a failure (ReadRecordInOrder).
RecordProgress ReadNodeRecordInOrder(TestDocument& document, const QuestionNode& node, QuestionRecord& record);

// --- New, Open, Close ------------------------------------------------------

// Frees the index, closes both files, clears modified, damagedFile,
// questionCount and nextKey. Paths and files on disk are kept.
void ResetDocument(TestDocument& document);

// New: creates the change journal (held exclusively, with the test's path as
// its first line) and the test file holding the magic line. On a file error
// nothing is open and journalPath is empty; testPath is emptied too when the
// test file could not be made (the journal made for it is removed again).
// The paths are taken by value: callers may pass the document's own fields.
DocumentResult CreateTest(TestDocument& document, std::string testPath, std::string journalPath);

// Open: opens the test, builds the index into list and creates the change
// journal (exclusively). Tells of another version, of no memory (first node)
// or of a file error; on failure no test is open and the list is empty. No
// memory met after the first node is reported through reporter while the
// open still succeeds.
DocumentResult OpenTest(TestDocument& document, std::string testPath, std::string journalPath, QuestionList& list,
                        DocumentReporter& reporter, int32_t& remainingCount);

// Close (and the end of the program): frees the index, closes the files,
// deletes the change journal, clears both paths and modified.
void CloseTest(TestDocument& document);

// --- Saving ------------------------------------------------------------------

// Merges the current record of every question, in index order and with the
// node's status, into a new file next to testPath (its last three characters
// "TMP"), then keeps the previous "TVT" file as "BAK", moves the new file to
// the "TVT" name, opens it for reading and empties the change journal.
// testPath then ends in "TVT", modified is cleared and damagedFile too: the
// open file is the whole saved test now. A save under the damaged file's own
// names is the caller's to refuse.
// Tells of no open test, a file error (captioned by the save) or no memory
// on failure. A failed save loses nothing: the previous files are where they were (or the complete
// test is under "TMP" with the "BAK" beside it), every node still points at a
// complete record in an open file, the journal keeps its records, modified
// stays set and testPath is unchanged.
DocumentResult SaveTest(TestDocument& document);

}  // namespace qb
