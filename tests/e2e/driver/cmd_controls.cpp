// Commands on common controls and dialog controls. Control messages that take
// pointers get memory in the target process (see remote.h).
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <cstring>

#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/remote.h"
#include "tests/e2e/driver/windows_found.h"

namespace qbdrive {

namespace {

const size_t kTextOffset = 1024;  // text buffers follow the structure in a remote block
const size_t kTextSize = 4096;

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 10000, &answer)) return false;
    *result = static_cast<LRESULT>(answer);
    return true;
}

// One status-bar part's text, read through a buffer in the target.
bool StatusPartText(HWND bar, const RemoteBuffer& buffer, int part, std::string* text) {
    LRESULT length = 0;
    if (!Send(bar, SB_GETTEXTLENGTHA, static_cast<WPARAM>(part), 0, &length)) return false;
    if (LOWORD(length) >= kTextSize) return false;
    LRESULT ignored = 0;
    if (!Send(bar, SB_GETTEXTA, static_cast<WPARAM>(part), buffer.AsLParam(), &ignored)) return false;
    std::string raw(LOWORD(length) + 1, '\0');
    if (!buffer.Read(&raw[0], raw.size())) return false;
    *text = raw.c_str();
    return true;
}

bool ReadListItem(HWND list, const RemoteBuffer& buffer, int index, LVITEMA* item, std::string* text) {
    LVITEMA request = {};
    request.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
    request.iItem = index;
    request.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    request.pszText = reinterpret_cast<LPSTR>(buffer.At(kTextOffset));
    request.cchTextMax = static_cast<int>(kTextSize);
    LRESULT ok = 0;
    char raw[kTextSize] = {};
    if (!buffer.Write(&request, sizeof request) || !Send(list, LVM_GETITEMA, 0, buffer.AsLParam(), &ok) || !ok ||
        !buffer.Read(item, sizeof *item) || !buffer.Read(raw, sizeof raw, kTextOffset)) {
        return false;
    }
    raw[kTextSize - 1] = '\0';
    *text = raw;
    return true;
}

int SetListSelection(const Args& args, bool select) {
    if (args.Count() != 2) return Usage(select ? "lv-select LIST INDEX" : "lv-deselect LIST INDEX");
    HWND list = nullptr;
    long index = 0;
    if (!WindowArgument(args, 0, &list)) return kFailed;
    if (!ParseLong(args.At(1), &index)) return Usage("INDEX must be a number");
    RemoteProcess process(list);
    RemoteBuffer buffer(process, sizeof(LVITEMA));
    LVITEMA item = {};
    item.stateMask = select ? LVIS_SELECTED | LVIS_FOCUSED : LVIS_SELECTED;
    item.state = select ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    LRESULT ok = 0;
    if (!buffer.IsValid() || !buffer.Write(&item, sizeof item) ||
        !Send(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), buffer.AsLParam(), &ok) || !ok) {
        return Fail("cannot change the selection of item " + args.At(1));
    }
    if (select) Send(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE, &ok);
    return kOk;
}

bool RunProbeFor(HWND window, ProbeOperation operation, long id, ProbeRequest* request) {
    std::memset(request, 0, sizeof *request);
    request->operation = operation;
    request->id = static_cast<int32_t>(id);
    request->window = reinterpret_cast<UINT_PTR>(window);
    std::string error;
    if (!RunProbe(request, &error)) {
        Fail(error);
        return false;
    }
    return true;
}

LRESULT ButtonCheckState(HWND button) {
    LRESULT state = -1;
    Send(button, BM_GETCHECK, 0, 0, &state);
    return state;
}

}  // namespace

