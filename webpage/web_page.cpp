#include "webpage/web_page.h"

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>

#include "base/paths.h"
#include "base/product_names.h"
#include "encoding/cp1252.h"
#include "media/rich_text.h"
#include "webpage/page_template.h"
#include "webpage/rtf_html.h"

namespace qb {
namespace {

constexpr size_t kBitmapFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;  // the OS/2 header: 16-bit width and height
constexpr uint32_t kInfoHeaderSize = 40;

uint32_t LittleEndian(const std::string& bytes, size_t at, size_t count) {
    uint32_t value = 0;
    for (size_t i = count; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// A bitmap file whose header a browser can take: "BM", a known information
// header, a width above 0 and a height other than 0.
bool IsBitmap(const std::string& bytes) {
    if (bytes.size() < kBitmapFileHeaderSize + kCoreHeaderSize || bytes.compare(0, 2, "BM") != 0) return false;
    const uint32_t headerSize = LittleEndian(bytes, kBitmapFileHeaderSize, 4);
    if (headerSize == kCoreHeaderSize) return LittleEndian(bytes, 18, 2) > 0 && LittleEndian(bytes, 20, 2) > 0;
    if (headerSize < kInfoHeaderSize || headerSize > 124 || bytes.size() < kBitmapFileHeaderSize + kInfoHeaderSize)
        return false;
    const int32_t width = static_cast<int32_t>(LittleEndian(bytes, 18, 4));
    const int32_t height = static_cast<int32_t>(LittleEndian(bytes, 22, 4));
    return width > 0 && height != 0;
}

bool ReadWholeFile(FileSystem& files, const std::string& path, std::string& bytes) {
    std::unique_ptr<ByteStream> stream = files.Open(path, OpenMode::Read);
    const int64_t size = stream ? StreamSize(*stream) : -1;
    if (size < 0 || static_cast<uint64_t>(size) > SIZE_MAX / 2) return false;
    bytes.assign(static_cast<size_t>(size), '\0');
    return size == 0 || stream->Read(&bytes[0], bytes.size()) == bytes.size();
}

std::string Base64(const std::string& bytes) {
    static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t left = bytes.size() - i;
        uint32_t group = static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << 16;
        if (left > 1) group |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
        if (left > 2) group |= static_cast<unsigned char>(bytes[i + 2]);
        out += kDigits[(group >> 18) & 63];
        out += kDigits[(group >> 12) & 63];
        out += left > 1 ? kDigits[(group >> 6) & 63] : '=';
        out += left > 2 ? kDigits[group & 63] : '=';
    }
    return out;
}

// A JSON string that can stand inside a <script> element: no "<", ">" or
// "&" appears as itself, so no text can end the element or open a comment.
void AppendJsonString(std::string& json, const std::string& utf8) {
    json += '"';
    for (size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        // U+2028 and U+2029 end a line in older script parsers.
        const bool lineSeparator = c == 0xE2 && i + 2 < utf8.size() && utf8[i + 1] == '\x80' &&
                                   (utf8[i + 2] == '\xA8' || utf8[i + 2] == '\xA9');
        if (c == '"' || c == '\\') {
            json += '\\';
            json += static_cast<char>(c);
        } else if (c < 0x20 || c == '<' || c == '>' || c == '&' || lineSeparator) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x",
                          lineSeparator ? (utf8[i + 2] == '\xA8' ? 0x2028u : 0x2029u) : static_cast<unsigned>(c));
            json += escaped;
            if (lineSeparator) i += 2;
        } else {
            json += static_cast<char>(c);
        }
    }
    json += '"';
}

// FNV-1a over every byte of the records, so two tests never share their
// progress in the browser and a changed test starts afresh.
std::string ContentHash(const std::vector<QuestionRecord>& records) {
    uint64_t hash = 14695981039346656037ull;
    auto add = [&](const std::string& text) {
        for (char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        hash = (hash ^ 0xFFu) * 1099511628211ull;  // ends the field
    };
    for (const QuestionRecord& record : records) {
        add(record.keyword);
        for (const std::string& slot : record.slots) add(slot);
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return hex;
}

bool IsPictureSlot(int slot) {
    return slot == kSlotQuestionPictureFile || slot == kSlotAnswerPictureFile;
}

// The attached files as page data, each embedded once however many
// questions name it.
class EmbeddedFiles {
public:
    EmbeddedFiles(FileSystem& files, const AttachmentLocator& locate) : files_(files), locate_(locate) {}

    // The index of the stored name's file in the page data, or -1 when it
    // cannot be embedded (problem tells why).
    int Embed(const std::string& storedName, int slot, AttachmentProblem& problem) {
        const bool picture = IsPictureSlot(slot);
        const auto known = seen_[picture].find(storedName);
        if (known != seen_[picture].end()) {
            problem = known->second.problem;
            return known->second.index;
        }
        Embedded entry{-1, AttachmentProblem::Missing};
        const std::string path = locate_(storedName);
        std::string bytes;
        if (path.empty()) {
            entry.problem = AttachmentProblem::Missing;
        } else if (!ReadWholeFile(files_, path, bytes)) {
            entry.problem = AttachmentProblem::Unreadable;
        } else if (picture && !IsBitmap(bytes)) {
            entry.problem = AttachmentProblem::NotABitmap;
        } else {
            entry.index = static_cast<int>(json_.size());
            std::string html = picture                            ? "data:image/bmp;base64," + Base64(bytes)
                               : IsRichTextName(storedName) ? RtfToHtml(bytes)
                                                                  : PlainTextToHtml(bytes);
            json_.emplace_back();
            AppendJsonString(json_.back(), html);
        }
        seen_[picture].emplace(storedName, entry);
        problem = entry.problem;
        return entry.index;
    }

    void AppendJson(std::string& json) const {
        json += '[';
        for (size_t i = 0; i < json_.size(); ++i) json += (i ? "," : "") + json_[i];
        json += ']';
    }

private:
    struct Embedded {
        int index;
        AttachmentProblem problem;
    };
    FileSystem& files_;
    const AttachmentLocator& locate_;
    std::map<std::string, Embedded> seen_[2];  // by stored name; texts, pictures
    std::vector<std::string> json_;            // each file as a JSON string
};

// One question: [keyword, question, right answer, [wrong answers], [files],
// misses], texts in UTF-8, the non-empty wrong answers in their order, the
// four file slots as indexes into the files (-1 for none), and the miss
// count the page starts from.
void AppendQuestion(std::string& json, const QuestionRecord& record, const int (&files)[kFileSlotCount]) {
    json += '[';
    AppendJsonString(json, Cp1252ToUtf8(record.keyword));
    for (int slot : {kSlotQuestion, kSlotRightAnswer}) {
        json += ',';
        AppendJsonString(json, Cp1252ToUtf8(record.slots[slot]));
    }
    json += ",[";
    bool first = true;
    for (int slot = kSlotWrongAnswer1; slot < kFirstFileSlot; ++slot) {
        if (record.slots[slot].empty()) continue;
        if (!first) json += ',';
        AppendJsonString(json, Cp1252ToUtf8(record.slots[slot]));
        first = false;
    }
    json += "],[";
    for (int i = 0; i < kFileSlotCount; ++i) json += (i ? "," : "") + std::to_string(files[i]);
    json += "]," + std::to_string(record.misses) + "]";
}

std::string PageData(const std::string& title, const std::vector<QuestionRecord>& records, EmbeddedFiles& embedded,
                     std::vector<PageFinding>& findings) {
    std::string questions = "[";
    for (size_t i = 0; i < records.size(); ++i) {
        const QuestionRecord& record = records[i];
        int files[kFileSlotCount];
        for (int slot = kFirstFileSlot; slot < kSlotCount; ++slot) {
            const std::string& name = record.slots[slot];
            int& index = files[slot - kFirstFileSlot];
            index = -1;
            if (name.empty()) continue;
            AttachmentProblem problem = AttachmentProblem::Missing;
            index = embedded.Embed(name, slot, problem);
            if (index < 0) findings.push_back({static_cast<int>(i) + 1, record.keyword, slot, name, problem});
        }
        if (i > 0) questions += ',';
        AppendQuestion(questions, record, files);
    }
    questions += ']';
    std::string json = "{\"title\":";
    AppendJsonString(json, title);
    json += ",\"store\":";
    AppendJsonString(json, std::string(kProductName) + ":" + ContentHash(records));
    json += ",\"maxMisses\":" + std::to_string(kMaxMisses);
    json += ",\"files\":";
    embedded.AppendJson(json);
    json += ",\"questions\":" + questions + "}";
    return json;
}

// The template with its markers filled in the order they stand in it;
// nothing filled in is searched for a later marker.
std::string FillTemplate(const std::string& pattern, const std::vector<std::pair<const char*, std::string>>& fills) {
    std::string page;
    size_t from = 0;
    for (const auto& fill : fills) {
        const size_t at = pattern.find(fill.first, from);
        if (at == std::string::npos) continue;
        page.append(pattern, from, at - from);
        page += fill.second;
        from = at + std::string(fill.first).size();
    }
    return page.append(pattern, from, std::string::npos);
}

}  // namespace

WebPage BuildWebPage(const std::string& title, const std::vector<QuestionRecord>& records, FileSystem& files,
                     const AttachmentLocator& locate) {
    WebPage page;
    EmbeddedFiles embedded(files, locate);
    std::string escapedTitle;
    AppendEscapedHtml(escapedTitle, title);
    page.html = FillTemplate(kPageHtml, {{"{{TITLE}}", escapedTitle},
                                         {"{{STYLE}}", kPageStyle},
                                         {"{{DATA}}", PageData(title, records, embedded, page.findings)},
                                         {"{{SCRIPT}}", kPageScript}});
    return page;
}

bool IsWebPageName(const std::string& name) {
    return HasExtension(name, ".html") || HasExtension(name, ".htm");
}

}  // namespace qb
