#include "message/message.h"

#include <utility>

namespace qb {

Message Information(int text, int caption, std::vector<std::string> arguments) {
    return Message{text, caption, MessageIcon::Information, MessageButtons::Ok, std::move(arguments)};
}

Message Exclamation(int text, int caption, std::vector<std::string> arguments) {
    return Message{text, caption, MessageIcon::Exclamation, MessageButtons::Ok, std::move(arguments)};
}

Message Warning(int text, int caption) {
    return Message{text, caption, MessageIcon::Warning, MessageButtons::Ok, {}};
}

Message Question(int text, int caption, MessageButtons buttons, std::vector<std::string> arguments) {
    return Message{text, caption, MessageIcon::Question, buttons, std::move(arguments)};
}

std::string FillPlaceholders(const std::string& pattern, const std::vector<std::string>& arguments) {
    std::string text;
    text.reserve(pattern.size());
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] != '%' || next < '1' || next > '9') {
            text += pattern[i];
            continue;
        }
        const size_t index = static_cast<size_t>(next - '1');
        if (index < arguments.size()) text += arguments[index];
        ++i;
    }
    return text;
}

}  // namespace qb
