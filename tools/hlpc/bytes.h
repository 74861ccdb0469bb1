// Little-endian byte building for the help file's binary structures.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace qb::help {

// The help file and all its parts are plain byte strings.
using Bytes = std::string;

inline void PutU8(Bytes& out, uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
}

inline void PutU16(Bytes& out, uint32_t value) {
    PutU8(out, value);
    PutU8(out, value >> 8);
}

inline void PutU32(Bytes& out, uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

inline void PutI16(Bytes& out, int32_t value) {
    PutU16(out, static_cast<uint32_t>(value) & 0xFFFF);
}
inline void PutI32(Bytes& out, int32_t value) {
    PutU32(out, static_cast<uint32_t>(value));
}

// A string with its terminating NUL.
inline void PutStringZ(Bytes& out, const std::string& text) {
    out += text;
    out.push_back('\0');
}

inline void SetU16At(Bytes& out, size_t at, uint32_t value) {
    out[at] = static_cast<char>(value & 0xFF);
    out[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

inline void SetU32At(Bytes& out, size_t at, uint32_t value) {
    SetU16At(out, at, value & 0xFFFF);
    SetU16At(out, at + 2, value >> 16);
}

// Compressed integers of paragraph records: the low bit of the first byte
// selects the short or the long form.
void PutCompressedUShort(Bytes& out, uint32_t value);
void PutCompressedShort(Bytes& out, int32_t value);
void PutCompressedLong(Bytes& out, int32_t value);

}  // namespace qb::help
