// Decoding of the block a program's WinHelpA call hands to the help viewer
// window: u16 size, u16 command, i32 data, i32 reserved, u16 offset of the
// file name, u16 offset of the data string, then the strings.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace qbtest {

struct HelpCall {
    uint16_t command = 0;
    int32_t data = 0;
    std::string file;
    std::string key;  // the data string (the keyword of HELP_KEY), empty when there is none
};

// False when the block is too short or an offset points outside it.
bool DecodeHelpCall(const void* block, size_t size, HelpCall& call);

// One log line: "command=0x0101 file=<path> key=<keyword>". The data word is
// left out: for HELP_KEY it is only the caller's pointer to the keyword.
std::string HelpCallLine(const HelpCall& call);

}  // namespace qbtest
