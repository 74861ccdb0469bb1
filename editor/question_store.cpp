#include "editor/question_store.h"

#include <new>
#include <stdexcept>

namespace qb {

namespace {

std::string* TextFieldOfSlot(QuestionFields& fields, int slot) {
    if (slot == kSlotQuestion) return &fields.question;
    if (slot == kSlotRightAnswer) return &fields.rightAnswer;
    return &fields.wrongAnswers[static_cast<size_t>(slot - kSlotWrongAnswer1)];
}

// Moves what was read of the record into the form; slots not read are empty.
void FillForm(QuestionRecord& record, QuestionFields& fields, AttachmentSlots& slots) {
    fields.keyword.swap(record.keyword);
    for (int slot = 0; slot < kFirstFileSlot; ++slot) TextFieldOfSlot(fields, slot)->swap(record.slots[slot]);
    for (int i = 0; i < kAttachmentSlotCount; ++i) {
        slots[static_cast<size_t>(i)].swap(record.slots[static_cast<size_t>(kFirstFileSlot + i)]);
    }
}

}  // namespace

void FillRecordFromForm(const QuestionFields& fields, const AttachmentSlots& slots, QuestionRecord& record) {
    record.keyword.assign(fields.keyword, 0, StoredKeywordLength(fields.keyword));
    record.slots[kSlotQuestion] = fields.question;
    record.slots[kSlotRightAnswer] = fields.rightAnswer;
    for (int i = 0; i < kWrongAnswerCount; ++i) {
        record.slots[static_cast<size_t>(kSlotWrongAnswer1 + i)] = fields.wrongAnswers[static_cast<size_t>(i)];
    }
    for (int i = 0; i < kAttachmentSlotCount; ++i) {
        record.slots[static_cast<size_t>(kFirstFileSlot + i)] = slots[static_cast<size_t>(i)];
    }
    record.status = 0;
    record.misses = 0;
}

QuestionRecord RecordFromForm(const QuestionFields& fields, const AttachmentSlots& slots) {
    QuestionRecord record;
    FillRecordFromForm(fields, slots, record);
    return record;
}

StoreResult StoreQuestion(ByteStream* journal, const QuestionFields& fields, const AttachmentSlots& slots,
                          int32_t misses) {
    QuestionRecord written;
    return StoreQuestion(journal, fields, slots, misses, written);
}

StoreResult StoreQuestion(ByteStream* journal, const QuestionFields& fields, const AttachmentSlots& slots,
                          int32_t misses, QuestionRecord& written) {
    StoreResult result;
    if (!journal) return result;
    try {
        FillRecordFromForm(fields, slots, written);
        written.misses = misses;
        int64_t position = WriteQuestionRecord(*journal, written);
        if (position >= 0) {
            result.outcome = StoreOutcome::Stored;
            result.position = position;
        }
    } catch (const std::bad_alloc&) {
        result.outcome = StoreOutcome::NoMemory;
    } catch (const std::length_error&) {
        result.outcome = StoreOutcome::NoMemory;
    }
    return result;
}

LoadOutcome LoadQuestion(ByteStream& stream, int64_t position, QuestionFields& fields, AttachmentSlots& slots) {
    fields = QuestionFields{};
    slots = AttachmentSlots{};
    QuestionRecord record;
    const RecordProgress progress = ReadRecordInOrder(stream, position, record);
    FillForm(record, fields, slots);
    switch (progress.outcome) {
    case RecordRead::Complete: return LoadOutcome::Loaded;
    case RecordRead::NoMemory: return LoadOutcome::NoMemory;
    case RecordRead::FileError: break;
    }
    return LoadOutcome::FileError;
}

EditLoadOutcome LoadPendingQuestion(TestDocument& document, const QuestionNode* node, QuestionFields& fields,
                                    AttachmentSlots& slots) {
    fields = QuestionFields{};
    slots = AttachmentSlots{};
    if (!document.IsOpen()) return EditLoadOutcome::NoTest;
    if (!node) return EditLoadOutcome::NoNode;
    ByteStream& stream = node->inJournal ? *document.journalFile : *document.testFile;
    switch (LoadQuestion(stream, node->position, fields, slots)) {
    case LoadOutcome::Loaded: return EditLoadOutcome::Loaded;
    case LoadOutcome::NoMemory: return EditLoadOutcome::NoMemory;
    case LoadOutcome::FileError: break;
    }
    return EditLoadOutcome::FileError;
}

namespace {

// Accept into journal, the record made in written; a new question's node
// takes newKey, an edited one keeps its key (newKey -1).
AcceptResult AcceptInto(ByteStream* journal, QuestionNode* node, int32_t newKey, const QuestionFields& fields,
                        const AttachmentSlots& slots, std::string& keyword, QuestionRecord& written) {
    AcceptResult accept;
    accept.missing = FirstMissingField(fields);
    if (accept.missing != MissingField::None) return accept;
    if (!node) {
        accept.noNode = true;
        return accept;
    }
    StoreResult stored = StoreQuestion(journal, fields, slots, node->misses, written);
    accept.store = stored.outcome;
    if (stored.outcome != StoreOutcome::Stored) return accept;
    node->position = stored.position;
    node->inJournal = true;
    if (newKey >= 0) node->key = newKey;
    // The record's keyword is the stored one; it is not needed any more.
    keyword.swap(written.keyword);
    accept.result = StoredQuestionResult(fields);
    return accept;
}

}  // namespace

AcceptResult AcceptQuestion(TestDocument& document, QuestionNode* node, EditorMode mode, const QuestionFields& fields,
                            const AttachmentSlots& slots, std::string& keyword) {
    const int32_t newKey = mode == EditorMode::Define ? document.nextKey : -1;
    QuestionRecord written;
    return AcceptInto(document.journalFile.get(), node, newKey, fields, slots, keyword, written);
}

AcceptResult AcceptNewQuestion(ByteStream& journal, int32_t key, QuestionNode* node, const QuestionFields& fields,
                               const AttachmentSlots& slots, std::string& keyword, QuestionRecord& written) {
    return AcceptInto(&journal, node, key, fields, slots, keyword, written);
}

}  // namespace qb
