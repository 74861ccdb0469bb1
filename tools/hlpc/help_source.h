// The help text as authors write it: a project file naming the help title,
// the contents topic and the topic files, and one plain-text file per topic.
//
// A topic file starts with header lines ("context: name", "title: text",
// "keyword: text", the last one repeatable), then a blank line, then the body:
// paragraphs separated by blank lines; "## " starts a subheading, "* " a
// bullet item; [link text](context_name) jumps to another topic; "\[" and
// "\\" write "[" and "\", and any other backslash is text.
#pragma once
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace qb::help {

// A fault in the source, with the file and line in the message.
class SourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class ParagraphKind { Heading, Body, Subheading, Bullet };

// Text in Windows-1252; target is the context name of a jump, empty for plain text.
struct TextRun {
    std::string text;
    std::string target;
};

struct Paragraph {
    ParagraphKind kind = ParagraphKind::Body;
    std::vector<TextRun> runs;
};

struct Topic {
    std::string source;  // file name, for messages
    std::string context;
    std::string title;
    std::vector<std::string> keywords;
    std::vector<Paragraph> paragraphs;  // the body, without the title heading
};

struct HelpProject {
    std::string title;
    std::string copyright;
    std::string contentsContext;
    std::vector<Topic> topics;  // in file order
};

// Reads a file named in the project (relative to the project file) or throws SourceError.
using FileLoader = std::function<std::string(const std::string& name)>;

Topic ParseTopic(const std::string& sourceName, const std::string& utf8Text);
HelpProject ParseProject(const std::string& sourceName, const std::string& utf8Text, const FileLoader& load);

// The rules across topics: context names valid and of unique hash, the
// contents topic present, every link target present, every keyword unique
// regardless of case (so each keyword names exactly one topic).
void ValidateProject(const HelpProject& project);


// Keywords are compared regardless of the case of ASCII letters.
int CompareKeywords(const std::string& a, const std::string& b);

}  // namespace qb::help
