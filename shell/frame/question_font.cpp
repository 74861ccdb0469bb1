#include "shell/frame/question_font.h"

#include <commdlg.h>

#include <cstring>
#include <utility>

#include "base/product_names.h"
#include "settings/settings_registry.h"

namespace qb {

LOGFONTA ToLogFont(const FontRecord& record) {
    LOGFONTA font = {};
    font.lfHeight = record.height;
    font.lfWidth = record.width;
    font.lfEscapement = record.escapement;
    font.lfOrientation = record.orientation;
    font.lfWeight = record.weight;
    font.lfItalic = record.italic;
    font.lfUnderline = record.underline;
    font.lfStrikeOut = record.strikeOut;
    font.lfCharSet = record.charSet;
    font.lfOutPrecision = record.outPrecision;
    font.lfClipPrecision = record.clipPrecision;
    font.lfQuality = record.quality;
    font.lfPitchAndFamily = record.pitchAndFamily;
    lstrcpynA(font.lfFaceName, record.faceName.c_str(), LF_FACESIZE);
    return font;
}

FontRecord ToFontRecord(const LOGFONTA& font) {
    FontRecord record;
    record.height = font.lfHeight;
    record.width = font.lfWidth;
    record.escapement = font.lfEscapement;
    record.orientation = font.lfOrientation;
    record.weight = font.lfWeight;
    record.italic = font.lfItalic;
    record.underline = font.lfUnderline;
    record.strikeOut = font.lfStrikeOut;
    record.charSet = font.lfCharSet;
    record.outPrecision = font.lfOutPrecision;
    record.clipPrecision = font.lfClipPrecision;
    record.quality = font.lfQuality;
    record.pitchAndFamily = font.lfPitchAndFamily;
    record.faceName.assign(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE));
    return record;
}

void QuestionFont::Create(HWND owner) {
    LOGFONTA systemFont = {};
    GetObjectA(GetStockObject(SYSTEM_FONT), sizeof systemFont, &systemFont);
    FontRecord record = ToFontRecord(systemFont);
    std::string text = FormatFont(record);
    ReadOrInitUserValue(kValueFont, text);
    ParseFont(text, record);
    logFont_ = ToLogFont(record);
    font_.reset(CreateFontIndirectA(&logFont_));
    dialog_.lStructSize = sizeof dialog_;
    dialog_.hwndOwner = owner;
    dialog_.lpLogFont = &logFont_;
    dialog_.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
}

bool QuestionFont::Choose() {
    // The dialog works on a copy so a cancel changes nothing.
    LOGFONTA chosen = logFont_;
    CHOOSEFONTA dialog = dialog_;
    dialog.lpLogFont = &chosen;
    if (!ChooseFontA(&dialog)) return false;
    ScopedGdiObject font(CreateFontIndirectA(&chosen));
    if (!font) return false;
    logFont_ = chosen;
    WriteUserValue(kValueFont, FormatFont(ToFontRecord(chosen)));
    font_ = std::move(font);
    return true;
}

}  // namespace qb
