#include "distribution/list_file.h"

#include <cctype>
#include <cstdio>

namespace qb {

std::string NumberedFileName(int number) {
    char name[16];
    std::snprintf(name, sizeof name, "T%07d", number);
    return name;
}

namespace {

// Names Windows opens as a device in every directory, whatever the extension
// and however many blanks follow: "LPT1" or "con.txt" would send the file to
// a port or the console instead of the program directory.
bool IsDeviceName(const std::string& name) {
    std::string base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    for (char& c : base) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const char* device : {"con", "prn", "aux", "nul", "conin$", "conout$", "clock$"})
        if (base == device) return true;
    if (base.size() != 4 || (base.compare(0, 3, "com") != 0 && base.compare(0, 3, "lpt") != 0)) return false;
    // Port numbers: a digit, or superscript one, two or three in the ANSI code page.
    const unsigned char number = static_cast<unsigned char>(base[3]);
    return (number >= '0' && number <= '9') || number == 0xB9 || number == 0xB2 || number == 0xB3;
}

}  // namespace

bool IsSafeListName(const std::string& name) {
    if (name.empty() || name.size() > kMaxPathLength) return false;
    // Dots and blanks alone name the directory itself once Windows drops them.
    if (name.find_first_not_of(". ") == std::string::npos) return false;
    if (IsDeviceName(name)) return false;
    if (name.find_first_of("\\/:") != std::string::npos) return false;
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
    while (ReadLine(stream, kMaxPathLength + 1, piece)) {
        readAny = true;
        bool lineEnded = piece.back() == '\n';
        DropLineFeed(piece);
        if (entry.name.size() + piece.size() > kMaxPathLength) {
            entry.tooLong = true;
        } else {
            entry.name += piece;
        }
        if (lineEnded) break;
    }
    return readAny;
}

bool WriteListEntry(ByteStream& stream, const std::string& name) {
    std::string line;
    line.reserve(name.size() + 2);
    for (char c : name) {
        if (c == '\n') line.push_back('\r');
        line.push_back(c);
    }
    return stream.WriteLine(line);
}

bool IsCopyableEntry(const ListEntry& entry) {
    return !entry.tooLong && IsSafeListName(entry.name);
}

}  // namespace qb
