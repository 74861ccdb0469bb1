// Command-line arguments of one driver command: positional words and
// "--name value" options, plus the conversions every command needs.
#pragma once
#include <windows.h>
#include <map>
#include <string>
#include <vector>

namespace qbdrive {

// Exit codes of the driver.
enum ExitCode { kOk = 0, kFailed = 1, kUsage = 2 };

class Args {
public:
    // Options are "--name value"; a bare "--flag" is allowed for the names in flags.
    Args(const std::vector<std::string>& words, const std::vector<std::string>& flags);

    size_t Count() const { return positional_.size(); }
    const std::string& At(size_t i) const { return positional_.at(i); }
    bool Has(const std::string& option) const { return options_.count(option) != 0; }
    std::string Get(const std::string& option, const std::string& fallback = "") const;
    // Time limit in milliseconds from --timeout (default 10000).
    DWORD Timeout() const;

private:
    std::vector<std::string> positional_;
    std::map<std::string, std::string> options_;
};

// Prints "qbdrive: message" to stderr and returns kFailed.
int Fail(const std::string& message);
int Usage(const std::string& message);
// Collects the messages of Fail and Usage in sink instead of printing them (null: print).
void SetMessageSink(std::string* sink);

bool ParseLong(const std::string& text, long* value);

// A window: a handle "0x1A2B" followed by any number of ":ID" steps, each
// naming a child of the window before it by control id (names allowed).
bool ResolveWindow(const std::string& windowPath, HWND* window, std::string* error);
std::string FormatWindow(HWND window);

// Text of a window through WM_GETTEXT, which the system carries across processes.
bool ReadWindowText(HWND window, std::string* text);

}  // namespace qbdrive

namespace qbdrive {

// Resolves positional argument i as a window; reports the error itself.
bool WindowArgument(const Args& args, size_t i, HWND* window);
// Resolves positional argument i as an id (name or number); reports the error itself.
bool IdArgument(const Args& args, size_t i, long* id);

}  // namespace qbdrive
