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

// Converts UTF-8 text to Windows-1252. Returns false, with the byte offset of
// the offending sequence in errorOffset, for malformed UTF-8 or a character
// that Windows-1252 cannot hold. The five bytes Windows-1252 leaves unassigned
// pair with the control characters of the same number, as on Windows.
bool Utf8ToCp1252(const std::string& utf8, std::string& out, size_t& errorOffset);

// Converts Windows-1252 text to UTF-8; every byte has a character.
std::string Cp1252ToUtf8(const std::string& cp1252);

}  // namespace qb
