// Commands on windows: finding, waiting, reading texts and places, sending messages.
#include <windows.h>
#include <cstdio>
#include <cctype>
#include <cstring>
#include <vector>

#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/ids.h"
#include "tests/e2e/driver/windows_found.h"

namespace qbdrive {

namespace {

void PrintWindowLine(HWND window, int depth) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    std::string title;
    ReadWindowText(window, &title);
    for (char& c : title) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    std::printf("%*s%s pid=%lu id=%ld class=%s visible=%d \"%s\"\n", depth * 2, "", FormatWindow(window).c_str(),
                static_cast<unsigned long>(pid), static_cast<long>(GetWindowLongPtrA(window, GWLP_ID)),
                ClassNameOf(window).c_str(), IsWindowVisible(window) ? 1 : 0, title.c_str());
}

void PrintChildrenOf(HWND parent, int depth) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        PrintWindowLine(child, depth);
        PrintChildrenOf(child, depth + 1);
    }
}

int WaitFor(const Args& args, WindowQuery query) {
    HWND found = WaitForWindow(query, args.Timeout());
    if (!found) {
        return Fail("no window with class \"" + query.className + "\" title \"" + query.title + "\" within " +
                    std::to_string(args.Timeout()) + " ms");
    }
    std::printf("%s\n", FormatWindow(found).c_str());
    return kOk;
}

bool ParseMessageArgs(const Args& args, HWND* window, UINT* message, WPARAM* wParam, LPARAM* lParam) {
    long values[3] = {};
    if (!WindowArgument(args, 0, window)) return false;
    for (int i = 0; i < 3; ++i) {
        if (!ParseLong(args.At(static_cast<size_t>(i) + 1), &values[i]) &&
            !IdArgument(args, static_cast<size_t>(i) + 1, &values[i])) {
            return false;
        }
    }
    *message = static_cast<UINT>(values[0]);
    *wParam = static_cast<WPARAM>(values[1]);
    *lParam = static_cast<LPARAM>(values[2]);
    return true;
}

// Virtual-key code of a key name: a letter or digit, F1..F24 or a named key.
bool KeyCode(const std::string& name, WORD* code) {
    struct Named {
        const char* name;
        WORD code;
    };
    static const Named kNamed[] = {
        {"enter", VK_RETURN}, {"return", VK_RETURN}, {"escape", VK_ESCAPE}, {"esc", VK_ESCAPE},
        {"tab", VK_TAB},      {"space", VK_SPACE},   {"up", VK_UP},         {"down", VK_DOWN},
        {"left", VK_LEFT},    {"right", VK_RIGHT},   {"home", VK_HOME},     {"end", VK_END},
        {"pageup", VK_PRIOR}, {"pagedown", VK_NEXT}, {"delete", VK_DELETE}, {"backspace", VK_BACK},
    };
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
        *code = static_cast<WORD>(std::toupper(static_cast<unsigned char>(name[0])));
        return true;
    }
    if ((name[0] == 'F' || name[0] == 'f') && name.size() <= 3) {
        long number = 0;
        if (ParseLong(name.substr(1), &number) && number >= 1 && number <= 24) {
            *code = static_cast<WORD>(VK_F1 + number - 1);
            return true;
        }
    }
    for (const auto& named : kNamed) {
        if (lstrcmpiA(name.c_str(), named.name) == 0) {
            *code = named.code;
            return true;
        }
    }
    return false;
}

// "ctrl+shift+F1" -> the key and its modifiers in press order.
bool ParseChord(const std::string& chord, std::vector<WORD>* keys) {
    size_t start = 0;
    for (;;) {
        size_t plus = chord.find('+', start);
        std::string part = chord.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
        WORD code = 0;
        if (lstrcmpiA(part.c_str(), "ctrl") == 0) {
            code = VK_CONTROL;
        } else if (lstrcmpiA(part.c_str(), "shift") == 0) {
            code = VK_SHIFT;
        } else if (lstrcmpiA(part.c_str(), "alt") == 0) {
            code = VK_MENU;
        } else if (part.empty() || !KeyCode(part, &code)) {
            return false;
        }
        keys->push_back(code);
        if (plus == std::string::npos) return true;
        start = plus + 1;
    }
}