int CmdStatus(const Args& args) {
    if (args.Count() != 1 && args.Count() != 2) return Usage("status BAR [PART]");
    HWND bar = nullptr;
    if (!WindowArgument(args, 0, &bar)) return kFailed;
    LRESULT parts = 0;
    if (!Send(bar, SB_GETPARTS, 0, 0, &parts)) return Fail("the status bar does not answer");
    long first = 0;
    long last = static_cast<long>(parts) - 1;
    if (args.Count() == 2) {
        if (!ParseLong(args.At(1), &first) || first < 0 || first > last) {
            return Fail("the status bar has " + std::to_string(parts) + " parts, no part " + args.At(1));
        }
        last = first;
    }
    RemoteProcess process(bar);
    RemoteBuffer buffer(process, kTextSize);
    if (!buffer.IsValid()) return Fail("cannot reach the status bar's process");
    for (long part = first; part <= last; ++part) {
        std::string text;
        if (!StatusPartText(bar, buffer, static_cast<int>(part), &text)) return Fail("cannot read status-bar part");
        std::printf("%s\n", text.c_str());
    }
    return kOk;
}

int CmdToolbar(const Args& args) {
    if (args.Count() != 1) return Usage("toolbar TOOLBAR");
    HWND toolbar = nullptr;
    if (!WindowArgument(args, 0, &toolbar)) return kFailed;
    LRESULT count = 0;
    if (!Send(toolbar, TB_BUTTONCOUNT, 0, 0, &count)) return Fail("the toolbar does not answer");
    RemoteProcess process(toolbar);
    RemoteBuffer buffer(process, sizeof(TBBUTTON));
    if (!buffer.IsValid()) return Fail("cannot reach the toolbar's process");
    for (LRESULT i = 0; i < count; ++i) {
        TBBUTTON button = {};
        LRESULT ok = 0;
        if (!Send(toolbar, TB_GETBUTTON, static_cast<WPARAM>(i), buffer.AsLParam(), &ok) || !ok ||
            !buffer.Read(&button, sizeof button)) {
            return Fail("cannot read toolbar button " + std::to_string(i));
        }
        bool separator = (button.fsStyle & BTNS_SEP) != 0;
        std::printf("%d\t%d\t%d\t%s\t%s\n", static_cast<int>(i), separator ? 0 : button.idCommand,
                    separator ? -1 : button.iBitmap, (button.fsState & TBSTATE_ENABLED) ? "enabled" : "disabled",
                    separator ? "separator" : "button");
    }
    return kOk;
}

int CmdToolbarState(const Args& args) {
    if (args.Count() != 2) return Usage("toolbar-state TOOLBAR ID");
    HWND toolbar = nullptr;
    long id = 0;
    if (!WindowArgument(args, 0, &toolbar) || !IdArgument(args, 1, &id)) return kFailed;
    LRESULT state = -1;
    if (!Send(toolbar, TB_GETSTATE, static_cast<WPARAM>(id), 0, &state) || state == -1) {
        return Fail("the toolbar has no button " + args.At(1));
    }
    std::printf("%s\n", (state & TBSTATE_ENABLED) ? "enabled" : "disabled");
    return kOk;
}

int CmdTooltip(const Args& args) {
    if (args.Count() != 2) return Usage("tooltip TOOLBAR ID");
    HWND toolbar = nullptr;
    long id = 0;
    if (!WindowArgument(args, 0, &toolbar) || !IdArgument(args, 1, &id)) return kFailed;
    LRESULT tips = 0;
    if (!Send(toolbar, TB_GETTOOLTIPS, 0, 0, &tips) || !tips) return Fail("the toolbar has no tooltip control");
    HWND tooltip = reinterpret_cast<HWND>(tips);
    RemoteProcess process(tooltip);
    RemoteBuffer buffer(process, kTextOffset + kTextSize);
    TTTOOLINFOA info = {};
    info.cbSize = sizeof info;
    info.hwnd = toolbar;
    info.uId = static_cast<UINT_PTR>(id);
    info.lpszText = reinterpret_cast<LPSTR>(buffer.At(kTextOffset));
    char text[kTextSize] = {};
    LRESULT ignored = 0;
    // The tooltip control asks the toolbar's owner for callback texts itself.
    if (!buffer.IsValid() || !buffer.Write(&info, sizeof info) || !buffer.Write(text, sizeof text, kTextOffset) ||
        !Send(tooltip, TTM_GETTEXTA, kTextSize, buffer.AsLParam(), &ignored) ||
        !buffer.Read(text, sizeof text, kTextOffset)) {
        return Fail("cannot read the tooltip of " + args.At(1));
    }
    text[kTextSize - 1] = '\0';
    std::printf("%s\n", text);
    return kOk;
}

