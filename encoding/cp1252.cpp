#include "encoding/cp1252.h"

namespace qb {

namespace {

// Code points of bytes 0x80 to 0x9F; 0 marks the five unassigned bytes,
// which stand for the control character of their own number.
const uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

uint32_t CodePointOf(unsigned char byte) {
    if (byte < 0x80 || byte >= 0xA0) return byte;
    const uint16_t mapped = kHighControls[byte - 0x80];
    return mapped != 0 ? mapped : byte;
}

// The Windows-1252 byte of a code point, or -1 when there is none.
int Cp1252Byte(uint32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) return static_cast<int>(codePoint);
    for (int i = 0; i < 32; ++i) {
        if (CodePointOf(static_cast<unsigned char>(0x80 + i)) == codePoint) return 0x80 + i;
    }
    return -1;
}

void AppendUtf8(uint32_t codePoint, std::string& out) {
    if (codePoint < 0x80) {
        out.push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}

}  // namespace

size_t DecodeUtf8(const std::string& text, size_t at, uint32_t& codePoint) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    size_t length;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        codePoint = (codePoint << 6) | (byte(at + i) & 0x3F);
    }
    const uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < smallest[length] || codePoint > 0x10FFFF) return 0;
    if (codePoint >= 0xD800 && codePoint <= 0xDFFF) return 0;
    return length;
}

bool IsValidUtf8(const std::string& text) {
    uint32_t codePoint = 0;
    for (size_t at = 0; at < text.size();) {
        // Plain ASCII runs are the common case of a table.
        if (static_cast<unsigned char>(text[at]) < 0x80) {
            ++at;
            continue;
        }
        const size_t length = DecodeUtf8(text, at, codePoint);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

bool Utf8ToCp1252(const std::string& utf8, std::string& out, size_t& errorOffset) {
    out.clear();
    out.reserve(utf8.size());
    size_t at = 0;
    while (at < utf8.size()) {
        uint32_t codePoint = 0;
        const size_t length = DecodeUtf8(utf8, at, codePoint);
        const int converted = length ? Cp1252Byte(codePoint) : -1;
        if (converted < 0) {
            errorOffset = at;
            return false;
        }
        out.push_back(static_cast<char>(converted));
        at += length;
    }
    return true;
}

std::string Cp1252ToUtf8(const std::string& cp1252) {
    std::string out;
    out.reserve(cp1252.size());
    for (char c : cp1252) AppendUtf8(CodePointOf(static_cast<unsigned char>(c)), out);
    return out;
}

}  // namespace qb