INPUT KeyInput(WORD code, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = code;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

}  // namespace

int CmdWindows(const Args& args) {
    WindowQuery query;
    std::string error;
    if (!QueryFromArgs(args, &query, &error)) return Fail(error);
    for (HWND window : FindTopLevelWindows(query)) {
        PrintWindowLine(window, 0);
        if (args.Has("children")) PrintChildrenOf(window, 1);
    }
    return kOk;
}

int CmdChildren(const Args& args) {
    HWND window = nullptr;
    if (args.Count() != 1) return Usage("children WIN");
    if (!WindowArgument(args, 0, &window)) return kFailed;
    PrintChildrenOf(window, 0);
    return kOk;
}

int CmdWaitWindow(const Args& args) {
    WindowQuery query;
    std::string error;
    if (!QueryFromArgs(args, &query, &error)) return Fail(error);
    return WaitFor(args, query);
}

int CmdWaitDialog(const Args& args) {
    WindowQuery query;
    std::string error;
    if (!QueryFromArgs(args, &query, &error)) return Fail(error);
    if (query.className.empty()) query.className = "#32770";
    if (args.Has("caption")) {
        query.title = args.Get("caption");
        query.hasTitle = true;
    }
    return WaitFor(args, query);
}

int CmdWaitGone(const Args& args) {
    if (args.Count() != 1) return Usage("wait-gone WIN [--timeout MS]");
    HWND window = nullptr;
    std::string error;
    if (!ResolveWindow(args.At(0), &window, &error)) return kOk;  // already gone
    if (!PollUntil(args.Timeout(), [&] { return !IsWindow(window) || !IsWindowVisible(window); })) {
        return Fail("window " + args.At(0) + " still there after " + std::to_string(args.Timeout()) + " ms");
    }
    return kOk;
}

int CmdCount(const Args& args) {
    WindowQuery query;
    std::string error;
    if (!QueryFromArgs(args, &query, &error)) return Fail(error);
    std::printf("%u\n", static_cast<unsigned>(FindTopLevelWindows(query).size()));
    return kOk;
}

int CmdText(const Args& args) {
    if (args.Count() != 1) return Usage("text WIN");
    HWND window = nullptr;
    std::string text;
    if (!WindowArgument(args, 0, &window)) return kFailed;
    if (!ReadWindowText(window, &text)) return Fail("cannot read the text of " + args.At(0));
    std::printf("%s\n", text.c_str());
    return kOk;
}

int CmdWaitText(const Args& args) {
    if (args.Count() != 2) return Usage("wait-text WIN TEXT [--timeout MS]");
    HWND window = nullptr;
    if (!WindowArgument(args, 0, &window)) return kFailed;
    std::string text;
    if (!PollUntil(args.Timeout(), [&] { return ReadWindowText(window, &text) && text == args.At(1); })) {
        return Fail("expected text \"" + args.At(1) + "\", saw \"" + text + "\"");
    }
    return kOk;
}

int CmdIsWindow(const Args& args) {
    if (args.Count() != 1) return Usage("is-window WIN");
    HWND window = nullptr;
    std::string error;
    std::printf("%d\n", ResolveWindow(args.At(0), &window, &error) ? 1 : 0);
    return kOk;
}

int CmdEnabled(const Args& args) {
    HWND window = nullptr;
    if (args.Count() != 1) return Usage("enabled WIN");
    if (!WindowArgument(args, 0, &window)) return kFailed;
    std::printf("%d\n", IsWindowEnabled(window) ? 1 : 0);
    return kOk;
}

int CmdVisible(const Args& args) {
    HWND window = nullptr;
    if (args.Count() != 1) return Usage("visible WIN");
    if (!WindowArgument(args, 0, &window)) return kFailed;
    std::printf("%d\n", IsWindowVisible(window) ? 1 : 0);
    return kOk;
}

