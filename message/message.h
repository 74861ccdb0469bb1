// What the user must be told, as data: a string-table text and caption with
// positional placeholders, the icon and the buttons. The main program's frame
// shows every message through one helper; the cores (the document's and the
// session's) only build them.
#pragma once
#include <string>
#include <vector>

namespace qb {

enum class MessageIcon { Information, Exclamation, Warning, Question };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

struct Message {
    int text = 0;     // string id; "%1", "%2", ... stand for the arguments
    int caption = 0;  // string id, with the same placeholders
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;
    std::vector<std::string> arguments;

    bool operator==(const Message& other) const {
        return text == other.text && caption == other.caption && icon == other.icon && buttons == other.buttons &&
               arguments == other.arguments;
    }
};

// An information box with an OK button.
Message Information(int text, int caption, std::vector<std::string> arguments = {});
// An exclamation box with an OK button.
Message Exclamation(int text, int caption, std::vector<std::string> arguments = {});
// A warning box with an OK button.
Message Warning(int text, int caption);
// A question box with the given buttons.
Message Question(int text, int caption, MessageButtons buttons, std::vector<std::string> arguments = {});

// pattern with "%1" to "%9" replaced by the arguments of those numbers; a
// number without an argument becomes empty text, any other "%" stays.
std::string FillPlaceholders(const std::string& pattern, const std::vector<std::string>& arguments);

}  // namespace qb
