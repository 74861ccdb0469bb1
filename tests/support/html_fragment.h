// Checks what the rich-text converter promises of its HTML: only its own
// elements (p, br, span, b, i, u), every one closed in order, attributes only
// a style of sizes and colours, no markup character outside a tag or an
// entity, and valid UTF-8. Shared by the unit tests and the fuzz target.
#pragma once
#include <string>
#include <vector>

#include "encoding/cp1252.h"

namespace qb {
namespace testing_support {

// "" when html keeps the promise, else what breaks it.
inline std::string HtmlFragmentFault(const std::string& html) {
    if (!IsValidUtf8(html)) return "not UTF-8";
    static const char* const kElements[] = {"p", "span", "b", "i", "u"};
    std::vector<std::string> open;
    for (size_t at = 0; at < html.size(); ++at) {
        const char c = html[at];
        if (c == '>' || c == '"' || c == '\'') return "bare " + std::string(1, c) + " at " + std::to_string(at);
        if (c == '&') {
            const size_t end = html.find(';', at);
            const std::string entity = end == std::string::npos ? "" : html.substr(at, end + 1 - at);
            if (entity != "&amp;" && entity != "&lt;" && entity != "&gt;" && entity != "&quot;" && entity != "&#39;")
                return "bad entity at " + std::to_string(at);
            at = end;
            continue;
        }
        if (c != '<') continue;
        const size_t end = html.find('>', at);
        if (end == std::string::npos) return "tag not closed at " + std::to_string(at);
        std::string tag = html.substr(at + 1, end - at - 1);
        at = end;
        if (tag == "br") continue;
        const bool closing = !tag.empty() && tag[0] == '/';
        if (closing) {
            if (open.empty() || tag.substr(1) != open.back()) return "</" + tag.substr(1) + "> does not close";
            open.pop_back();
            continue;
        }
        const size_t space = tag.find(' ');
        const std::string name = tag.substr(0, space);
        bool known = false;
        for (const char* element : kElements) known = known || name == element;
        if (!known) return "element <" + name + ">";
        if (space != std::string::npos) {
            const std::string attribute = tag.substr(space + 1);
            if (name != "span" || attribute.compare(0, 7, "style=\"") != 0 || attribute.back() != '"')
                return "attribute " + attribute;
            for (char s : attribute.substr(7, attribute.size() - 8)) {
                const bool plain = (s >= 'a' && s <= 'z') || (s >= '0' && s <= '9') || s == '-' || s == ':' ||
                                   s == ';' || s == '#' || s == '.';
                if (!plain) return "style character " + std::string(1, s);
            }
        }
        if (name == "p" && !open.empty()) return "paragraph inside <" + open.back() + ">";
        open.push_back(name);
    }
    return open.empty() ? "" : "<" + open.back() + "> left open";
}

}  // namespace testing_support
}  // namespace qb