int CmdMenu(const Args& args) {
    if (args.Count() != 1) return Usage("menu WIN");
    HWND window = nullptr;
    ProbeRequest request;
    if (!WindowArgument(args, 0, &window) || !RunProbeFor(window, kProbeMenuDump, 0, &request)) return kFailed;
    if (!request.result) return Fail("the window has no menu");
    std::printf("%s", request.text);
    return kOk;
}

namespace {

// The state flags of menu item ID of WIN's menu, read inside the program.
int MenuItemState(const Args& args, const char* usage, UINT* state) {
    if (args.Count() != 2) return Usage(usage);
    HWND window = nullptr;
    long id = 0;
    ProbeRequest request;
    if (!WindowArgument(args, 0, &window) || !IdArgument(args, 1, &id) ||
        !RunProbeFor(window, kProbeMenuState, id, &request)) {
        return kFailed;
    }
    if (!request.result) return Fail("the menu has no item " + args.At(1));
    *state = request.state;
    return kOk;
}

}  // namespace

int CmdMenuState(const Args& args) {
    UINT state = 0;
    const int status = MenuItemState(args, "menu-state WIN ID", &state);
    if (status != kOk) return status;
    const char* name = (state & MF_GRAYED) ? "grayed" : (state & MF_DISABLED) ? "disabled" : "enabled";
    std::printf("%s\n", name);
    return kOk;
}

int CmdMenuChecked(const Args& args) {
    UINT state = 0;
    const int status = MenuItemState(args, "menu-checked WIN ID", &state);
    if (status != kOk) return status;
    std::printf("%d\n", (state & MF_CHECKED) ? 1 : 0);
    return kOk;
}

namespace {

// A command of one window whose answer the probe gives as a line of text.
int PrintProbeAnswer(const Args& args, const char* usage, ProbeOperation operation, const char* failure) {
    if (args.Count() != 1) return Usage(usage);
    HWND window = nullptr;
    ProbeRequest request;
    if (!WindowArgument(args, 0, &window) || !RunProbeFor(window, operation, 0, &request)) return kFailed;
    if (!request.result) return Fail(failure + args.At(0));
    std::printf("%s\n", request.text);
    return kOk;
}

}  // namespace

int CmdFont(const Args& args) {
    return PrintProbeAnswer(args, "font WIN", kProbeFont, "cannot read the font of ");
}

int CmdTextExtent(const Args& args) {
    return PrintProbeAnswer(args, "text-extent WIN", kProbeTextExtent, "cannot measure the text of ");
}

int CmdListItems(const Args& args) {
    if (args.Count() != 1) return Usage("lv-items LIST");
    HWND list = nullptr;
    if (!WindowArgument(args, 0, &list)) return kFailed;
    LRESULT count = 0;
    if (!Send(list, LVM_GETITEMCOUNT, 0, 0, &count)) return Fail("the list view does not answer");
    RemoteProcess process(list);
    RemoteBuffer buffer(process, kTextOffset + kTextSize);
    if (!buffer.IsValid()) return Fail("cannot reach the list view's process");
    for (int i = 0; i < static_cast<int>(count); ++i) {
        LVITEMA item = {};
        std::string text;
        if (!ReadListItem(list, buffer, i, &item, &text)) return Fail("cannot read list item " + std::to_string(i));
        std::printf("%d\t%s\t%d\t%lld\t%d\n", i, text.c_str(), item.iImage, static_cast<long long>(item.lParam),
                    (item.state & LVIS_SELECTED) ? 1 : 0);
    }
    return kOk;
}

