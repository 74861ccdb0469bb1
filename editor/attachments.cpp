#include "editor/attachments.h"

namespace qb {

namespace {

void AddFilterEntry(std::string& filter, const char* description, const char* pattern) {
    filter += description;
    filter += '\0';
    filter += pattern;
    filter += '\0';
}

}  // namespace

FileKind KindOfSlot(int slot) {
    return (slot == kQuestionPicture || slot == kAnswerPicture) ? FileKind::Picture : FileKind::Text;
}

std::array<bool, kAttachmentSlotCount> TicksFromSlots(const AttachmentSlots& slots) {
    std::array<bool, kAttachmentSlotCount> ticks{};
    for (int slot = 0; slot < kAttachmentSlotCount; ++slot) ticks[slot] = !slots[slot].empty();
    return ticks;
}

bool OnBoxChanged(AttachmentSlots& slots, int slot, bool nowTicked) {
    if (slot < 0 || slot >= kAttachmentSlotCount) return false;
    if (!nowTicked) {
        slots[slot].clear();
        return false;
    }
    return true;
}

bool TakeChosenFile(AttachmentSlots& slots, int slot, const std::string& path) {
    if (slot < 0 || slot >= kAttachmentSlotCount) return false;
    if (path.empty() || path.size() > kMaxPathLength) return false;
    slots[slot] = path;
    return true;
}

OpenFileSetting TextFileSetting() {
    OpenFileSetting setting;
    AddFilterEntry(setting.filter, "RichText-Files (*.rtf)", "*.rtf");
    AddFilterEntry(setting.filter, "Text-Files (*.txt)", "*.txt");
    AddFilterEntry(setting.filter, "All Files (*.*)", "*.*");
    setting.filter += '\0';
    setting.defaultExtension = "rtf";
    return setting;
}

OpenFileSetting PictureFileSetting(EditorMode mode) {
    OpenFileSetting setting;
    AddFilterEntry(setting.filter, "Bitmap-Files (*.bmp)", "*.bmp");
    AddFilterEntry(setting.filter, mode == EditorMode::Edit ? "Alle Files (*.*)" : "All Files (*.*)", "*.*");
    setting.filter += '\0';
    setting.defaultExtension = "bmp";
    return setting;
}

}  // namespace qb
