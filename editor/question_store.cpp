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

// Reads exactly length bytes at the stream's position.
bool ReadExactly(ByteStream& stream, int64_t length, std::string& bytes) {
    if (length < 0 || static_cast<uint64_t>(length) > bytes.max_size()) throw std::bad_alloc();
    bytes.assign(static_cast<size_t>(length), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        size_t got = stream.Read(&bytes[done], bytes.size() - done);
        if (got == 0) return false;
        done += got;
    }
    return true;
}

LoadOutcome LoadSlots(ByteStream& stream, const RecordHeader& header, QuestionFields& fields,
                      AttachmentSlots& slots) {
    if (!stream.Seek(header.slotsStart)) return LoadOutcome::FileError;
    std::string bytes;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (header.lengths[slot] <= 0) continue;
        if (!ReadExactly(stream, header.lengths[slot], bytes)) return LoadOutcome::FileError;
        if (slot < kFirstFileSlot) {
            *TextFieldOfSlot(fields, slot) = DecodeLineBreaks(bytes);
        } else {
            slots[static_cast<size_t>(slot - kFirstFileSlot)] = bytes;
        }
    }
    return LoadOutcome::Loaded;
}

}  // namespace

QuestionRecord RecordFromForm(const QuestionFields& fields, const AttachmentSlots& slots) {
    QuestionRecord record;
    record.keyword = StoredKeyword(fields.keyword);
    record.slots[kSlotQuestion] = fields.question;
    record.slots[kSlotRightAnswer] = fields.rightAnswer;
    for (int i = 0; i < kWrongAnswerCount; ++i) {
        record.slots[static_cast<size_t>(kSlotWrongAnswer1 + i)] = fields.wrongAnswers[static_cast<size_t>(i)];
    }
    for (int i = 0; i < kAttachmentSlotCount; ++i) {
        record.slots[static_cast<size_t>(kFirstFileSlot + i)] = slots[static_cast<size_t>(i)];
    }
    record.status = 0;
    return record;
}

StoreResult StoreQuestion(ByteStream* journal, const QuestionFields& fields, const AttachmentSlots& slots) {
    StoreResult result;
    if (!journal) return result;
    try {
        int64_t position = WriteQuestionRecord(*journal, RecordFromForm(fields, slots));
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
    try {
        int64_t size = StreamSize(stream);
        if (size < 0) return LoadOutcome::FileError;
        RecordHeader header;
        if (!ReadRecordHeader(stream, position, size, header)) return LoadOutcome::FileError;
        fields.keyword = header.keyword;
        return LoadSlots(stream, header, fields, slots);
    } catch (const std::bad_alloc&) {
        return LoadOutcome::NoMemory;
    } catch (const std::length_error&) {
        return LoadOutcome::NoMemory;
    }
}

EditLoadOutcome LoadPendingQuestion(TestDocument& document, QuestionFields& fields, AttachmentSlots& slots) {
    fields = QuestionFields{};
    slots = AttachmentSlots{};
    if (!document.IsOpen()) return EditLoadOutcome::NoTest;
    const QuestionNode* node = document.pendingNode;
    if (!node) return EditLoadOutcome::NoNode;
    ByteStream& stream = node->inJournal ? *document.journalFile : *document.testFile;
    switch (LoadQuestion(stream, node->position, fields, slots)) {
    case LoadOutcome::Loaded: return EditLoadOutcome::Loaded;
    case LoadOutcome::NoMemory: return EditLoadOutcome::NoMemory;
    case LoadOutcome::FileError: break;
    }
    return EditLoadOutcome::FileError;
}

AcceptResult AcceptQuestion(TestDocument& document, EditorMode mode, const QuestionFields& fields,
                            const AttachmentSlots& slots, std::string& keyword) {
    AcceptResult accept;
    accept.missing = FirstMissingField(fields);
    if (accept.missing != MissingField::None) return accept;
    QuestionNode* node = document.pendingNode;
    if (!node) {
        accept.noNode = true;
        return accept;
    }
    std::string storedKeyword;
    try {
        storedKeyword = StoredKeyword(fields.keyword);
    } catch (const std::bad_alloc&) {
        accept.store = StoreOutcome::NoMemory;
        return accept;
    }
    StoreResult stored = StoreQuestion(document.journalFile.get(), fields, slots);
    accept.store = stored.outcome;
    if (stored.outcome != StoreOutcome::Stored) return accept;
    node->position = stored.position;
    node->inJournal = true;
    if (mode == EditorMode::Define) node->key = document.nextKey;
    keyword.swap(storedKeyword);
    accept.result = StoredQuestionResult(fields);
    return accept;
}

}  // namespace qb
