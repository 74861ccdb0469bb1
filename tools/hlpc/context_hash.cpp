#include "tools/hlpc/context_hash.h"

namespace qb::help {

namespace {

// The small signed number each byte adds to the hash.
int32_t HashValue(unsigned char b) {
    if (b >= '1' && b <= '9') return b - 0x30;
    if (b >= 'a' && b <= 'z') return b - 0x50;
    switch (b) {
    case '0': return 10;
    case '.': return 12;
    case '_': return 13;
    case '!': return 11;
    case '[': return 11;
    case '\\': return 12;
    case ']': return 13;
    case '^': return 14;
    case 0xB4: return 11;
    default: break;
    }
    if (b < 0x60) return b - 0x30;
    if (b < 0x80) return b - 0x50;
    if (b < 0xB0) return b - 0x30;
    return b - 0x130;
}

}  // namespace

uint32_t ContextHash(const std::string& name) {
    uint32_t hash = 0;
    for (const char c : name) {
        hash = hash * 43u + static_cast<uint32_t>(HashValue(static_cast<unsigned char>(c)));
    }
    return hash;
}

bool IsValidContextName(const std::string& name) {
    if (name.empty()) return false;
    for (const char c : name) {
        const bool ok =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '_';
        if (!ok) return false;
    }
    return true;
}

}  // namespace qb::help
