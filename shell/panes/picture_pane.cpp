#include "shell/panes/picture_pane.h"

#include <memory>
#include <new>
#include <optional>
#include <vector>

#include "base/byte_stream.h"
#include "base/product_names.h"
#include "common/scoped_handles.h"
#include "common/window.h"
#include "media/bitmap.h"
#include "media/dib_section.h"
#include "settings/settings_registry.h"
#include "shell/session/picture_layout.h"
#include "shell/frame/message_display.h"
#include "shell/resource_ids.h"

namespace qb {

const char kPictureClass[] = "Bild";

namespace {

struct PicturePane {
    HWND window = nullptr;
    ScopedMemoryDc memoryDc;
    HGDIOBJ memoryDcBitmap = nullptr;  // the context's own bitmap, selected while no picture is
    ScopedGdiObject picture;
    ScopedGdiObject palette;  // only on palette displays, for pictures that name their colours
    BitmapHeader header;
    PictureView view;
    bool layingOut = false;  // showing or hiding a bar resizes the pane from inside the lay-out
};

void StorePlace(HWND window) {
    StoreWindowPlace(window, kValueWinPosBild, StoredPlaceForm::CornerAndSize);
}

PaneMetrics Metrics(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    PaneMetrics metrics;
    metrics.clientWidth = client.right;
    metrics.clientHeight = client.bottom;
    metrics.verticalBarShown = (style & WS_VSCROLL) != 0;
    metrics.horizontalBarShown = (style & WS_HSCROLL) != 0;
    metrics.verticalBarWidth = GetSystemMetrics(SM_CXVSCROLL);
    metrics.horizontalBarHeight = GetSystemMetrics(SM_CYHSCROLL);
    return metrics;
}

void SetBar(HWND window, int bar, const ScrollAxis& axis) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
    info.nMin = 0;
    info.nMax = axis.maximum;
    info.nPos = axis.position;
    SetScrollInfo(window, bar, &info, TRUE);
    ShowScrollBar(window, bar, axis.maximum != 0);
}

// Lays out for the current client size and sets both bars to match.
void LayOut(PicturePane& pane) {
    pane.layingOut = true;
    LayOutPicture(pane.view, Metrics(pane.window));
    SetBar(pane.window, SB_VERT, pane.view.vertical);
    SetBar(pane.window, SB_HORZ, pane.view.horizontal);
    pane.layingOut = false;
}

void SelectIntoMemoryDc(PicturePane& pane, HGDIOBJ bitmap) {
    if (pane.memoryDc) SelectObject(pane.memoryDc.get(), bitmap ? bitmap : pane.memoryDcBitmap);
}

HPALETTE CreatePicturePalette(const BitmapHeader& header) {
    const std::vector<PaletteColour> colours = PictureColours(header);
    if (colours.empty()) return nullptr;
    std::vector<unsigned char> storage(sizeof(LOGPALETTE) + colours.size() * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(colours.size());
    for (size_t i = 0; i < colours.size(); ++i) {
        palette->palPalEntry[i].peRed = colours[i].red;
        palette->palPalEntry[i].peGreen = colours[i].green;
        palette->palPalEntry[i].peBlue = colours[i].blue;
        palette->palPalEntry[i].peFlags = 0;
    }
    return CreatePalette(palette);
}

// The picture's palette, made once per lay-out where the display has one.
void PreparePalette(PicturePane& pane) {
    pane.palette.reset();
    if (!pane.view.hasPicture) return;
    ScopedWindowDc screen(pane.window);
    if (screen.get() == nullptr || GetDeviceCaps(screen.get(), NUMCOLORS) == -1) return;
    pane.palette.reset(CreatePicturePalette(pane.header));
}

void OnLayoutCommand(PicturePane& pane) {
    LayOut(pane);
    PreparePalette(pane);
    SelectIntoMemoryDc(pane, pane.picture.get());
    InvalidateRect(pane.window, nullptr, TRUE);
}

void OnCreate(PicturePane& pane, HWND window) {
    pane.window = window;
    ScopedWindowDc screen(window);
    pane.memoryDc.reset(CreateCompatibleDC(screen.get()));
    if (pane.memoryDc) pane.memoryDcBitmap = GetCurrentObject(pane.memoryDc.get(), OBJ_BITMAP);
}

// The picture must leave the memory DC before either of them is deleted.
void OnDestroy(PicturePane& pane) {
    SelectIntoMemoryDc(pane, nullptr);
}

void OnSize(PicturePane& pane) {
    if (!pane.layingOut) LayOut(pane);
    StorePlace(pane.window);
    UpdateWindow(pane.window);
}

void OnPaint(PicturePane& pane) {
    ScopedPaint paint(pane.window);
    if (!pane.view.hasPicture || !pane.memoryDc) return;
    std::optional<ScopedPaletteSelection> palette;
    if (pane.palette) palette.emplace(paint.get(), static_cast<HPALETTE>(pane.palette.get()));
    BitBlt(paint.get(), pane.view.horizontal.offset, pane.view.vertical.offset, pane.view.horizontal.view,
           pane.view.vertical.view, pane.memoryDc.get(), pane.view.horizontal.position, pane.view.vertical.position,
           SRCCOPY);
}

ScrollRequest RequestOf(int code) {
    switch (code) {
    case SB_LINEUP: return ScrollRequest::LineBack;
    case SB_LINEDOWN: return ScrollRequest::LineForward;
    case SB_PAGEUP: return ScrollRequest::PageBack;
    case SB_PAGEDOWN: return ScrollRequest::PageForward;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: return ScrollRequest::Thumb;
    case SB_TOP: return ScrollRequest::Start;
    case SB_BOTTOM: return ScrollRequest::End;
    default: return ScrollRequest::Other;
    }
}

void OnScroll(PicturePane& pane, int bar, int code) {
    ScrollAxis& axis = bar == SB_VERT ? pane.view.vertical : pane.view.horizontal;
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(pane.window, bar, &info);
    const ScrollRequest request = RequestOf(code);
    if (request == ScrollRequest::Other) return;
    axis.position = ScrollTo(axis, request, info.nTrackPos);
    SetScrollPos(pane.window, bar, axis.position, TRUE);
    InvalidateRect(pane.window, nullptr, FALSE);
}

void OnKeyDown(HWND window, WPARAM key) {
    UINT message = WM_VSCROLL;
    int code;
    switch (key) {
    case VK_PRIOR: code = SB_PAGEUP; break;
    case VK_NEXT: code = SB_PAGEDOWN; break;
    case VK_END: code = SB_BOTTOM; break;
    case VK_HOME: code = SB_TOP; break;
    case VK_UP: code = SB_LINEUP; break;
    case VK_DOWN: code = SB_LINEDOWN; break;
    case VK_LEFT:
        message = WM_HSCROLL;
        code = SB_PAGELEFT;
        break;
    case VK_RIGHT:
        message = WM_HSCROLL;
        code = SB_PAGERIGHT;
        break;
    default: return;
    }
    SendMessageA(window, message, MAKEWPARAM(code, 0), 0);
}

LRESULT Dispatch(PicturePane& pane, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE: OnCreate(pane, window); return DefWindowProcA(window, message, wParam, lParam);
    case WM_NCDESTROY: OnDestroy(pane); return DefWindowProcA(window, message, wParam, lParam);
    case WM_SIZE: OnSize(pane); return 0;
    case WM_MOVE: StorePlace(pane.window); return 0;
    case WM_PAINT: OnPaint(pane); return 0;
    case WM_KEYDOWN: OnKeyDown(pane.window, wParam); return 0;
    case WM_VSCROLL: OnScroll(pane, SB_VERT, LOWORD(wParam)); return 0;
    case WM_HSCROLL: OnScroll(pane, SB_HORZ, LOWORD(wParam)); return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDM_PICTURE_LAYOUT) OnLayoutCommand(pane);
        return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

// A failed step leaves the pane empty; nothing is reported.
LRESULT OnFailure(PicturePane&, HWND window, UINT message, WPARAM wParam, LPARAM lParam, FailureKind) {
    return DefWindowProcA(window, message, wParam, lParam);
}

// The bits go into the section from the header read here, not through the
// system's file loader, so every header version and row order shows.
HBITMAP LoadPictureSection(const std::string& path, BitmapHeader& header) {
    DibImage image;
    try {
        if (!ReadBitmapFile(RealFileSystem(), path, header, image)) return nullptr;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return CreatePictureSection(image);
}

}  // namespace

void ReleasePicture(HWND picturePane) {
    PicturePane* pane = WindowState<PicturePane>(picturePane);
    if (pane == nullptr) return;
    SelectIntoMemoryDc(*pane, nullptr);
    pane->picture.reset();
    pane->palette.reset();
    pane->view.hasPicture = false;
    InvalidateRect(picturePane, nullptr, TRUE);
}

void LoadPicture(HWND picturePane, const std::string& path) {
    PicturePane* pane = WindowState<PicturePane>(picturePane);
    if (pane == nullptr) return;
    ReleasePicture(picturePane);
    pane->picture.reset(LoadPictureSection(path, pane->header));
    BITMAP bitmap = {};
    if (pane->picture && GetObjectA(pane->picture.get(), sizeof bitmap, &bitmap) != 0) {
        pane->view.hasPicture = true;
        pane->view.pictureWidth = bitmap.bmWidth;
        pane->view.pictureHeight = bitmap.bmHeight;
    } else {
        pane->picture.reset();
    }
    SetFocus(picturePane);
    SendMessageA(picturePane, WM_COMMAND, IDM_PICTURE_LAYOUT, 0);
    InvalidateRect(picturePane, nullptr, TRUE);
    UpdateWindow(picturePane);
}

HWND CreatePicturePane(HINSTANCE module, const RECT& place) {
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL;
    return CreateWindowExA(WS_EX_TOOLWINDOW, kPictureClass, LoadText(IDS_PICTURE_PANE_CAPTION).c_str(), style,
                           place.left, place.top, place.right, place.bottom, nullptr, nullptr, module, nullptr);
}

LRESULT CALLBACK PicturePaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return GuardedWindowProc<PicturePane, Dispatch, OnFailure, StateOwner::Window>(window, message, wParam, lParam);
}

}  // namespace qb
