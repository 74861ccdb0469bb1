// Small help projects built in code for the generator's tests.
#pragma once
#include <string>
#include <vector>

#include "tools/hlpc/help_source.h"

namespace hlptest {

// A topic with one body paragraph of plain text.
qb::help::Topic PlainTopic(const std::string& context, const std::string& title, const std::string& text,
                           const std::vector<std::string>& keywords = {});

// A project over the given topics; the first one is the contents topic.
qb::help::HelpProject ProjectOf(const std::vector<qb::help::Topic>& topics, const std::string& title = "Test Help");

// The named internal file of a built project.
std::string InternalFileOf(const qb::help::HelpProject& project, const std::string& name);

// Bytes from a list of values 0..255, for comparisons with documented dumps.
std::string BytesOf(std::initializer_list<int> values);

// The source files of the shipped help, read from the repository.
qb::help::HelpProject LoadShippedProject();
std::string ReadRepositoryFile(const std::string& path);

}  // namespace hlptest

namespace qb::help {

// Plain text of a paragraph, links included.
inline std::string ParagraphText(const Paragraph& paragraph) {
    std::string text;
    for (const TextRun& run : paragraph.runs) text += run.text;
    return text;
}

}  // namespace qb::help
