// hlpc: writes the help file from the help source text.
// Usage: hlpc <project file> <output .hlp>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include "base/byte_stream.h"
#include "tools/hlpc/help_file.h"
#include "tools/hlpc/help_source.h"

namespace {

std::string ReadWholeFile(const std::string& path) {
    std::unique_ptr<qb::ByteStream> stream = qb::RealFileSystem().Open(path, qb::OpenMode::Read);
    if (!stream) throw qb::help::SourceError(path + ": cannot be opened");
    std::string text;
    char buffer[8192];
    size_t got;
    while ((got = stream->Read(buffer, sizeof buffer)) > 0) text.append(buffer, got);
    return text;
}

std::string DirectoryOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Written under a temporary name first, so a failed run never leaves a
// truncated help file that a later build would ship.
bool WriteWholeFile(const std::string& path, const std::string& data) {
    qb::FileSystem& fs = qb::RealFileSystem();
    const std::string temporary = path + ".tmp";
    std::unique_ptr<qb::ByteStream> stream = fs.Open(temporary, qb::OpenMode::CreateWrite);
    if (!stream) return false;
    const bool written = stream->Write(data.data(), data.size());
    if (!stream->Close() || !written) {
        fs.Remove(temporary);
        return false;
    }
    return fs.Rename(temporary, path);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: hlpc <project file> <output .hlp>\n");
        return 2;
    }
    const std::string projectPath = argv[1];
    const std::string outputPath = argv[2];
    try {
        const std::string base = DirectoryOf(projectPath);
        const qb::help::HelpProject project =
            qb::help::ParseProject(projectPath, ReadWholeFile(projectPath),
                                   [&](const std::string& name) { return ReadWholeFile(base + name); });
        const qb::help::Bytes file = qb::help::BuildHelpFile(project);
        if (!WriteWholeFile(outputPath, file)) {
            std::fprintf(stderr, "hlpc: cannot write %s\n", outputPath.c_str());
            return 1;
        }
        std::printf("hlpc: %s: %zu topics, %zu bytes\n", outputPath.c_str(), project.topics.size(), file.size());
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "hlpc: %s\n", error.what());
        return 1;
    }
}
