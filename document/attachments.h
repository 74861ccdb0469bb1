// Where an attached file is read from: a stored name that starts with "*"
// lies in the program directory, and a file missing at its stored place is
// looked for beside the test.
#pragma once
#include <string>

#include "base/byte_stream.h"
#include "base/paths.h"

namespace qb {

// A stored "*name" becomes name in the program directory; other names are
// returned unchanged.
std::string ResolveAttachmentName(const std::string& storedName, const Directory& programDirectory);

// The file an attachment is read from. The stored name after the "*" rule
// when that file exists; else the file of the same name in the folder of
// testPath (the test file itself), when that one exists, so a test that was
// moved or copied keeps its attachments; else the name after the "*" rule,
// which the caller then fails to open. The stored name itself never
// changes. Empty for an empty stored name.
std::string LocateAttachment(FileSystem& files, const std::string& storedName, const Directory& programDirectory,
                             const std::string& testPath);

}  // namespace qb
