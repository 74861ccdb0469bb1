// The help file stores its text as Windows-1252; the source text is UTF-8.
#pragma once
#include <cstddef>
#include <string>

namespace qb::help {

// Converts UTF-8 text to Windows-1252. Returns false, with the byte offset of
// the offending sequence in errorOffset, for malformed UTF-8 or a character
// that Windows-1252 cannot hold.
bool Utf8ToCp1252(const std::string& utf8, std::string& out, size_t& errorOffset);

}  // namespace qb::help
