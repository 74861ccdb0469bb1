// Moving a question between the dialog's fields and a record: loading the
// current record for editing, and appending the accepted question to the
// change journal.
#pragma once
#include <cstdint>

#include "base/byte_stream.h"
#include "document/record.h"
#include "document/document.h"
#include "editor/attachments.h"
#include "editor/question_form.h"

namespace qb {

// The record Accept writes: the stored keyword, the texts as the fields hold
// them and the four slots as they are, status 0.
QuestionRecord RecordFromForm(const QuestionFields& fields, const AttachmentSlots& slots);
// The same into record, whose strings keep their memory.
void FillRecordFromForm(const QuestionFields& fields, const AttachmentSlots& slots, QuestionRecord& record);

enum class StoreOutcome {
    Stored,
    FileError,  // no journal, no position, or a write that failed
    NoMemory,
};

struct StoreResult {
    StoreOutcome outcome = StoreOutcome::FileError;
    int64_t position = -1;  // where the complete record begins, when stored
};

// Appends the question to the end of the journal. Only a record written and
// flushed completely is reported as stored; the bytes of a failed attempt
// stay in the journal, unreferenced. The record carries the question's miss
// count, so an edited question keeps it.
StoreResult StoreQuestion(ByteStream* journal, const QuestionFields& fields, const AttachmentSlots& slots,
                          int32_t misses = 0);
// The same, the record made in written: a caller storing many questions
// passes the same one each time, so its strings keep their memory.
StoreResult StoreQuestion(ByteStream* journal, const QuestionFields& fields, const AttachmentSlots& slots,
                          int32_t misses, QuestionRecord& written);

enum class LoadOutcome {
    Loaded,
    FileError,  // the record cannot be reached or read whole
    NoMemory,
};

// Fills fields and slots from the record at position, in slot order. On a
// failure the keyword and the fields read so far stay filled and the rest
// stay empty; only a record whose header lines are refused (a name longer
// than a slot holds) leaves everything empty.
LoadOutcome LoadQuestion(ByteStream& stream, int64_t position, QuestionFields& fields, AttachmentSlots& slots);

// --- The dialog's two ends, over the open test -------------------------------

// Edit mode's loading: the current record of node, from the file its
// inJournal names.
enum class EditLoadOutcome { Loaded, NoTest, NoNode, FileError, NoMemory };
EditLoadOutcome LoadPendingQuestion(TestDocument& document, const QuestionNode* node, QuestionFields& fields,
                                    AttachmentSlots& slots);

struct AcceptResult {
    MissingField missing = MissingField::None;  // refused: the field to fill first
    bool noNode = false;                        // no question to store into
    StoreOutcome store = StoreOutcome::FileError;
    int result = 0;  // 0: nothing stored
};

// Accept: checks the fields, appends the record to the change journal and,
// only once it is stored completely, points node at it (inJournal set; in
// define mode the key becomes nextKey) and leaves the stored keyword in
// keyword. A failed store leaves the node as it was.
AcceptResult AcceptQuestion(TestDocument& document, QuestionNode* node, EditorMode mode, const QuestionFields& fields,
                            const AttachmentSlots& slots, std::string& keyword);

// The same Accept in define mode for a question of an import: the record goes
// to journal (a batch of records bound for the change journal, which knows
// the positions they will have there) and the node takes key. The record is
// made in written, the same one for every question of the import.
AcceptResult AcceptNewQuestion(ByteStream& journal, int32_t key, QuestionNode* node, const QuestionFields& fields,
                               const AttachmentSlots& slots, std::string& keyword, QuestionRecord& written);

}  // namespace qb