int CmdListColumns(const Args& args) {
    if (args.Count() != 1) return Usage("lv-columns LIST");
    HWND list = nullptr;
    if (!WindowArgument(args, 0, &list)) return kFailed;
    RemoteProcess process(list);
    RemoteBuffer buffer(process, kTextOffset + kTextSize);
    if (!buffer.IsValid()) return Fail("cannot reach the list view's process");
    for (int column = 0;; ++column) {
        LVCOLUMNA request = {};
        request.mask = LVCF_TEXT;
        request.pszText = reinterpret_cast<LPSTR>(buffer.At(kTextOffset));
        request.cchTextMax = static_cast<int>(kTextSize);
        LRESULT ok = 0;
        char text[kTextSize] = {};
        if (!buffer.Write(&request, sizeof request) || !buffer.Write(text, sizeof text, kTextOffset) ||
            !Send(list, LVM_GETCOLUMNA, static_cast<WPARAM>(column), buffer.AsLParam(), &ok)) {
            return Fail("the list view does not answer");
        }
        if (!ok) return kOk;
        if (!buffer.Read(text, sizeof text, kTextOffset)) return Fail("cannot read column " + std::to_string(column));
        text[kTextSize - 1] = '\0';
        std::printf("%s\n", text);
    }
}

int CmdListCells(const Args& args) {
    if (args.Count() != 2) return Usage("lv-cells LIST COLUMN");
    HWND list = nullptr;
    long column = 0;
    if (!WindowArgument(args, 0, &list)) return kFailed;
    if (!ParseLong(args.At(1), &column)) return Usage("COLUMN must be a number");
    LRESULT count = 0;
    if (!Send(list, LVM_GETITEMCOUNT, 0, 0, &count)) return Fail("the list view does not answer");
    RemoteProcess process(list);
    RemoteBuffer buffer(process, kTextOffset + kTextSize);
    if (!buffer.IsValid()) return Fail("cannot reach the list view's process");
    for (int row = 0; row < static_cast<int>(count); ++row) {
        LVITEMA request = {};
        request.iSubItem = static_cast<int>(column);
        request.pszText = reinterpret_cast<LPSTR>(buffer.At(kTextOffset));
        request.cchTextMax = static_cast<int>(kTextSize);
        char text[kTextSize] = {};
        LRESULT length = 0;
        if (!buffer.Write(&request, sizeof request) || !buffer.Write(text, sizeof text, kTextOffset) ||
            !Send(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), buffer.AsLParam(), &length) ||
            !buffer.Read(text, sizeof text, kTextOffset)) {
            return Fail("cannot read row " + std::to_string(row));
        }
        text[kTextSize - 1] = '\0';
        std::printf("%d\t%s\n", row, text);
    }
    return kOk;
}

int CmdListHeaderClick(const Args& args) {
    if (args.Count() != 2) return Usage("lv-header-click LIST COLUMN");
    HWND list = nullptr;
    long column = 0;
    if (!WindowArgument(args, 0, &list)) return kFailed;
    if (!ParseLong(args.At(1), &column)) return Usage("COLUMN must be a number");
    LRESULT header = 0;
    if (!Send(list, LVM_GETHEADER, 0, 0, &header) || !header) return Fail("the list view has no header");
    HWND headerWindow = reinterpret_cast<HWND>(header);
    if (!IsWindowVisible(headerWindow)) return Fail("the list view's header is hidden");
    RemoteProcess process(headerWindow);
    RemoteBuffer buffer(process, sizeof(RECT));
    RECT place = {};
    LRESULT ok = 0;
    if (!buffer.IsValid() ||
        !Send(headerWindow, HDM_GETITEMRECT, static_cast<WPARAM>(column), buffer.AsLParam(), &ok) || !ok ||
        !buffer.Read(&place, sizeof place)) {
        return Fail("the header has no column " + args.At(1));
    }
    // A press and release of the left button in the column's header: the
    // header tells the list, which sends its parent LVN_COLUMNCLICK.
    const LPARAM where = MAKELPARAM((place.left + place.right) / 2, (place.top + place.bottom) / 2);
    if (!PostMessageA(headerWindow, WM_LBUTTONDOWN, MK_LBUTTON, where) ||
        !PostMessageA(headerWindow, WM_LBUTTONUP, 0, where)) {
        return Fail("PostMessage failed");
    }
    return kOk;
}

int CmdListSelect(const Args& args) {
    return SetListSelection(args, true);
}

int CmdListDeselect(const Args& args) {
    return SetListSelection(args, false);
}

int CmdListSelected(const Args& args) {
    if (args.Count() != 1) return Usage("lv-selected LIST");
    HWND list = nullptr;
    LRESULT index = -1;
    if (!WindowArgument(args, 0, &list)) return kFailed;
    if (!Send(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED, &index)) {
        return Fail("the list view does not answer");
    }
    std::printf("%d\n", static_cast<int>(index));
    return kOk;
}

