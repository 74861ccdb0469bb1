#include "tools/hlpc/help_source.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

#include "tools/hlpc/context_hash.h"
#include "encoding/cp1252.h"

namespace qb::help {

namespace {

struct Line {
    std::string text;
    int number;
};

[[noreturn]] void Fail(const std::string& source, int line, const std::string& message) {
    throw SourceError(source + ":" + std::to_string(line) + ": " + message);
}

std::vector<Line> SplitLines(const std::string& text) {
    std::vector<Line> lines;
    std::string current;
    int number = 1;
    for (const char c : text) {
        if (c == '\n') {
            if (!current.empty() && current.back() == '\r') current.pop_back();
            lines.push_back({current, number++});
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty()) {
        if (current.back() == '\r') current.pop_back();
        lines.push_back({current, number});
    }
    return lines;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string Trim(const std::string& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

std::string ToCp1252(const std::string& source, int line, const std::string& utf8) {
    std::string out;
    size_t errorOffset = 0;
    if (!Utf8ToCp1252(utf8, out, errorOffset)) {
        Fail(source, line, "character not representable in Windows-1252 near \"" + utf8.substr(errorOffset, 12) + "\"");
    }
    for (const char c : out) {
        if (static_cast<unsigned char>(c) < 0x20) Fail(source, line, "control character in the text");
    }
    return out;
}

// "key: value" header line; false when the line is not of that form.
bool SplitHeader(const std::string& line, std::string& key, std::string& value) {
    const size_t colon = line.find(':');
    if (colon == std::string::npos || colon == 0) return false;
    key = Trim(line.substr(0, colon));
    value = Trim(line.substr(colon + 1));
    for (const char c : key) {
        if (!std::isalpha(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

void AppendRun(Paragraph& paragraph, const std::string& text, const std::string& target) {
    if (text.empty()) return;
    if (target.empty() && !paragraph.runs.empty() && paragraph.runs.back().target.empty()) {
        paragraph.runs.back().text += text;
    } else {
        paragraph.runs.push_back({text, target});
    }
}

// Splits joined paragraph text into plain runs and [text](target) links.
Paragraph ParseInline(const std::string& source, int line, ParagraphKind kind, const std::string& utf8) {
    Paragraph paragraph;
    paragraph.kind = kind;
    std::string plain;
    size_t at = 0;
    while (at < utf8.size()) {
        const char c = utf8[at];
        // Only markup is escaped, so a path such as C:\Quorbelind keeps its backslash.
        if (c == '\\' && at + 1 < utf8.size() && (utf8[at + 1] == '\\' || utf8[at + 1] == '[')) {
            plain.push_back(utf8[at + 1]);
            at += 2;
        } else if (c == '[') {
            const size_t close = utf8.find("](", at);
            const size_t end = close == std::string::npos ? close : utf8.find(')', close);
            if (end == std::string::npos) Fail(source, line, "unfinished link: expected [text](context)");
            const std::string text = utf8.substr(at + 1, close - at - 1);
            const std::string target = utf8.substr(close + 2, end - close - 2);
            if (text.empty()) Fail(source, line, "link without text");
            if (!IsValidContextName(target)) Fail(source, line, "invalid link target \"" + target + "\"");
            AppendRun(paragraph, ToCp1252(source, line, plain), "");
            plain.clear();
            AppendRun(paragraph, ToCp1252(source, line, text), target);
            at = end + 1;
        } else {
            plain.push_back(c);
            ++at;
        }
    }
    AppendRun(paragraph, ToCp1252(source, line, plain), "");
    if (paragraph.runs.empty()) Fail(source, line, "empty paragraph");
    return paragraph;
}

void ParseHeaderLine(const std::string& source, const Line& line, Topic& topic) {
    std::string key;
    std::string value;
    if (!SplitHeader(line.text, key, value)) Fail(source, line.number, "expected \"name: value\" in the topic header");
    if (value.empty()) Fail(source, line.number, "empty value for \"" + key + "\"");
    if (key == "context") {
        if (!topic.context.empty()) Fail(source, line.number, "second context name");
        if (!IsValidContextName(value))
            Fail(source, line.number, "context name may hold only A-Z, a-z, 0-9, '.' and '_'");
        topic.context = value;
    } else if (key == "title") {
        if (!topic.title.empty()) Fail(source, line.number, "second title");
        topic.title = ToCp1252(source, line.number, value);
    } else if (key == "keyword") {
        topic.keywords.push_back(ToCp1252(source, line.number, value));
    } else {
        Fail(source, line.number, "unknown header \"" + key + "\"");
    }
}

// Collects the body's paragraphs: blank lines end a paragraph, "* " starts a
// bullet item, "## " a subheading; other lines continue the paragraph.
void ParseBody(const std::string& source, const std::vector<Line>& lines, size_t first, Topic& topic) {
    std::string text;
    int startLine = 0;
    ParagraphKind kind = ParagraphKind::Body;
    auto flush = [&]() {
        if (!text.empty()) topic.paragraphs.push_back(ParseInline(source, startLine, kind, text));
        text.clear();
    };
    for (size_t i = first; i < lines.size(); ++i) {
        const std::string line = Trim(lines[i].text);
        const bool bullet = line.rfind("* ", 0) == 0;
        const bool subheading = line.rfind("## ", 0) == 0;
        if (line.empty() || bullet || subheading) flush();
        if (line.empty()) continue;
        if (text.empty()) {
            startLine = lines[i].number;
            kind = bullet ? ParagraphKind::Bullet : subheading ? ParagraphKind::Subheading : ParagraphKind::Body;
            text = Trim(line.substr(bullet ? 2 : subheading ? 3 : 0));
        } else {
            text += ' ';
            text += line;
        }
        if (subheading) flush();
    }
    flush();
}

}  // namespace

Topic ParseTopic(const std::string& sourceName, const std::string& utf8Text) {
    const std::vector<Line> lines = SplitLines(utf8Text);
    Topic topic;
    topic.source = sourceName;
    size_t i = 0;
    while (i < lines.size() && !Trim(lines[i].text).empty()) {
        ParseHeaderLine(sourceName, lines[i], topic);
        ++i;
    }
    if (topic.context.empty()) Fail(sourceName, 1, "the topic has no \"context:\" line");
    if (topic.title.empty()) Fail(sourceName, 1, "the topic has no \"title:\" line");
    ParseBody(sourceName, lines, i, topic);
    if (topic.paragraphs.empty()) Fail(sourceName, static_cast<int>(lines.size()), "the topic has no text");
    return topic;
}

HelpProject ParseProject(const std::string& sourceName, const std::string& utf8Text, const FileLoader& load) {
    HelpProject project;
    for (const Line& line : SplitLines(utf8Text)) {
        const std::string text = Trim(line.text);
        if (text.empty() || text[0] == '#') continue;
        std::string key;
        std::string value;
        if (!SplitHeader(text, key, value) || value.empty()) Fail(sourceName, line.number, "expected \"name: value\"");
        if (key == "title") {
            project.title = ToCp1252(sourceName, line.number, value);
        } else if (key == "copyright") {
            project.copyright = ToCp1252(sourceName, line.number, value);
        } else if (key == "contents") {
            project.contentsContext = value;
        } else if (key == "topic") {
            project.topics.push_back(ParseTopic(value, load(value)));
        } else {
            Fail(sourceName, line.number, "unknown setting \"" + key + "\"");
        }
    }
    if (project.title.empty()) Fail(sourceName, 1, "no \"title:\" setting");
    if (project.contentsContext.empty()) Fail(sourceName, 1, "no \"contents:\" setting");
    if (project.topics.empty()) Fail(sourceName, 1, "no \"topic:\" files");
    ValidateProject(project);
    return project;
}

int CompareKeywords(const std::string& a, const std::string& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return 0;
}

void ValidateProject(const HelpProject& project) {
    std::map<uint32_t, std::string> hashes;
    for (const Topic& topic : project.topics) {
        if (!IsValidContextName(topic.context))
            throw SourceError(topic.source + ": invalid context name \"" + topic.context + "\"");
        const auto [it, added] = hashes.emplace(ContextHash(topic.context), topic.context);
        if (!added) {
            throw SourceError(topic.source + ": context name \"" + topic.context + "\" has the same hash as \"" +
                              it->second + "\"");
        }
    }
    const auto contents = hashes.find(ContextHash(project.contentsContext));
    if (contents == hashes.end() || contents->second != project.contentsContext) {
        throw SourceError("the contents topic \"" + project.contentsContext + "\" does not exist");
    }
    const auto keywordLess = [](const std::string& a, const std::string& b) { return CompareKeywords(a, b) < 0; };
    std::map<std::string, std::string, decltype(keywordLess)> keywords(keywordLess);
    for (const Topic& topic : project.topics) {
        for (const Paragraph& paragraph : topic.paragraphs) {
            for (const TextRun& run : paragraph.runs) {
                const auto found = hashes.find(ContextHash(run.target));
                if (!run.target.empty() && (found == hashes.end() || found->second != run.target)) {
                    throw SourceError(topic.source + ": link to the missing topic \"" + run.target + "\"");
                }
            }
        }
        for (const std::string& keyword : topic.keywords) {
            const auto [it, added] = keywords.emplace(keyword, topic.context);
            if (!added) {
                throw SourceError(topic.source + ": keyword \"" + keyword + "\" already names topic \"" + it->second +
                                  "\"");
            }
        }
    }
}

}  // namespace qb::help
