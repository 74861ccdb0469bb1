// The list file "TEST.LST" of a distribution directory: line k names the file
// that the directory holds as "T" and k in seven digits. Creator writes it
// and Install reads it by these rules.
#pragma once
#include <string>

#include "base/byte_stream.h"
#include "base/path_limits.h"

namespace qb {

constexpr const char* kListFileName = "TEST.LST";
// A line may carry a name of at most kMaxPathLength characters; the line break is not counted.

// "T0000001" for 1.
std::string NumberedFileName(int number);

// True when the name can only name a file directly inside the destination:
// not empty nor over-long, no drive, no directory part, no control characters,
// not a device name (CON, NUL, COM1, ...) and not dots and blanks alone. Dots
// inside a name ("Fig..bmp") are harmless: without a separator they cannot climb.
bool IsSafeListName(const std::string& name);

struct ListEntry {
    std::string name;      // the line without its line break
    bool tooLong = false;  // the line held more than kMaxPathLength characters
};

// Writes name as the next line: a line feed inside the name is written as
// CR LF, as a text-mode stream would, and the line ends with CR LF.
bool WriteListEntry(ByteStream& stream, const std::string& name);

// Reads the next line as one entry, however long it is, so that line k always
// belongs to file k. False at the end of the file.
bool ReadListEntry(ByteStream& stream, ListEntry& entry);

// True when the entry may be copied into the destination directory.
bool IsCopyableEntry(const ListEntry& entry);

}  // namespace qb
