// The four attachment slots of the question being edited and the rules of the
// attach dialog that works on them: which box shows which slot, which file
// dialog setting a slot uses, and what a click on a box does to its slot.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "base/path_limits.h"
#include "editor/question_form.h"

namespace qb {

// Slot order is the record's order of file names.
enum AttachmentSlot { kQuestionText = 0, kQuestionPicture = 1, kAnswerText = 2, kAnswerPicture = 3 };
constexpr int kAttachmentSlotCount = 4;

// An empty text means no file. A slot holds a full path as chosen, or a name
// as loaded from a record, which may begin with "*".
using AttachmentSlots = std::array<std::string, kAttachmentSlotCount>;

enum class FileKind { Text, Picture };

FileKind KindOfSlot(int slot);

// One box per slot, ticked exactly when the slot holds a name.
std::array<bool, kAttachmentSlotCount> TicksFromSlots(const AttachmentSlots& slots);

// A box has just changed its own tick. A cleared box empties its slot at once;
// a ticked one asks for a file: returns true when the open-file dialog must run.
bool OnBoxChanged(AttachmentSlots& slots, int slot, bool nowTicked);

// A file the open-file dialog returned for a slot: kept as it came, the full
// path. False (slot unchanged) when it does not fit the slot.
bool TakeChosenFile(AttachmentSlots& slots, int slot, const std::string& path);

// Settings of the open-file dialog for one kind of file. The filter holds
// pairs of description and pattern, each ended by a zero byte, and one more
// zero byte at the end, as the system's file dialog reads them.
struct OpenFileSetting {
    std::string filter;
    std::string defaultExtension;
    uint32_t filterIndex = 1;  // the entry the user last picked, from 1
};

OpenFileSetting TextFileSetting();
// The picture filter's second entry reads "Alle Files (*.*)" in edit mode.
OpenFileSetting PictureFileSetting(EditorMode mode);

}  // namespace qb
