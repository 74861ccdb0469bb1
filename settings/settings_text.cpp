#include "settings/settings_text.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "base/decimal.h"

namespace qb {

std::string ChoiceText(bool on) {
    return on ? "1" : "0";
}

bool IsChoiceOn(const std::string& text) {
    return text == "1";
}

namespace {

constexpr size_t kRectFieldOffsets[4] = {0, 6, 12, 18};
constexpr size_t kRectFieldWidth = 5;

int32_t ClampToField(int32_t value) {
    return std::min(std::max(value, kRectFieldMin), kRectFieldMax);
}

int32_t ToInt32(long long value) {
    return static_cast<int32_t>(std::min<long long>(std::max<long long>(value, INT32_MIN), INT32_MAX));
}

int32_t ParseField(const std::string& text, size_t offset, size_t width) {
    if (offset >= text.size()) return 0;
    return ToInt32(ParseDecimal(text.substr(offset, width)));
}

}  // namespace

std::string FormatRect(const StoredRect& rect) {
    char text[64];
    std::snprintf(text, sizeof text, "%05d,%05d,%05d,%05d", static_cast<int>(ClampToField(rect.a)),
                  static_cast<int>(ClampToField(rect.b)), static_cast<int>(ClampToField(rect.c)),
                  static_cast<int>(ClampToField(rect.d)));
    return text;
}

StoredRect ParseRect(const std::string& text) {
    const std::string head = text.substr(0, kRectTextLength);
    StoredRect rect;
    rect.a = ParseField(head, kRectFieldOffsets[0], kRectFieldWidth);
    rect.b = ParseField(head, kRectFieldOffsets[1], kRectFieldWidth);
    rect.c = ParseField(head, kRectFieldOffsets[2], kRectFieldWidth);
    rect.d = ParseField(head, kRectFieldOffsets[3], kRectFieldWidth);
    return rect;
}

std::string FormatFont(const FontRecord& font) {
    char numbers[160];
    std::snprintf(numbers, sizeof numbers, "%ld,%ld,%ld,%ld,%ld,%d,%d,%d,%d,%d,%d,%d,%d,",
                  static_cast<long>(font.height), static_cast<long>(font.width), static_cast<long>(font.escapement),
                  static_cast<long>(font.orientation), static_cast<long>(font.weight), font.italic, font.underline,
                  font.strikeOut, font.charSet, font.outPrecision, font.clipPrecision, font.quality,
                  font.pitchAndFamily);
    return numbers + font.faceName.substr(0, kFaceNameMax);
}

bool ParseFont(const std::string& text, FontRecord& font) {
    long long fields[kFontNumberFields];
    size_t start = 0;
    for (int i = 0; i < kFontNumberFields; ++i) {
        size_t comma = text.find(',', start);
        if (comma == std::string::npos) return false;
        fields[i] = ParseDecimal(text.substr(start, comma - start));
        start = comma + 1;
    }
    font.height = ToInt32(fields[0]);
    font.width = ToInt32(fields[1]);
    font.escapement = ToInt32(fields[2]);
    font.orientation = ToInt32(fields[3]);
    font.weight = ToInt32(fields[4]);
    uint8_t* bytes[8] = {&font.italic,       &font.underline,     &font.strikeOut, &font.charSet,
                         &font.outPrecision, &font.clipPrecision, &font.quality,   &font.pitchAndFamily};
    for (int i = 0; i < 8; ++i) *bytes[i] = static_cast<uint8_t>(fields[5 + i]);
    font.faceName = text.substr(start, kFaceNameMax);
    return true;
}

}  // namespace qb