int CmdRect(const Args& args) {
    HWND window = nullptr;
    RECT rect = {};
    if (args.Count() != 1) return Usage("rect WIN");
    if (!WindowArgument(args, 0, &window)) return kFailed;
    if (!GetWindowRect(window, &rect)) return Fail("cannot read the rectangle of " + args.At(0));
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
    return kOk;
}

int CmdStyle(const Args& args) {
    HWND window = nullptr;
    if (args.Count() != 1) return Usage("style WIN");
    if (!WindowArgument(args, 0, &window)) return kFailed;
    std::printf("0x%08lx 0x%08lx\n", static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)),
                static_cast<unsigned long>(GetWindowLongA(window, GWL_EXSTYLE)));
    return kOk;
}

int CmdClientSize(const Args& args) {
    HWND window = nullptr;
    RECT rect = {};
    if (args.Count() != 1) return Usage("client-size WIN");
    if (!WindowArgument(args, 0, &window)) return kFailed;
    if (!GetClientRect(window, &rect)) return Fail("cannot read the client area of " + args.At(0));
    std::printf("%ld %ld\n", rect.right, rect.bottom);
    return kOk;
}

int CmdPlace(const Args& args) {
    HWND window = nullptr;
    RECT rect = {};
    if (args.Count() != 1) return Usage("place WIN");
    if (!WindowArgument(args, 0, &window)) return kFailed;
    if (!GetWindowRect(window, &rect)) return Fail("cannot read the rectangle of " + args.At(0));
    // A child's place is in its parent's client area, a top-level window's on the screen.
    HWND parent = (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr;
    if (parent) MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    return kOk;
}

int CmdMove(const Args& args) {
    if (args.Count() != 3 && args.Count() != 5) return Usage("move WIN X Y [WIDTH HEIGHT]");
    HWND window = nullptr;
    long v[4] = {};
    if (!WindowArgument(args, 0, &window)) return kFailed;
    for (size_t i = 1; i < args.Count(); ++i) {
        if (!ParseLong(args.At(i), &v[i - 1])) return Usage("move WIN X Y [WIDTH HEIGHT]: numbers expected");
    }
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (args.Count() == 3 ? SWP_NOSIZE : 0);
    if (!SetWindowPos(window, nullptr, v[0], v[1], v[2], v[3], flags)) return Fail("SetWindowPos failed");
    return kOk;
}

int CmdShow(const Args& args) {
    if (args.Count() != 2) return Usage("show WIN maximize|minimize|restore");
    HWND window = nullptr;
    if (!WindowArgument(args, 0, &window)) return kFailed;
    WPARAM command = 0;
    if (args.At(1) == "maximize") {
        command = SC_MAXIMIZE;
    } else if (args.At(1) == "minimize") {
        command = SC_MINIMIZE;
    } else if (args.At(1) == "restore") {
        command = SC_RESTORE;
    } else {
        return Usage("show WIN maximize|minimize|restore");
    }
    // The system command, as the caption buttons send it.
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, WM_SYSCOMMAND, command, 0, SMTO_ABORTIFHUNG, 10000, &result)) {
        return Fail("the window did not answer WM_SYSCOMMAND");
    }
    return kOk;
}

int CmdCommand(const Args& args) {
    if (args.Count() != 2) return Usage("command WIN ID [--timeout MS]");
    HWND window = nullptr;
    long id = 0;
    if (!WindowArgument(args, 0, &window) || !IdArgument(args, 1, &id)) return kFailed;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0, SMTO_ABORTIFHUNG, args.Timeout(), &result)) {
        return Fail("command " + args.At(1) +
                    " not handled within the time limit (use post-command when it opens a dialog)");
    }
    return kOk;
}

int CmdPostCommand(const Args& args) {
    if (args.Count() != 2) return Usage("post-command WIN ID");
    HWND window = nullptr;
    long id = 0;
    if (!WindowArgument(args, 0, &window) || !IdArgument(args, 1, &id)) return kFailed;
    if (!PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0)) return Fail("PostMessage failed");
    return kOk;
}

