#include "webpage/rtf_html.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "encoding/cp1252.h"

namespace qb {
namespace {

// Deeper groups are skipped whole: no writer nests this deep, and the state
// kept per group stays bounded.
constexpr size_t kMaxGroupDepth = 200;
// RTF limits control words to 32 letters and parameters to a signed 16 or
// 32-bit number; longer ones are read whole but cut to these.
constexpr size_t kMaxWordLength = 32;
constexpr int kMaxParameterDigits = 10;
constexpr int kMaxUnicodeSkip = 8;
constexpr int kSmallestHalfPoints = 2;
constexpr int kLargestHalfPoints = 288;  // 144 pt
constexpr uint32_t kReplacementCharacter = 0xFFFD;
constexpr int kDefaultCodePage = 1252;

struct Colour {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool automatic = true;  // the entry before the first ";" and empty entries
};

struct CharacterFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 0;  // 0: the page's size
    int colour = 0;      // index into the colour table; unknown ones are taken as 0

    bool operator==(const CharacterFormat& other) const {
        return bold == other.bold && italic == other.italic && underline == other.underline &&
               halfPoints == other.halfPoints && colour == other.colour;
    }
    bool operator!=(const CharacterFormat& other) const { return !(*this == other); }
};

enum class Destination { Text, Skipped, ColourTable };

struct GroupState {
    CharacterFormat format;
    Destination destination = Destination::Text;
    int unicodeSkip = 1;  // \ucN: characters of fallback behind each \uN
};

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

void AppendUtf8(std::string& out, uint32_t code) {
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = kReplacementCharacter;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Destinations whose content is never shown on the page.
bool IsSkippedDestination(const std::string& word) {
    static const char* const kSkipped[] = {
        "fonttbl",
        "stylesheet",
        "info",
        "pict",
        "header",
        "headerl",
        "headerr",
        "headerf",
        "footer",
        "footerl",
        "footerr",
        "footerf",
        "fldinst",
        "xe",
        "tc",
        "pn",
        "filetbl",
        "revtbl",
        "objdata",
        "objclass",
        "listtable",
        "listoverridetable",
        "footnote",
        "annotation",
        "atnid",
        "atnauthor",
        "nonshppict",
        "themedata",
        "colorschememapping",
        "datastore",
        "latentstyles",
        "rsidtbl",
        "generator",
        "private",
        "userprops",
        "docvar",
    };
    return std::any_of(std::begin(kSkipped), std::end(kSkipped), [&](const char* name) { return word == name; });
}

// Control words that stand for one character.
uint32_t CharacterWord(const std::string& word) {
    static const struct {
        const char* word;
        uint32_t code;
    } kCharacters[] = {
        {"emdash", 0x2014}, {"endash", 0x2013}, {"emspace", 0x2003}, {"enspace", 0x2002},   {"qmspace", 0x2005},
        {"bullet", 0x2022}, {"lquote", 0x2018}, {"rquote", 0x2019},  {"ldblquote", 0x201C}, {"rdblquote", 0x201D},
        {"tab", '\t'},      {"cell", '\t'},     {"nestcell", '\t'},
    };
    for (const auto& character : kCharacters)
        if (word == character.word) return character.code;
    return 0;
}

class RtfConverter {
public:
    explicit RtfConverter(const std::string& rtf) : in_(rtf) { colours_.emplace_back(); }

    std::string Convert() {
        while (at_ < in_.size()) Step();
        EndDocument();
        return std::move(html_);
    }

private:
    GroupState& State() { return groups_.back(); }
    bool Showing() { return !groups_.empty() && State().destination == Destination::Text && skippedDepth_ == 0; }

    void Step() {
        const char c = in_[at_++];
        if (skippedDepth_ > 0) {
            SkipDeepGroup(c);
            return;
        }
        if (c == '{') return OpenGroup();
        if (c == '}') return CloseGroup();
        if (c == '\\') return ControlSequence();
        if (c == '\r' || c == '\n') return;
        Character(static_cast<unsigned char>(c));
    }

    // Only braces and escaped braces matter until the deep group ends.
    void SkipDeepGroup(char c) {
        if (c == '\\' && at_ < in_.size()) {
            ++at_;
        } else if (c == '{') {
            ++skippedDepth_;
        } else if (c == '}') {
            --skippedDepth_;
        }
    }

    void OpenGroup() {
        pendingUnicodeSkip_ = 0;
        if (groups_.size() >= kMaxGroupDepth) {
            skippedDepth_ = 1;
            return;
        }
        groups_.push_back(groups_.empty() ? GroupState() : State());
        optionalNext_ = false;
    }

    void CloseGroup() {
        pendingUnicodeSkip_ = 0;
        if (groups_.empty()) return;
        if (State().destination == Destination::ColourTable && colourEntryOpen_) EndColourEntry();
        groups_.pop_back();
        // Text behind the document's own closing brace is not part of it.
        if (groups_.empty()) finished_ = true;
    }

    void ControlSequence() {
        if (at_ >= in_.size()) return;
        const char c = in_[at_];
        if (!IsLetter(c)) {
            ++at_;
            return ControlSymbol(c);
        }
        std::string word;
        while (at_ < in_.size() && IsLetter(in_[at_])) {
            if (word.size() < kMaxWordLength) word += in_[at_];
            ++at_;
        }
        bool hasParameter = false;
        long parameter = ReadParameter(hasParameter);
        if (at_ < in_.size() && in_[at_] == ' ') ++at_;
        if (word == "bin") return SkipBinary(hasParameter ? parameter : 0);
        if (pendingUnicodeSkip_ > 0) {
            --pendingUnicodeSkip_;
            return;
        }
        ControlWord(word, hasParameter, parameter);
    }

    // An optional minus and digits; values are clamped to 32 bits.
    long ReadParameter(bool& hasParameter) {
        bool negative = false;
        if (at_ + 1 < in_.size() && in_[at_] == '-' && IsDigit(in_[at_ + 1])) {
            negative = true;
            ++at_;
        }
        int64_t value = 0;
        int digits = 0;
        while (at_ < in_.size() && IsDigit(in_[at_])) {
            if (digits++ < kMaxParameterDigits) value = value * 10 + (in_[at_] - '0');
            ++at_;
        }
        hasParameter = digits > 0;
        value = std::min<int64_t>(value, INT32_MAX);
        return static_cast<long>(negative ? -value : value);
    }

    void SkipBinary(long count) {
        const size_t left = in_.size() - at_;
        at_ += count > 0 ? std::min(static_cast<size_t>(count), left) : 0;
    }

    void ControlSymbol(char c) {
        if (c == '\'') return HexCharacter();
        if (pendingUnicodeSkip_ > 0) {
            --pendingUnicodeSkip_;
            return;
        }
        switch (c) {
        case '*': optionalNext_ = true; return;
        case '~': return Emit(0x00A0);
        case '_': return Emit(0x2011);
        case '\\':
        case '{':
        case '}': return Emit(static_cast<unsigned char>(c));
        case '\r':
        case '\n': return EndParagraph();
        default: return;  // \- optional hyphen, \: index entries and the like
        }
    }

    void HexCharacter() {
        int value = -1;
        if (at_ + 1 < in_.size()) {
            const int high = HexValue(in_[at_]);
            const int low = HexValue(in_[at_ + 1]);
            if (high >= 0 && low >= 0) {
                value = high * 16 + low;
                at_ += 2;
            }
        }
        if (pendingUnicodeSkip_ > 0) {
            --pendingUnicodeSkip_;
            return;
        }
        if (value >= 0) Character(static_cast<unsigned char>(value));
    }

    // A byte of text in the document's code page.
    void Character(unsigned char byte) {
        if (pendingUnicodeSkip_ > 0) {
            --pendingUnicodeSkip_;
            return;
        }
        if (groups_.empty()) return;
        if (State().destination == Destination::ColourTable) {
            if (byte == ';') EndColourEntry();
            return;
        }
        if (byte < 0x20 && byte != '\t') return;
        if (byte < 0x80) return Emit(byte);
        if (codePage_ != kDefaultCodePage) return Emit(kReplacementCharacter);
        const std::string utf8 = Cp1252ToUtf8(std::string(1, static_cast<char>(byte)));
        uint32_t code = kReplacementCharacter;
        DecodeUtf8(utf8, 0, code);
        Emit(code);
    }

    void ControlWord(const std::string& word, bool hasParameter, long parameter) {
        if (groups_.empty()) return;
        const bool optional = optionalNext_;
        optionalNext_ = false;
        // Some writers mark a field's result optional; it is what the field shows.
        if (word == "fldrslt") return;
        if (optional || IsSkippedDestination(word)) {
            State().destination = Destination::Skipped;
            return;
        }
        if (word == "colortbl") {
            State().destination = Destination::ColourTable;
            return;
        }
        if (State().destination == Destination::ColourTable) return ColourComponent(word, parameter);
        if (State().destination != Destination::Text) return;
        if (FormatWord(word, hasParameter, parameter)) return;
        if (const uint32_t code = CharacterWord(word)) return Emit(code);
        if (word == "par" || word == "sect" || word == "page" || word == "row" || word == "nestrow")
            return EndParagraph();
        if (word == "line") return LineBreak();
        if (word == "u") return UnicodeCharacter(parameter);
        if (word == "uc") State().unicodeSkip = std::clamp<long>(parameter, 0, kMaxUnicodeSkip);
        if (word == "ansicpg") codePage_ = static_cast<int>(parameter);
    }

    // Character formatting; false for other words.
    bool FormatWord(const std::string& word, bool hasParameter, long parameter) {
        CharacterFormat& format = State().format;
        const bool on = !hasParameter || parameter != 0;
        if (word == "b") {
            format.bold = on;
        } else if (word == "i") {
            format.italic = on;
        } else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulw" || word == "uldash" ||
                   word == "ulwave" || word == "ulth") {
            format.underline = on;
        } else if (word == "ulnone") {
            format.underline = false;
        } else if (word == "fs") {
            format.halfPoints =
                parameter > 0 ? std::clamp<long>(parameter, kSmallestHalfPoints, kLargestHalfPoints) : 0;
        } else if (word == "cf") {
            format.colour =
                parameter > 0 && static_cast<size_t>(parameter) < colours_.size() ? static_cast<int>(parameter) : 0;
        } else if (word == "plain") {
            format = CharacterFormat();
        } else {
            return false;
        }
        return true;
    }

    void ColourComponent(const std::string& word, long value) {
        const uint8_t component = static_cast<uint8_t>(std::clamp<long>(value, 0, 255));
        if (word == "red") pendingColour_.red = component;
        if (word == "green") pendingColour_.green = component;
        if (word == "blue") pendingColour_.blue = component;
        if (word == "red" || word == "green" || word == "blue") {
            pendingColour_.automatic = false;
            colourEntryOpen_ = true;
        }
    }

    void EndColourEntry() {
        // The first entry is in place from the start, automatic until given.
        if (sawColourSeparator_)
            colours_.push_back(pendingColour_);
        else
            colours_[0] = pendingColour_;
        sawColourSeparator_ = true;
        pendingColour_ = Colour();
        colourEntryOpen_ = false;
    }

    void UnicodeCharacter(long value) {
        pendingUnicodeSkip_ = State().unicodeSkip;
        uint32_t code = value < 0 ? static_cast<uint32_t>(value + 65536) : static_cast<uint32_t>(value);
        if (code > 0xFFFF) code = kReplacementCharacter;
        if (code >= 0xD800 && code <= 0xDBFF) {
            highSurrogate_ = code;
            return;
        }
        if (code >= 0xDC00 && code <= 0xDFFF && highSurrogate_ != 0) {
            code = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (code - 0xDC00);
        }
        Emit(code);
    }

    void Emit(uint32_t code) {
        if (!Showing() || finished_) return;
        if (highSurrogate_ != 0 && !(code >= 0x10000)) AppendText(kReplacementCharacter);
        highSurrogate_ = 0;
        AppendText(code);
    }

    void AppendText(uint32_t code) {
        OpenParagraph();
        if (!runOpen_ || openFormat_ != State().format) {
            CloseRun();
            OpenRun(State().format);
        }
        std::string utf8;
        AppendUtf8(utf8, code);
        AppendEscapedHtml(html_, utf8);
        paragraphEmpty_ = false;
    }

    void OpenParagraph() {
        if (paragraphOpen_) return;
        html_ += "<p>";
        paragraphOpen_ = true;
        paragraphEmpty_ = true;
    }

    void LineBreak() {
        if (!Showing() || finished_) return;
        OpenParagraph();
        html_ += "<br>";
        paragraphEmpty_ = false;
    }

    void EndParagraph() {
        if (!Showing() || finished_) return;
        OpenParagraph();
        CloseRun();
        // An empty paragraph keeps the height of a line.
        html_ += paragraphEmpty_ ? "<br></p>" : "</p>";
        paragraphOpen_ = false;
    }

    void OpenRun(const CharacterFormat& format) {
        std::string style;
        if (format.halfPoints > 0) {
            char size[40];
            std::snprintf(size, sizeof size, "font-size:%d%spt", format.halfPoints / 2,
                          format.halfPoints % 2 ? ".5" : "");
            style += size;
        }
        const Colour& colour = colours_[static_cast<size_t>(format.colour)];
        if (!colour.automatic) {
            char rgb[40];
            std::snprintf(rgb, sizeof rgb, "%scolor:#%02x%02x%02x", style.empty() ? "" : ";", colour.red, colour.green,
                          colour.blue);
            style += rgb;
        }
        html_ += style.empty() ? "<span>" : "<span style=\"" + style + "\">";
        if (format.bold) html_ += "<b>";
        if (format.italic) html_ += "<i>";
        if (format.underline) html_ += "<u>";
        openFormat_ = format;
        runOpen_ = true;
    }

    void CloseRun() {
        if (!runOpen_) return;
        if (openFormat_.underline) html_ += "</u>";
        if (openFormat_.italic) html_ += "</i>";
        if (openFormat_.bold) html_ += "</b>";
        html_ += "</span>";
        runOpen_ = false;
    }

    void EndDocument() {
        if (!paragraphOpen_) return;
        CloseRun();
        html_ += "</p>";
        paragraphOpen_ = false;
    }

    const std::string& in_;
    size_t at_ = 0;
    std::string html_;
    std::vector<GroupState> groups_;
    int skippedDepth_ = 0;  // groups below the deepest kept one
    bool optionalNext_ = false;
    bool finished_ = false;
    int pendingUnicodeSkip_ = 0;
    uint32_t highSurrogate_ = 0;
    int codePage_ = kDefaultCodePage;
    std::vector<Colour> colours_;
    Colour pendingColour_;
    bool colourEntryOpen_ = false;
    bool sawColourSeparator_ = false;
    bool paragraphOpen_ = false;
    bool paragraphEmpty_ = true;
    bool runOpen_ = false;
    CharacterFormat openFormat_;
};

}  // namespace

void AppendEscapedHtml(std::string& html, const std::string& text) {
    for (char c : text) {
        switch (c) {
        case '&': html += "&amp;"; break;
        case '<': html += "&lt;"; break;
        case '>': html += "&gt;"; break;
        case '"': html += "&quot;"; break;
        case '\'': html += "&#39;"; break;
        default: html += c;
        }
    }
}

std::string PlainTextToHtml(const std::string& text) {
    const std::string utf8 = Cp1252ToUtf8(text);
    std::string shown;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') continue;
        if (c == '\r' || c == '\n' || c == '\t' || static_cast<unsigned char>(c) >= 0x20) shown += c == '\r' ? '\n' : c;
    }
    std::string html = "<p>";
    size_t start = 0;
    for (size_t end; (end = shown.find('\n', start)) != std::string::npos; start = end + 1) {
        AppendEscapedHtml(html, shown.substr(start, end - start));
        html += "<br>";
    }
    AppendEscapedHtml(html, shown.substr(start));
    return html + "</p>";
}

std::string RtfToHtml(const std::string& rtf) {
    if (rtf.compare(0, 5, "{\\rtf") != 0) return PlainTextToHtml(rtf);
    return RtfConverter(rtf).Convert();
}

}  // namespace qb
