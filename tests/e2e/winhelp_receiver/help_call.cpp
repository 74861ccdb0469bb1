#include "tests/e2e/winhelp_receiver/help_call.h"

#include <cstdio>

namespace qbtest {

namespace {

constexpr size_t kHeaderSize = 16;

uint32_t Word(const unsigned char* b, size_t at) {
    return b[at] | (b[at + 1] << 8);
}

// A NUL-terminated string at offset, which must lie inside the block.
bool StringAt(const unsigned char* b, size_t size, size_t offset, std::string& out) {
    out.clear();
    if (offset == 0) return true;
    if (offset < kHeaderSize || offset >= size) return false;
    for (size_t i = offset; i < size; ++i) {
        if (b[i] == 0) return true;
        out.push_back(static_cast<char>(b[i]));
    }
    return false;
}

}  // namespace

bool DecodeHelpCall(const void* block, size_t size, HelpCall& call) {
    const auto* b = static_cast<const unsigned char*>(block);
    if (!b || size < kHeaderSize) return false;
    const size_t declared = Word(b, 0);
    if (declared < kHeaderSize || declared > size) return false;
    call.command = static_cast<uint16_t>(Word(b, 2));
    call.data = static_cast<int32_t>(Word(b, 4) | (Word(b, 6) << 16));
    return StringAt(b, declared, Word(b, 12), call.file) && StringAt(b, declared, Word(b, 14), call.key);
}

std::string HelpCallLine(const HelpCall& call) {
    char head[32];
    std::snprintf(head, sizeof head, "command=0x%04X", call.command);
    return std::string(head) + " file=" + call.file + " key=" + call.key;
}

}  // namespace qbtest
