// Texts of Windows paths, whose separator is the backslash on every build host.
#pragma once
#include <string>

namespace qb {

// Removes one trailing backslash, if there is one (directories are stored with one).
std::string DropTrailingBackslash(const std::string& path);

// Appends a backslash unless the text already ends with one.
std::string WithTrailingBackslash(const std::string& path);

// "%s\\%s": a file or directory inside a directory given without its backslash.
std::string JoinPath(const std::string& directory, const std::string& name);

// True for a path that names no directory below a drive's root: empty, "\",
// "C:" or "C:\", with any number of trailing backslashes or slashes.
bool IsDriveRoot(const std::string& path);

// The part of a path after its last backslash, or the whole path without one.
std::string FileNameOfPath(const std::string& path);

// True when name ends in extension (".rtf", ".html"), compared without case
// as Windows compares names.
bool HasExtension(const std::string& name, const std::string& extension);

}  // namespace qb
