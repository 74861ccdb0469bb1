// The names of the entries the suite leaves outside its program directory:
// the file association of tests, the uninstall entry and the shortcuts.
// Install writes them and Uninstall removes them by these, so the two cannot
// disagree.
#pragma once
#include <string>

#include "base/paths.h"
#include "base/product_names.h"

namespace qb {

// The file class of test files is named after the product.
constexpr const char* kFileClassName = kProductName;
constexpr char kOpenVerbText[] = "Open with Quorbelind";
constexpr char kUninstallListPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
// The uninstall entry's key and display name.
constexpr char kUninstallEntryName[] = "Quorbelind: Uninstall";
// The shortcut files' name.
constexpr char kLinkFileName[] = "Quorbelind.lnk";
// The main program's icon for test files.
constexpr int kDocumentIconId = 114;

namespace system_names_detail {

constexpr bool StartsWith(const char* text, const char* start) {
    while (*start != '\0' && *text == *start) {
        ++text;
        ++start;
    }
    return *start == '\0';
}

}  // namespace system_names_detail

static_assert(system_names_detail::StartsWith(kUninstallEntryName, kProductName));
static_assert(system_names_detail::StartsWith(kLinkFileName, kProductName));

// The key of the test files' extension (".tvt").
std::string TestExtensionKey();

// Texts the entries carry.
struct SystemNames {
    std::string programFile;     // the main program's file name
    std::string openVerbText;    // the text of the open verb
    std::string uninstallEntry;  // the uninstall entry's key and display name
    std::string linkFile;        // the shortcut files' name
};
SystemNames SuiteSystemNames();

// Registry texts for a program directory.
std::string DefaultIconValue(const Directory& dir, const std::string& programFile);
std::string OpenCommandValue(const Directory& dir, const std::string& programFile);
std::string UninstallStringValue(const Directory& dir);

// A shortcut file in a shell folder (a drive root included).
std::string LinkFilePath(const std::string& folder, const std::string& linkName);

}  // namespace qb
