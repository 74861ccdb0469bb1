#include "tests/e2e/driver/args.h"

#include <cstdio>
#include <cstdlib>

#include "tests/e2e/driver/ids.h"

namespace qbdrive {

Args::Args(const std::vector<std::string>& words, const std::vector<std::string>& flags) {
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.size() > 2 && word.compare(0, 2, "--") == 0) {
            std::string name = word.substr(2);
            bool isFlag = false;
            for (const auto& flag : flags) isFlag = isFlag || flag == name;
            if (isFlag || i + 1 == words.size()) {
                options_[name] = "";
            } else {
                options_[name] = words[++i];
            }
        } else {
            positional_.push_back(word);
        }
    }
}

std::string Args::Get(const std::string& option, const std::string& fallback) const {
    auto found = options_.find(option);
    return found == options_.end() ? fallback : found->second;
}

DWORD Args::Timeout() const {
    long value = 10000;
    ParseLong(Get("timeout", "10000"), &value);
    return value < 0 ? 0 : static_cast<DWORD>(value);
}

namespace {
std::string* g_messageSink = nullptr;

void Report(const std::string& message) {
    if (g_messageSink) {
        *g_messageSink += "qbdrive: " + message + "\n";
    } else {
        std::fprintf(stderr, "qbdrive: %s\n", message.c_str());
    }
}
}  // namespace

void SetMessageSink(std::string* sink) {
    g_messageSink = sink;
}

int Fail(const std::string& message) {
    Report(message);
    return kFailed;
}

int Usage(const std::string& message) {
    Report("usage: " + message);
    return kUsage;
}

bool ParseLong(const std::string& text, long* value) {
    if (text.empty()) return false;
    char* end = nullptr;
    long long parsed = std::strtoll(text.c_str(), &end, 0);
    if (*end != '\0') return false;
    *value = static_cast<long>(parsed);
    return true;
}

bool ResolveWindow(const std::string& windowPath, HWND* window, std::string* error) {
    size_t colon = windowPath.find(':');
    std::string head = windowPath.substr(0, colon);
    char* end = nullptr;
    unsigned long long handle = std::strtoull(head.c_str(), &end, 0);
    if (head.empty() || *end != '\0') {
        *error = "not a window handle: " + head;
        return false;
    }
    HWND current = reinterpret_cast<HWND>(static_cast<UINT_PTR>(handle));
    while (colon != std::string::npos) {
        size_t next = windowPath.find(':', colon + 1);
        std::string step =
            windowPath.substr(colon + 1, next == std::string::npos ? std::string::npos : next - colon - 1);
        long id = 0;
        if (!ResolveId(step, &id, error)) return false;
        HWND child = GetDlgItem(current, static_cast<int>(id));
        if (!child) {
            *error = "window " + FormatWindow(current) + " has no child with id " + step;
            return false;
        }
        current = child;
        colon = next;
    }
    if (!IsWindow(current)) {
        *error = "no such window: " + windowPath;
        return false;
    }
    *window = current;
    return true;
}

std::string FormatWindow(HWND window) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
    return text;
}

bool ReadWindowText(HWND window, std::string* text) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return false;
    std::string buffer(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&buffer[0]), SMTO_ABORTIFHUNG,
                             5000, &copied)) {
        return false;
    }
    buffer.resize(copied);
    *text = buffer;
    return true;
}

}  // namespace qbdrive

namespace qbdrive {

bool WindowArgument(const Args& args, size_t i, HWND* window) {
    std::string error;
    if (ResolveWindow(args.At(i), window, &error)) return true;
    Fail(error);
    return false;
}

bool IdArgument(const Args& args, size_t i, long* id) {
    std::string error;
    if (ResolveId(args.At(i), id, &error)) return true;
    Fail(error);
    return false;
}

}  // namespace qbdrive
