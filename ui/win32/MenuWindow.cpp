#include "ui/win32/MenuWindow.h"

#include "platform/win32/Wide.h"
#include "ui/win32/AlphaImage.h"
#include "ui/win32/WindowClass.h"

namespace velmora {

namespace {

POINT PointOf(LPARAM lp) {
    const auto v = static_cast<std::int32_t>(lp);
    return {CMenu::LoWord(v), CMenu::HiWord(v)};
}

RECT ToRect(const MenuRect& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

MenuWindow::MenuWindow() : menu_(*this) {}

MenuWindow::MenuWindow(EventLog& log) : c_Subclass(log), menu_(*this) {}

// The window goes here, while every member it needs is whole; the menu's own release then
// finds nothing left to do.
MenuWindow::~MenuWindow() { DestroyMenuWindow(); }

HWND MenuWindow::Create(HWND owner) {
    return reinterpret_cast<HWND>(menu_.Create(reinterpret_cast<std::uintptr_t>(owner)));
}

std::uintptr_t MenuWindow::CreateMenuWindow(std::uintptr_t owner) {
    RegisterClassOnce(kMenuWindowClass, DefWindowProcW, 0, nullptr);
    owner_ = reinterpret_cast<HWND>(owner);
    // Texts measured before there was an owner were measured in the stand-in font.
    if (font_ && ownFont_) DeleteObject(font_);
    font_ = nullptr;
    // Top-level with no owner, so it floats above every window; a tool window, so it has no
    // taskbar button; never activated, so the window the user works in keeps the focus.
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kMenuWindowClass, L"", WS_POPUP,
                              -1000, -1000, 1, 1, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window_) return 0;
    if (!c_Subclass.ssc_Subclass(window_, 0, [this](SubclassMessage& m) { OnMenuMessage(m); })) {
        DestroyWindow(window_);
        window_ = nullptr;
        return 0;
    }
    for (UINT msg : {WM_PAINT, WM_ERASEBKGND, WM_MOUSEACTIVATE}) c_Subclass.ssc_AddMsg(window_, msg, MSG_BEFORE);
    for (UINT msg : {WM_SIZE, WM_SHOWWINDOW, WM_MOUSEMOVE, WM_MOUSELEAVE, WM_LBUTTONUP, WM_KEYDOWN}) {
        c_Subclass.ssc_AddMsg(window_, msg, MSG_AFTER);
    }
    return reinterpret_cast<std::uintptr_t>(window_);
}

void MenuWindow::DestroyMenuWindow() {
    background_.Release();
    drawing_.Release();
    c_Subclass.ssc_Terminate();
    focus_ = nullptr;
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
    if (font_ && ownFont_) DeleteObject(font_);
    font_ = nullptr;
}

void MenuWindow::OnMenuMessage(SubclassMessage& m) {
    switch (m.uMsg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(window_, &ps);
            EndPaint(window_, &ps);
            menu_.OnPaint();
            m.bHandled = true;
            break;
        }
        case WM_ERASEBKGND:
            m.bHandled = true;
            m.lReturn = 1;
            break;
        case WM_MOUSEACTIVATE:
            m.bHandled = true;
            m.lReturn = MA_NOACTIVATE;
            break;
        case WM_SIZE: menu_.OnSize(LOWORD(m.lParam), HIWORD(m.lParam)); break;
        case WM_SHOWWINDOW:
            if (m.wParam) {
                SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                HookOthers();
            } else {
                UnhookOthers();
                menu_.OnHidden();
            }
            break;
        case WM_MOUSEMOVE: {
            c_Subclass.TrackMouseTracking(window_);
            const POINT at = PointOf(m.lParam);
            menu_.OnMouseMove(at.x, at.y);
            break;
        }
        case WM_MOUSELEAVE: menu_.OnMouseLeave(); break;
        case WM_LBUTTONUP: {
            const POINT at = PointOf(m.lParam);
            menu_.OnLeftButtonUp(at.x, at.y);  // may release the menu: nothing after this
            break;
        }
        case WM_KEYDOWN: menu_.OnKeyDown(static_cast<int>(m.wParam)); break;
        default: break;
    }
}

void MenuWindow::HookOthers() {
    const auto hook = [this](HWND h) {
        if (!h || h == window_ || c_Subclass.IsHooked(h)) return;
        if (c_Subclass.ssc_Subclass(h, 0, [this](SubclassMessage& m) { OnOthersMessage(m); })) {
            c_Subclass.ssc_AddMsg(h, ALL_MESSAGES, MSG_BEFORE);
        }
    };
    focus_ = GetFocus();
    hook(focus_);
    if (owner_ != focus_) hook(owner_);
}

void MenuWindow::UnhookOthers() {
    if (focus_) c_Subclass.ssc_UnSubclass(focus_);
    if (owner_) c_Subclass.ssc_UnSubclass(owner_);
    focus_ = nullptr;
}

// The owner and the focus window while the menu shows: a click anywhere in them closes it,
// and their keys and mouse moves are the menu's.
void MenuWindow::OnOthersMessage(SubclassMessage& m) {
    switch (m.uMsg) {
        case WM_MOUSEACTIVATE:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN: menu_.Hide(); break;
        case WM_NCACTIVATE:
            if (!m.wParam) menu_.Hide();
            break;
        case WM_KEYDOWN:
            m.bHandled = true;
            m.lReturn = 0;
            menu_.OnKeyDown(static_cast<int>(m.wParam));  // may release the menu: nothing after this
            break;
        case WM_KEYUP:
        case WM_CHAR:
        case WM_MOUSEMOVE:
        case WM_MOUSEWHEEL:
            m.bHandled = true;
            m.lReturn = 0;
            break;
        default: break;
    }
}

HFONT MenuWindow::Font() {
    if (font_) return font_;
    font_ = owner_ ? reinterpret_cast<HFONT>(SendMessageW(owner_, WM_GETFONT, 0, 0)) : nullptr;
    ownFont_ = !font_;
    // The program's framed windows keep no font of their own: the interface font stands in.
    if (!font_) font_ = InterfaceFont(9, false);
    return font_;
}

int MenuWindow::TextWidth(const std::string& text) {
    const std::wstring w = Widen(text);
    SIZE size = {0, 0};
    if (drawing_.dc) {
        GetTextExtentPoint32W(drawing_.dc, w.c_str(), static_cast<int>(w.size()), &size);
        return size.cx;
    }
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, Font());
    GetTextExtentPoint32W(screen, w.c_str(), static_cast<int>(w.size()), &size);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return size.cx;
}

