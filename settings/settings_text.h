// Text forms of the per-user settings: window rectangles and the question font.
// Portable: no windows.h, so the formats are tested natively.
#pragma once
#include <cstdint>
#include <string>

namespace qb {

// A menu choice that is on or off, stored as "1" or "0"; anything but "1" is off.
std::string ChoiceText(bool on);
bool IsChoiceOn(const std::string& text);

// Four coordinates as stored. The main window keeps two corners
// (left, top, right, bottom); the panes keep corner and size
// (left, top, width, height). The text form does not care which.
struct StoredRect {
    int32_t a = 0;
    int32_t b = 0;
    int32_t c = 0;
    int32_t d = 0;
};

// Length of a rectangle text: four five-character fields and three commas.
constexpr size_t kRectTextLength = 23;
// The smallest and largest coordinates that print in five characters.
constexpr int32_t kRectFieldMin = -9999;
constexpr int32_t kRectFieldMax = 99999;

// "%05d,%05d,%05d,%05d". Coordinates beyond the five-character range are
// clamped to it, so the text always keeps its fixed positions and reads back.
std::string FormatRect(const StoredRect& rect);

// Reads the four fields at offsets 0, 6, 12 and 18 of the first 23 characters,
// each like atoi. A missing field reads as 0.
StoredRect ParseRect(const std::string& text);

// The logical-font record of the question font in its stored order.
struct FontRecord {
    int32_t height = 0;
    int32_t width = 0;
    int32_t escapement = 0;
    int32_t orientation = 0;
    int32_t weight = 0;
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t strikeOut = 0;
    uint8_t charSet = 0;
    uint8_t outPrecision = 0;
    uint8_t clipPrecision = 0;
    uint8_t quality = 0;
    uint8_t pitchAndFamily = 0;
    std::string faceName;  // at most kFaceNameMax characters
};

constexpr size_t kFaceNameMax = 31;
constexpr int kFontNumberFields = 13;

// "%ld,%ld,%ld,%ld,%ld,%d,%d,%d,%d,%d,%d,%d,%d,%s".
std::string FormatFont(const FontRecord& font);

// Replaces the fields of font by those of text when text holds at least 13
// commas: the first 13 separate the numbers, the face name is the whole rest
// (cut to 31 characters). Returns false and leaves font untouched otherwise.
bool ParseFont(const std::string& text, FontRecord& font);

}  // namespace qb
