#include "install/list_file.h"

#include <cstdio>

namespace qb {

std::string NumberedFileName(int number) {
    char name[16];
    std::snprintf(name, sizeof name, "T%07d", number);
    return name;
}

bool IsSafeListName(const std::string& name) {
    if (name.empty()) return false;
    if (name.find_first_of("\\/:") != std::string::npos) return false;
    if (name.find("..") != std::string::npos) return false;
    // Control characters (a NUL among them) cannot be part of a file name.
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20) return false;
    }
    return true;
}

bool ReadListEntry(ByteStream& stream, ListEntry& entry) {
    entry.name.clear();
    entry.tooLong = false;
    std::string piece;
    bool readAny = false;
    while (ReadLine(stream, kMaxListNameLength + 1, piece)) {
        readAny = true;
        bool lineEnded = piece.back() == '\n';
        DropLineFeed(piece);
        if (entry.name.size() + piece.size() > kMaxListNameLength) {
            entry.tooLong = true;
        } else {
            entry.name += piece;
        }
        if (lineEnded) break;
    }
    return readAny;
}

bool IsCopyableEntry(const ListEntry& entry) {
    return !entry.tooLong && IsSafeListName(entry.name);
}

}  // namespace qb