MenuSize MenuWindow::ScreenSize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

MenuPoint MenuWindow::CursorPosition() {
    POINT p = {0, 0};
    GetCursorPos(&p);
    return {p.x, p.y};
}

void MenuWindow::ResizeWindow(int width, int height) {
    SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int MenuWindow::ShowWindowAt(int x, int y) {
    SetWindowPos(window_, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    return ShowWindow(window_, SW_SHOWNOACTIVATE);
}

int MenuWindow::HideWindow() { return ShowWindow(window_, SW_HIDE); }

void MenuWindow::Buffer::Release() {
    if (!dc) return;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    *this = Buffer{};
}

void MenuWindow::CreateBuffers(int width, int height) {
    background_.Release();
    drawing_.Release();
    HDC screen = GetDC(nullptr);
    for (Buffer* b : {&background_, &drawing_}) {
        b->dc = CreateCompatibleDC(screen);
        b->bitmap = CreateCompatibleBitmap(screen, width, height);
        if (!b->dc || !b->bitmap) {
            if (b->bitmap) DeleteObject(b->bitmap);
            if (b->dc) DeleteDC(b->dc);
            *b = Buffer{};
            continue;
        }
        b->old = SelectObject(b->dc, b->bitmap);
    }
    ReleaseDC(nullptr, screen);
    if (drawing_.dc) {
        SelectObject(drawing_.dc, Font());
        SetBkMode(drawing_.dc, TRANSPARENT);
    }
}

std::uintptr_t MenuWindow::Surface(MenuBuffer buffer) {
    return reinterpret_cast<std::uintptr_t>(buffer == MenuBuffer::Background ? background_.dc : drawing_.dc);
}

void MenuWindow::FrameAndFill(MenuBuffer buffer, const MenuRect& rect, std::uint32_t frame, std::uint32_t fill) {
    HDC dc = buffer == MenuBuffer::Background ? background_.dc : drawing_.dc;
    if (!dc) return;
    const RECT r = ToRect(rect);
    HBRUSH fillBrush = CreateSolidBrush(fill), frameBrush = CreateSolidBrush(frame);
    FillRect(dc, &r, fillBrush);
    FrameRect(dc, &r, frameBrush);
    DeleteObject(fillBrush);
    DeleteObject(frameBrush);
}

void MenuWindow::Line(int left, int right, int y, std::uint32_t colour) {
    if (!drawing_.dc) return;
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ old = SelectObject(drawing_.dc, pen);
    MoveToEx(drawing_.dc, left, y, nullptr);
    LineTo(drawing_.dc, right, y);
    SelectObject(drawing_.dc, old);
    DeleteObject(pen);
}

void MenuWindow::Text(const MenuRect& rect, const std::string& text, std::uint32_t colour) {
    if (!drawing_.dc) return;
    RECT r = ToRect(rect);
    const std::wstring w = Widen(text);
    SetTextColor(drawing_.dc, colour);
    DrawTextW(drawing_.dc, w.c_str(), static_cast<int>(w.size()), &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

void MenuWindow::CopyBackground(const MenuRect& rect) {
    if (!drawing_.dc || !background_.dc) return;
    BitBlt(drawing_.dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, background_.dc,
           rect.left, rect.top, SRCCOPY);
}

void MenuWindow::Present(const MenuRect& rect) {
    if (!drawing_.dc || !window_) return;
    HDC dc = GetDC(window_);
    BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, drawing_.dc, rect.left,
           rect.top, SRCCOPY);
    ReleaseDC(window_, dc);
}

}  // namespace velmora
