// Windows paths as values. One separator set: a folder is separated from what
// it holds by a backslash or a slash, a drive by its colon.
//
// A Directory is held without its trailing backslash: a text given with one
// loses exactly one, and the form with one is asked for where it is stored
// (the DataPath value, the install state) or written into an entry. Joining a
// name puts one backslash between; a directory given with one and without
// one therefore joins to the same path.
#pragma once
#include <string>
#include <utility>

namespace qb {

// A file's or directory's path, kept exactly as given.
class WinPath {
public:
    WinPath() = default;
    explicit WinPath(std::string text) : text_(std::move(text)) {}

    const std::string& Text() const { return text_; }
    bool Empty() const { return text_.empty(); }

    // The folder part with its closing separator ("C:\\T\\" of "C:\\T\\a.tvt");
    // empty for a bare name.
    std::string Folder() const;
    // The part behind the folder part ("a.tvt").
    std::string FileName() const;
    // The file name without its extension ("a"). A dot that starts the file
    // name begins no extension.
    std::string Stem() const;
    // The path with extension (".html") in place of the file name's own.
    WinPath WithExtension(const std::string& extension) const;
    // The path of the file name in this path's folder.
    WinPath Beside(const std::string& name) const { return WinPath(Folder() + name); }

    // The path with its last three characters replaced by suffix (the
    // companions of a save). Empty when the path is too short or its last
    // three characters include a separator.
    WinPath Companion(const char* suffix) const;

    // Names of the same file as Windows compares them: without regard to case.
    // Both must be full paths for the answer to hold.
    bool SameFile(const WinPath& other) const;

private:
    std::string text_;
};

// A directory (see the rule above).
class Directory {
public:
    Directory() = default;
    explicit Directory(const std::string& text);

    // Without its trailing backslash ("C:\\Quorbelind", "C:" for a drive root).
    const std::string& Text() const { return text_; }
    // With one trailing backslash, as it is stored ("C:\\Quorbelind\\").
    std::string WithTrailingBackslash() const { return text_ + '\\'; }
    bool Empty() const { return text_.empty(); }

    // True when it names no directory below a drive's root: none, "\", "C:"
    // or "C:\", with any number of trailing backslashes or slashes.
    bool IsDriveRoot() const;

    // A file or directory inside it ("C:\\Q" and "Dist" give "C:\\Q\\Dist").
    WinPath Join(const std::string& name) const;

    bool operator==(const Directory& other) const { return text_ == other.text_; }
    bool operator!=(const Directory& other) const { return text_ != other.text_; }

private:
    std::string text_;
};

// A name in capitals, as Uninstall's lists and clean-up name files.
std::string UpperCase(std::string text);

// True when name ends in extension (".rtf", ".html"), compared without case
// as Windows compares names.
bool HasExtension(const std::string& name, const std::string& extension);

}  // namespace qb
