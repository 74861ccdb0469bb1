// The rectangle and font texts of the settings on arbitrary bytes, as anyone
// can type them into the registry. Whatever a parser accepts must format to
// a text that parses back to the same values; a refused font text changes
// nothing; a formatted rectangle always keeps its fixed 23 characters.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "settings/settings_text.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

bool SameRect(const qb::StoredRect& x, const qb::StoredRect& y) {
    return x.a == y.a && x.b == y.b && x.c == y.c && x.d == y.d;
}

bool SameFont(const qb::FontRecord& x, const qb::FontRecord& y) {
    return x.height == y.height && x.width == y.width && x.escapement == y.escapement &&
           x.orientation == y.orientation && x.weight == y.weight && x.italic == y.italic &&
           x.underline == y.underline && x.strikeOut == y.strikeOut && x.charSet == y.charSet &&
           x.outPrecision == y.outPrecision && x.clipPrecision == y.clipPrecision && x.quality == y.quality &&
           x.pitchAndFamily == y.pitchAndFamily && x.faceName == y.faceName;
}

int32_t Clamped(int32_t value) {
    return std::min(std::max(value, int32_t{-9999}), int32_t{99999});
}

void CheckRect(const std::string& text) {
    const qb::StoredRect parsed = qb::ParseRect(text);
    const std::string formatted = qb::FormatRect(parsed);
    QB_FUZZ_CHECK(formatted.size() == qb::kRectTextLength);
    const qb::StoredRect again = qb::ParseRect(formatted);
    qb::StoredRect clamped{Clamped(parsed.a), Clamped(parsed.b), Clamped(parsed.c), Clamped(parsed.d)};
    QB_FUZZ_CHECK(SameRect(again, clamped));
    // Only the first 23 characters count.
    QB_FUZZ_CHECK(SameRect(qb::ParseRect(text + "1234"), parsed) || text.size() < qb::kRectTextLength);
}

void CheckFont(const std::string& text) {
    qb::FontRecord font;
    font.height = -13;
    font.weight = 400;
    font.faceName = "Kept";
    const qb::FontRecord original = font;
    const bool accepted = qb::ParseFont(text, font);
    QB_FUZZ_CHECK(accepted == (std::count(text.begin(), text.end(), ',') >= qb::kFontNumberFields));
    if (!accepted) {
        QB_FUZZ_CHECK(SameFont(font, original));
        return;
    }
    QB_FUZZ_CHECK(font.faceName.size() <= qb::kFaceNameMax);
    qb::FontRecord again;
    QB_FUZZ_CHECK(qb::ParseFont(qb::FormatFont(font), again));
    QB_FUZZ_CHECK(SameFont(again, font));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckRect(text);
    CheckFont(text);
    // Any stored rectangle, even one far off the screen, reads back clamped.
    FuzzedDataProvider input(data, size);
    const qb::StoredRect rect{input.ConsumeIntegral<int32_t>(), input.ConsumeIntegral<int32_t>(),
                              input.ConsumeIntegral<int32_t>(), input.ConsumeIntegral<int32_t>()};
    const qb::StoredRect clamped{Clamped(rect.a), Clamped(rect.b), Clamped(rect.c), Clamped(rect.d)};
    QB_FUZZ_CHECK(SameRect(qb::ParseRect(qb::FormatRect(rect)), clamped));
    return 0;
}
