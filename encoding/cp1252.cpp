#include "encoding/cp1252.h"

#include <algorithm>

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

// The accented letters of Windows-1252 by combining mark: the letters each
// mark goes on and, at the same place, the byte of the composed letter.
struct Composition {
    uint32_t mark;
    const char* letters;
    const char* composed;
};
const Composition kCompositions[] = {
    {0x0300, "AEIOUaeiou", "\xC0\xC8\xCC\xD2\xD9\xE0\xE8\xEC\xF2\xF9"},
    {0x0301, "AEIOUYaeiouy", "\xC1\xC9\xCD\xD3\xDA\xDD\xE1\xE9\xED\xF3\xFA\xFD"},
    {0x0302, "AEIOUaeiou", "\xC2\xCA\xCE\xD4\xDB\xE2\xEA\xEE\xF4\xFB"},
    {0x0303, "ANOano", "\xC3\xD1\xD5\xE3\xF1\xF5"},
    {0x0308, "AEIOUYaeiouy", "\xC4\xCB\xCF\xD6\xDC\x9F\xE4\xEB\xEF\xF6\xFC\xFF"},
    {0x030A, "Aa", "\xC5\xE5"},
    {0x030C, "SZsz", "\x8A\x8E\x9A\x9E"},
    {0x0327, "Cc", "\xC7\xE7"},
};

// The byte of letter with mark on it, or -1.
int ComposedByte(char letter, uint32_t mark) {
    for (const Composition& composition : kCompositions) {
        if (composition.mark != mark) continue;
        for (size_t i = 0; composition.letters[i] != '\0'; ++i)
            if (composition.letters[i] == letter) return static_cast<unsigned char>(composition.composed[i]);
    }
    return -1;
}

void AppendUtf8(uint32_t codePoint, std::string& out) {
    if (codePoint < 0x80) {
        out.push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
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
    return ScanUtf8(text).firstInvalid == std::string::npos;
}

Utf8Scan ScanUtf8(const std::string& text, size_t from) {
    Utf8Scan scan;
    uint32_t codePoint = 0;
    for (size_t at = from; at < text.size();) {
        // Plain ASCII runs are the common case of a table.
        if (static_cast<unsigned char>(text[at]) < 0x80) {
            ++at;
            continue;
        }
        const size_t length = DecodeUtf8(text, at, codePoint);
        if (length == 0) {
            scan.firstInvalid = at;
            return scan;
        }
        scan.multiByteSeen = true;
        at += length;
    }
    return scan;
}

std::string Utf16ToUtf8(const std::string& bytes, size_t from, bool bigEndian) {
    const auto unitAt = [&](size_t at) {
        const unsigned first = static_cast<unsigned char>(bytes[at]);
        const unsigned second = static_cast<unsigned char>(bytes[at + 1]);
        return bigEndian ? (first << 8) | second : (second << 8) | first;
    };
    std::string out;
    out.reserve(bytes.size() - std::min(from, bytes.size()));
    size_t at = from;
    for (; at + 1 < bytes.size(); at += 2) {
        uint32_t codePoint = unitAt(at);
        const bool high = codePoint >= 0xD800 && codePoint <= 0xDBFF;
        if (high && at + 3 < bytes.size()) {
            const uint32_t low = unitAt(at + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (low - 0xDC00);
                at += 2;
            }
        }
        AppendUtf8(codePoint, out);
    }
    if (at < bytes.size()) out.push_back(static_cast<char>(0xFF));
    return out;
}

bool Utf8ToCp1252(const std::string& utf8, std::string& out, size_t& errorOffset) {
    out.clear();
    out.reserve(utf8.size());
    size_t at = 0;
    while (at < utf8.size()) {
        // ASCII runs, the bulk of most texts, are taken as they are.
        const size_t plain = at;
        while (at < utf8.size() && static_cast<unsigned char>(utf8[at]) < 0x80) ++at;
        out.append(utf8, plain, at - plain);
        if (at == utf8.size()) break;
        uint32_t codePoint = 0;
        const size_t length = DecodeUtf8(utf8, at, codePoint);
        int converted = length ? Cp1252Byte(codePoint) : -1;
        if (converted < 0 && length > 0 && !out.empty()) {
            converted = ComposedByte(out.back(), codePoint);
            if (converted >= 0) out.pop_back();
        }
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
