// qbprobe.dll: loaded by the driver into a program under test. Menus and GDI
// objects belong to their process, so their state is read from inside it.
#include <windows.h>
#include <cstdio>
#include <string>

#include "tests/e2e/driver/probe_request.h"

namespace {

using qbdrive::ProbeRequest;

const char* StateName(UINT state) {
    if (state & MF_GRAYED) return "grayed";
    if (state & MF_DISABLED) return "disabled";
    return "enabled";
}

void DumpMenu(HMENU menu, int level, std::string* out) {
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text - 1;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        char line[400];
        if (info.fType & MFT_SEPARATOR) {
            std::snprintf(line, sizeof line, "%d\t0\tseparator\t\n", level);
        } else if (info.hSubMenu) {
            std::snprintf(line, sizeof line, "%d\tpopup\t%s\t%s\n", level, StateName(info.fState), text);
        } else {
            std::snprintf(line, sizeof line, "%d\t%u\t%s\t%s\n", level, info.wID, StateName(info.fState), text);
        }
        *out += line;
        if (info.hSubMenu) DumpMenu(info.hSubMenu, level + 1, out);
    }
}

bool ProbeFont(HWND window, std::string* out) {
    DWORD_PTR font = 0;
    if (!SendMessageTimeoutA(window, WM_GETFONT, 0, 0, SMTO_ABORTIFHUNG, 5000, &font)) return false;
    HGDIOBJ object = font ? reinterpret_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT);
    LOGFONTA lf = {};
    if (GetObjectA(object, sizeof lf, &lf) == 0) return false;
    char line[200];
    std::snprintf(line, sizeof line, "%ld,%ld,%ld,%ld,%ld,%d,%d,%d,%d,%d,%d,%d,%d,%s", lf.lfHeight, lf.lfWidth,
                  lf.lfEscapement, lf.lfOrientation, lf.lfWeight, lf.lfItalic, lf.lfUnderline, lf.lfStrikeOut,
                  lf.lfCharSet, lf.lfOutPrecision, lf.lfClipPrecision, lf.lfQuality, lf.lfPitchAndFamily,
                  lf.lfFaceName);
    *out = line;
    return true;
}

bool ProbeTextExtent(HWND window, std::string* out) {
    char text[1024] = {};
    const int length = GetWindowTextA(window, text, sizeof text);
    DWORD_PTR font = 0;
    if (!SendMessageTimeoutA(window, WM_GETFONT, 0, 0, SMTO_ABORTIFHUNG, 5000, &font)) return false;
    HDC dc = GetDC(window);
    if (dc == nullptr) return false;
    HGDIOBJ previous = SelectObject(dc, font ? reinterpret_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    SIZE size = {};
    const bool measured = GetTextExtentPoint32A(dc, text, length, &size) != FALSE;
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    char line[64];
    std::snprintf(line, sizeof line, "%ld %ld", size.cx, size.cy);
    *out = line;
    return measured;
}

void Answer(ProbeRequest* request) {
    HWND window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(request->window));
    std::string text;
    request->result = 0;
    switch (request->operation) {
    case qbdrive::kProbeMenuState: {
        HMENU menu = GetMenu(window);
        UINT state = menu ? GetMenuState(menu, static_cast<UINT>(request->id), MF_BYCOMMAND) : ~0u;
        request->state = state;
        request->result = state != ~0u;
        break;
    }
    case qbdrive::kProbeMenuDump: {
        HMENU menu = GetMenu(window);
        if (menu) DumpMenu(menu, 0, &text);
        request->result = menu != nullptr;
        break;
    }
    case qbdrive::kProbeFont: request->result = ProbeFont(window, &text); break;
    case qbdrive::kProbeTextExtent: request->result = ProbeTextExtent(window, &text); break;
    default: break;
    }
    lstrcpynA(request->text, text.c_str(), sizeof request->text);
}

}  // namespace

extern "C" __declspec(dllexport) DWORD WINAPI RunProbeRequest(void* parameter) {
    Answer(static_cast<ProbeRequest*>(parameter));
    return 0;
}