int CmdListDoubleClick(const Args& args) {
    if (args.Count() != 2) return Usage("lv-double-click LIST INDEX");
    HWND list = nullptr;
    long index = 0;
    if (!WindowArgument(args, 0, &list)) return kFailed;
    if (!ParseLong(args.At(1), &index)) return Usage("INDEX must be a number");
    RemoteProcess process(list);
    RemoteBuffer buffer(process, sizeof(RECT));
    RECT label = {};
    label.left = LVIR_LABEL;
    LRESULT ok = 0;
    if (!buffer.IsValid() || !buffer.Write(&label, sizeof label) ||
        !Send(list, LVM_GETITEMRECT, static_cast<WPARAM>(index), buffer.AsLParam(), &ok) || !ok ||
        !buffer.Read(&label, sizeof label)) {
        return Fail("list item " + args.At(1) + " has no place on the screen");
    }
    // The second click of a double-click, posted where the item's label is:
    // the list view sends its parent NM_DBLCLK for that item.
    const LPARAM where = MAKELPARAM((label.left + label.right) / 2, (label.top + label.bottom) / 2);
    if (!PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, where) || !PostMessageA(list, WM_LBUTTONUP, 0, where)) {
        return Fail("PostMessage failed");
    }
    return kOk;
}

int CmdPress(const Args& args) {
    if (args.Count() != 1) return Usage("press BUTTON");
    HWND button = nullptr;
    if (!WindowArgument(args, 0, &button)) return kFailed;
    if (!IsWindowVisible(button) || !IsWindowEnabled(button)) {
        return Fail("button " + args.At(0) + " is hidden or disabled and cannot be pressed");
    }
    // The notification a click sends; posted, so a dialog it opens cannot block the driver.
    int id = GetDlgCtrlID(button);
    if (!PostMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button))) {
        return Fail("PostMessage failed");
    }
    return kOk;
}

int CmdCheck(const Args& args) {
    if (args.Count() != 2 || (args.At(1) != "0" && args.At(1) != "1")) return Usage("check BOX 0|1");
    HWND box = nullptr;
    if (!WindowArgument(args, 0, &box)) return kFailed;
    LRESULT wanted = args.At(1) == "1" ? BST_CHECKED : BST_UNCHECKED;
    if (ButtonCheckState(box) == wanted) return kOk;
    if (!IsWindowEnabled(box)) return Fail("check box " + args.At(0) + " is disabled");
    // A click, so that the dialog sees the same notification as from the mouse.
    PostMessageA(box, BM_CLICK, 0, 0);
    if (!PollUntil(args.Timeout(), [&] { return ButtonCheckState(box) == wanted; })) {
        return Fail("check box " + args.At(0) + " did not change to " + args.At(1));
    }
    return kOk;
}

int CmdChecked(const Args& args) {
    if (args.Count() != 1) return Usage("checked BOX");
    HWND box = nullptr;
    if (!WindowArgument(args, 0, &box)) return kFailed;
    std::printf("%d\n", static_cast<int>(ButtonCheckState(box)));
    return kOk;
}

int CmdSetText(const Args& args) {
    if (args.Count() != 2) return Usage("set-text WIN TEXT");
    HWND window = nullptr;
    LRESULT ok = 0;
    if (!WindowArgument(args, 0, &window)) return kFailed;
    if (!Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args.At(1).c_str()), &ok) || !ok) {
        return Fail("cannot set the text of " + args.At(0));
    }
    return kOk;
}

int CmdType(const Args& args) {
    if (args.Count() != 2) return Usage("type WIN TEXT");
    HWND window = nullptr;
    LRESULT ignored = 0;
    if (!WindowArgument(args, 0, &window)) return kFailed;
    for (char c : args.At(1)) {
        // A line break is typed as the Enter key.
        WPARAM character = c == '\n' ? '\r' : static_cast<unsigned char>(c);
        if (!Send(window, WM_CHAR, character, 1, &ignored)) return Fail("the control does not take characters");
    }
    return kOk;
}

}  // namespace qbdrive
