#include "kelpo/ucScrollbar_win.h"

#include <windowsx.h>

namespace velmora::kelpo {
namespace {

HBRUSH MakeCheckers() {
    // 8 x 8, rows alternating 0xAA and 0x55; monochrome rows are word-aligned.
    const WORD rows[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    HBITMAP pattern = CreateBitmap(8, 8, 1, 1, rows);
    if (!pattern) return nullptr;
    HBRUSH brush = CreatePatternBrush(pattern);
    DeleteObject(pattern);
    return brush;
}

Point PointOf(LPARAM lParam) { return Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

RECT ToRect(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

}  // namespace

bool RegisterScrollbarClass(HMODULE module) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(module, ucScrollbarWindow::kClassName, &wc)) return true;
    wc.cbSize = sizeof wc;
    // Double clicks arrive as such and are turned back into a press.
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = module;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = ucScrollbarWindow::kClassName;
    return RegisterClassExW(&wc) != 0;
}

void UnregisterScrollbarClass(HMODULE module) { UnregisterClassW(ucScrollbarWindow::kClassName, module); }

ucScrollbarWindow::ucScrollbarWindow(HMODULE module, ScrollbarEvents events)
    : module_(module),
      events_(std::move(events)),
      bar_(*this),
      hook_([this](HookCall& call) { Message(call); }),
      checkers_(MakeCheckers()) {
    bar_.Resize(kWidth, 0);
}

ucScrollbarWindow::~ucScrollbarWindow() {
    Destroy();
    if (checkers_) DeleteObject(checkers_);
}

bool ucScrollbarWindow::Create(HWND parent, bool running) {
    if (window_) return true;
    if (!RegisterScrollbarClass(module_)) return false;
    painter_.Load(module_, bar_.orientation());
    window_ = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, bar_.width(), bar_.height(), parent,
                              nullptr, module_, nullptr);
    if (!window_) return false;
    if (running) {
        hook_.Hook(window_);
        for (UINT m : {WM_PAINT, WM_SIZE}) hook_.AddBefore(window_, static_cast<std::int32_t>(m));
        for (UINT m : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_CANCELMODE, WM_TIMER,
                       WM_CAPTURECHANGED})
            hook_.AddAfter(window_, static_cast<std::int32_t>(m));
    }
    if (bar_.Visible()) ShowWindow(window_, SW_SHOWNA);
    return true;
}

void ucScrollbarWindow::Destroy() {
    if (!window_) return;
    HWND window = window_;
    window_ = nullptr;
    for (int id = kDelayTimer; id <= kLeaveTimer; ++id) KillTimer(window, static_cast<UINT_PTR>(id));
    hook_.UnhookAll();
    if (IsWindow(window)) DestroyWindow(window);
}

void ucScrollbarWindow::SetVisible(bool visible) {
    if (window_) ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE);
    bar_.SetVisible(visible);
}

void ucScrollbarWindow::Move(int left, int top, int width, int height) {
    bar_.Resize(width, height);
    if (window_) MoveWindow(window_, left, top, width, height, TRUE);
}

void ucScrollbarWindow::Refresh() { Repaint(); }

// The host side of the portable scrollbar.

void ucScrollbarWindow::StartTimer(int id, int milliseconds) {
    if (window_) SetTimer(window_, static_cast<UINT_PTR>(id), static_cast<UINT>(milliseconds), nullptr);
}

void ucScrollbarWindow::StopTimer(int id) {
    if (window_) KillTimer(window_, static_cast<UINT_PTR>(id));
}

void ucScrollbarWindow::Repaint() {
    if (!window_ || !IsWindowVisible(window_)) return;
    HDC dc = GetDC(window_);
    if (!dc) return;
    Paint(dc);
    ReleaseDC(window_, dc);
}

void ucScrollbarWindow::Change() {
    if (events_.change) events_.change();
}
void ucScrollbarWindow::Scroll() {
    if (events_.scroll) events_.scroll();
}
void ucScrollbarWindow::Show() {
    if (events_.show) events_.show();
}
void ucScrollbarWindow::Hide() {
    if (events_.hide) events_.hide();
}

// Painting straight onto the window, in the order buttons, track and thumb, filler.
void ucScrollbarWindow::Paint(HDC dc) {
    const ScrollbarLayout& l = bar_.layout();
    painter_.DrawButton(dc, l.button1, bar_.ButtonState(1), true);
    painter_.DrawButton(dc, l.button2, bar_.ButtonState(2), false);
    if (l.hasThumb) {
        painter_.DrawTrack(dc, l.trackBefore, bar_.TrackState(BarPart::TrackBefore));
        painter_.DrawTrack(dc, l.trackAfter, bar_.TrackState(BarPart::TrackAfter));
        painter_.DrawThumb(dc, l.thumb, bar_.ThumbState());
    }
    if (!l.filler.Empty() && checkers_) {
        const COLORREF oldText = SetTextColor(dc, GetSysColor(COLOR_BTNFACE));
        const COLORREF oldBack = SetBkColor(dc, GetSysColor(COLOR_3DHILIGHT));
        RECT filler = ToRect(l.filler);
        FillRect(dc, &filler, checkers_);
        SetBkColor(dc, oldBack);
        SetTextColor(dc, oldText);
    }
}

Point ucScrollbarWindow::Cursor() const {
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(window_, &p);
    return Point{p.x, p.y};
}

void ucScrollbarWindow::Message(HookCall& call) {
    if (call.before) {
        if (call.message == WM_PAINT) {
            PAINTSTRUCT ps;
            if (HDC dc = BeginPaint(call.window, &ps)) {
                Paint(dc);
                EndPaint(call.window, &ps);
            }
            call.handled = true;
        } else if (call.message == WM_SIZE) {
            bar_.Resize(LOWORD(call.lParam), HIWORD(call.lParam));
            call.handled = true;
        }
        return;
    }
    switch (call.message) {
    case WM_MOUSEMOVE:
        bar_.MouseMove(PointOf(call.lParam),
                       (call.wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_SHIFT | MK_CONTROL)) != 0);
        break;
    case WM_LBUTTONDOWN:
        SetCapture(call.window);
        bar_.LeftButtonDown(PointOf(call.lParam));
        break;
    case WM_LBUTTONUP:
        if (GetCapture() == call.window) ReleaseCapture();
        bar_.LeftButtonUp();
        break;
    case WM_LBUTTONDBLCLK:
        // The second click of a double click acts as a press.
        SendMessageW(call.window, WM_LBUTTONDOWN, call.wParam, call.lParam);
        break;
    case WM_CANCELMODE:
        bar_.LeftButtonUp();
        break;
    case WM_CAPTURECHANGED:
        // Capture taken away mid-press (a dialog, another window) ends the press too.
        if (bar_.mode() != BarPart::None && reinterpret_cast<HWND>(call.lParam) != call.window) bar_.LeftButtonUp();
        break;
    case WM_TIMER: {
        POINT screen{};
        GetCursorPos(&screen);
        bar_.Timer(static_cast<int>(call.wParam), Cursor(), WindowFromPoint(screen) == call.window);
        break;
    }
    default:
        break;
    }
}

}  // namespace velmora::kelpo
