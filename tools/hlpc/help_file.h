// The whole help file: the container with its internal files and directory.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tools/hlpc/bytes.h"
#include "tools/hlpc/help_source.h"

namespace qb::help {

constexpr uint32_t kHelpFileMagic = 0x00035F3F;
constexpr size_t kFileHeaderSize = 16;
constexpr size_t kInternalHeaderSize = 9;

// An internal file: its name (such as "|TOPIC") and its data.
using InternalFile = std::pair<std::string, Bytes>;

// The internal files of a project, in the order they are placed in the file.
std::vector<InternalFile> BuildInternalFiles(const HelpProject& project);

// Places the internal files after the file header, then the directory.
Bytes AssembleHelpFile(const std::vector<InternalFile>& files);

Bytes BuildHelpFile(const HelpProject& project);

}  // namespace qb::help
