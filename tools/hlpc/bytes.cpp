#include "tools/hlpc/bytes.h"

#include <stdexcept>

namespace qb::help {

void PutCompressedUShort(Bytes& out, uint32_t value) {
    if (value < 0x80) {
        PutU8(out, value * 2);
    } else if (value < 0x8000) {
        PutU16(out, value * 2 + 1);
    } else {
        throw std::length_error("value too large for a compressed unsigned short");
    }
}

void PutCompressedShort(Bytes& out, int32_t value) {
    if (value >= -64 && value < 64) {
        PutU8(out, static_cast<uint32_t>(value + 64) * 2);
    } else if (value >= -16384 && value < 16384) {
        PutU16(out, static_cast<uint32_t>(value + 16384) * 2 + 1);
    } else {
        throw std::length_error("value out of range for a compressed signed short");
    }
}

void PutCompressedLong(Bytes& out, int32_t value) {
    if (value >= -16384 && value < 16384) {
        PutU16(out, static_cast<uint32_t>(value + 16384) * 2);
    } else if (value >= -0x40000000 && value < 0x40000000) {
        PutU32(out, static_cast<uint32_t>(value + 0x40000000) * 2 + 1);
    } else {
        throw std::length_error("value out of range for a compressed signed long");
    }
}

}  // namespace qb::help