int CmdSend(const Args& args) {
    if (args.Count() != 4) return Usage("send WIN MESSAGE WPARAM LPARAM");
    HWND window = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    if (!ParseMessageArgs(args, &window, &message, &wParam, &lParam)) return kFailed;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, args.Timeout(), &result)) {
        return Fail("message not handled within the time limit");
    }
    std::printf("%lld\n", static_cast<long long>(static_cast<LONG_PTR>(result)));
    return kOk;
}

int CmdPost(const Args& args) {
    if (args.Count() != 4) return Usage("post WIN MESSAGE WPARAM LPARAM");
    HWND window = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    if (!ParseMessageArgs(args, &window, &message, &wParam, &lParam)) return kFailed;
    if (!PostMessageA(window, message, wParam, lParam)) return Fail("PostMessage failed");
    return kOk;
}

int CmdClose(const Args& args) {
    if (args.Count() != 1) return Usage("close WIN");
    HWND window = nullptr;
    if (!WindowArgument(args, 0, &window)) return kFailed;
    if (!PostMessageA(window, WM_CLOSE, 0, 0)) return Fail("PostMessage failed");
    return kOk;
}

int CmdKeys(const Args& args) {
    if (args.Count() < 2) return Usage("keys WIN CHORD... (e.g. ctrl+o F2 enter)");
    HWND window = nullptr;
    if (!WindowArgument(args, 0, &window)) return kFailed;
    HWND top = GetAncestor(window, GA_ROOT);
    SetForegroundWindow(top);
    if (!PollUntil(args.Timeout(), [&] { return GetForegroundWindow() == top; })) {
        return Fail("cannot bring " + args.At(0) + " to the foreground");
    }
    for (size_t i = 1; i < args.Count(); ++i) {
        std::vector<WORD> keys;
        if (!ParseChord(args.At(i), &keys)) return Usage("unknown key " + args.At(i));
        std::vector<INPUT> inputs;
        for (WORD key : keys) inputs.push_back(KeyInput(key, false));
        for (auto key = keys.rbegin(); key != keys.rend(); ++key) inputs.push_back(KeyInput(*key, true));
        if (SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) != inputs.size()) {
            return Fail("SendInput failed");
        }
    }
    return kOk;
}

int CmdMetric(const Args& args) {
    struct Named {
        const char* name;
        int index;
    };
    static const Named kMetrics[] = {
        {"SM_CXSCREEN", SM_CXSCREEN},       {"SM_CYSCREEN", SM_CYSCREEN},         {"SM_CXMAXIMIZED", SM_CXMAXIMIZED},
        {"SM_CYMAXIMIZED", SM_CYMAXIMIZED}, {"SM_CXFULLSCREEN", SM_CXFULLSCREEN}, {"SM_CYFULLSCREEN", SM_CYFULLSCREEN},
    };
    if (args.Count() != 1) return Usage("metric SM_NAME|INDEX");
    long index = -1;
    for (const auto& metric : kMetrics) {
        if (args.At(0) == metric.name) index = metric.index;
    }
    if (index < 0 && !ParseLong(args.At(0), &index)) return Usage("unknown metric " + args.At(0));
    std::printf("%d\n", GetSystemMetrics(static_cast<int>(index)));
    return kOk;
}

int CmdSystemFont(const Args& args) {
    if (args.Count() != 0) return Usage("system-font");
    LOGFONTA lf = {};
    if (GetObjectA(GetStockObject(SYSTEM_FONT), sizeof lf, &lf) == 0) return Fail("no system font");
    std::printf("%ld,%ld,%ld,%ld,%ld,%d,%d,%d,%d,%d,%d,%d,%d,%s\n", lf.lfHeight, lf.lfWidth, lf.lfEscapement,
                lf.lfOrientation, lf.lfWeight, lf.lfItalic, lf.lfUnderline, lf.lfStrikeOut, lf.lfCharSet,
                lf.lfOutPrecision, lf.lfClipPrecision, lf.lfQuality, lf.lfPitchAndFamily, lf.lfFaceName);
    return kOk;
}

}  // namespace qbdrive
