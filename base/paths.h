// Texts of Windows paths. A folder is separated from what it holds by a
// backslash or a slash, a drive by its colon. Directories are passed without
// a trailing backslash, except where a name says WithTrailingBackslash.
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

// The folder part of a path with its closing separator ("C:\\T\\" of
// "C:\\T\\a.tvt"); empty for a bare name.
std::string Folder(const std::string& path);
// The part behind the folder part ("a.tvt").
std::string FileName(const std::string& path);
// The file name without its extension ("a").
std::string Stem(const std::string& path);

// Names of the same file as Windows compares them: without regard to case.
// Both must be full paths for the answer to hold.
bool SameFile(const std::string& a, const std::string& b);

// True when name ends in extension (".rtf", ".html"), compared without case
// as Windows compares names.
bool HasExtension(const std::string& name, const std::string& extension);

}  // namespace qb
