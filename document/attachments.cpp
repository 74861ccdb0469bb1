#include "document/attachments.h"

namespace qb {

std::string ResolveAttachmentName(const std::string& storedName, const Directory& programDirectory) {
    if (storedName.empty() || storedName[0] != '*') return storedName;
    return programDirectory.Join(storedName.substr(1)).Text();
}

std::string LocateAttachment(FileSystem& files, const std::string& storedName, const Directory& programDirectory,
                             const std::string& testPath) {
    const std::string resolved = ResolveAttachmentName(storedName, programDirectory);
    if (resolved.empty() || testPath.empty() || files.Exists(resolved)) return resolved;
    const std::string name = WinPath(resolved).FileName();
    if (name.empty()) return resolved;
    const std::string beside = WinPath(testPath).Beside(name).Text();
    return files.Exists(beside) ? beside : resolved;
}

}  // namespace qb
