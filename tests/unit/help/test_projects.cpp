#include "test_projects.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "tools/hlpc/help_file.h"

namespace hlptest {

using qb::help::HelpProject;
using qb::help::Paragraph;
using qb::help::Topic;

Topic PlainTopic(const std::string& context, const std::string& title, const std::string& text,
                 const std::vector<std::string>& keywords) {
    Topic topic;
    topic.source = context + ".txt";
    topic.context = context;
    topic.title = title;
    topic.keywords = keywords;
    Paragraph paragraph;
    paragraph.runs.push_back({text, ""});
    topic.paragraphs.push_back(paragraph);
    return topic;
}

HelpProject ProjectOf(const std::vector<Topic>& topics, const std::string& title) {
    HelpProject project;
    project.title = title;
    project.contentsContext = topics.front().context;
    project.topics = topics;
    return project;
}

std::string InternalFileOf(const HelpProject& project, const std::string& name) {
    for (const auto& [fileName, data] : qb::help::BuildInternalFiles(project)) {
        if (fileName == name) return data;
    }
    throw std::runtime_error("no internal file " + name);
}

std::string BytesOf(std::initializer_list<int> values) {
    std::string bytes;
    for (const int v : values) bytes.push_back(static_cast<char>(v));
    return bytes;
}

std::string ReadRepositoryFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

HelpProject LoadShippedProject() {
    const std::string base = std::string(QB_HELP_SOURCE_DIR) + "/";
    return qb::help::ParseProject("project.txt", ReadRepositoryFile(base + "project.txt"),
                                  [&](const std::string& name) { return ReadRepositoryFile(base + name); });
}

}  // namespace hlptest
