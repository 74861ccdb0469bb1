// Test files and the help file store their text as Windows-1252; sources and
// spreadsheet tables come as UTF-8.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace qb {

// Decodes one UTF-8 sequence at text[at]: its length, or 0 when it is
// malformed (cut short, overlong, a surrogate or beyond U+10FFFF).
size_t DecodeUtf8(const std::string& text, size_t at, uint32_t& codePoint);

bool IsValidUtf8(const std::string& text);

// What one pass over bytes tells about UTF-8: where the first byte lies that
// is not part of a valid sequence (npos when there is none), and whether any
// valid sequence of more than one byte was seen before it.
struct Utf8Scan {
    size_t firstInvalid = std::string::npos;
    bool multiByteSeen = false;
};
Utf8Scan ScanUtf8(const std::string& text, size_t from = 0);

// UTF-16 bytes (no byte order mark) as UTF-8. A surrogate without its pair
// keeps its three-byte form and a last odd byte becomes 0xFF, so that both
// stay invalid UTF-8 for whoever converts the text on.
std::string Utf16ToUtf8(const std::string& bytes, size_t from, bool bigEndian);

// Converts UTF-8 text to Windows-1252. Returns false, with the byte offset of
// the offending sequence in errorOffset, for malformed UTF-8 or a character
// that Windows-1252 cannot hold. A combining accent behind a letter becomes
// the accented letter where Windows-1252 has it ("e" + U+0301 is "\xE9").
// The five bytes Windows-1252 leaves unassigned pair with the control
// characters of the same number, as on Windows.
bool Utf8ToCp1252(const std::string& utf8, std::string& out, size_t& errorOffset);

// Converts Windows-1252 text to UTF-8; every byte has a character.
std::string Cp1252ToUtf8(const std::string& cp1252);

}  // namespace qb
