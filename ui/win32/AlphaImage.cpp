#include "ui/win32/AlphaImage.h"

#include "platform/win32/Wide.h"
#include "ui/win32/Backdrop.h"
#include "ui/win32/Screen.h"
#include "ui/win32/WindowClass.h"

namespace velmora {

HWND AlphaImage::Create(HWND parent, const std::string& name, int x, int y, int width, int height) {
    RegisterClassOnce(kAlphaImageClass, ObjectWindowProc<AlphaImage>, 0, nullptr);
    hwnd_ = CreateWindowExW(0, kAlphaImageClass, Widen(name).c_str(), WS_CHILD | WS_VISIBLE, x, y, width, height,
                            parent, nullptr, GetModuleHandleW(nullptr), this);
    return hwnd_;
}

void AlphaImage::SetPicture(FileSystem& files, const std::string& path, int tag) {
    picture_ = Picture::Load(files, path);
    tag_ = tag;
    Repaint(hwnd_);
}

LRESULT AlphaImage::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_NCPAINT: return 0;  // no border or caption to draw
        case WM_PAINT:
            PaintBuffered(hwnd_, [this](HDC dc, int w, int h) {
                PaintParentBackdrop(hwnd_, dc, w, h);
                if (picture_) picture_->Draw(dc, 0, 0, picture_->Width(), picture_->Height());
            });
            return 0;
        case WM_MOUSEMOVE: {
            if (!tracking_) {
                TRACKMOUSEEVENT tme = {sizeof tme, TME_LEAVE, hwnd_, 0};
                tracking_ = TrackMouseEvent(&tme) != FALSE;
            }
            const bool anyHeld = (wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != 0;
            if (onMove) onMove(anyHeld, (wp & MK_LBUTTON) != 0);
            return 0;
        }
        case WM_MOUSELEAVE:
            tracking_ = false;
            if (onLeave) onLeave();
            return 0;
        case WM_LBUTTONDOWN:
            pressed_ = true;
            SetCapture(hwnd_);
            if (onLeftDown) onLeftDown();
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP: {
            const bool left = msg == WM_LBUTTONUP;
            if (left) {
                if (!pressed_) return 0;
                pressed_ = false;
                ReleaseCapture();
            }
            RECT rc;
            GetClientRect(hwnd_, &rc);
            const POINT pt = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
            if (PtInRect(&rc, pt) && onClick) onClick(left);
            return 0;
        }
        case WM_CAPTURECHANGED: pressed_ = false; return 0;
        case kAlphaImageQuery: return (picture_ ? 0x100 : 0) | tag_;
        default: return DefWindowProcW(hwnd_, msg, wp, lp);
    }
}

HWND Label::Create(HWND parent, const std::string& text, int x, int y, int width, int height) {
    RegisterClassOnce(kLabelClass, ObjectWindowProc<Label>, 0, nullptr);
    hwnd_ = CreateWindowExW(0, kLabelClass, Widen(text).c_str(), WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                            nullptr, GetModuleHandleW(nullptr), this);
    return hwnd_;
}

void Label::SetText(const std::string& text) {
    SetWindowTextW(hwnd_, Widen(text).c_str());
}

void Label::Draw(HDC dc, int width, int height) {
    PaintParentBackdrop(hwnd_, dc, width, height);
    wchar_t text[512];
    const int n = GetWindowTextW(hwnd_, text, 512);
    HGDIOBJ oldFont = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    RECT rc = {0, 0, width, height};
    constexpr UINT kFormat = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;
    if (shadow_) {
        // A soft shadow keeps light text readable on any part of the picture.
        RECT shadow = {1, 1, rc.right + 1, rc.bottom + 1};
        SetTextColor(dc, RGB(20, 40, 70));
        DrawTextW(dc, text, n, &shadow, kFormat);
    }
    SetTextColor(dc, color_);
    DrawTextW(dc, text, n, &rc, kFormat);
    SelectObject(dc, oldFont);
}

LRESULT Label::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_NCPAINT: return 0;  // no border or caption to draw
        case WM_PAINT:
            PaintBuffered(hwnd_, [this](HDC dc, int w, int h) { Draw(dc, w, h); });
            return 0;
        case WM_SETTEXT: {
            const LRESULT r = DefWindowProcW(hwnd_, msg, wp, lp);
            Repaint(hwnd_);
            return r;
        }
        case WM_LBUTTONDOWN:
            if (onLeftDown) onLeftDown();
            return 0;
        default: return DefWindowProcW(hwnd_, msg, wp, lp);
    }
}

namespace {
int CALLBACK FontExists(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}
}  // namespace

HFONT InterfaceFont(int pointSize, bool bold) {
    HDC dc = CreateCompatibleDC(nullptr);
    LOGFONTW probe = {};
    probe.lfCharSet = DEFAULT_CHARSET;
    wcscpy(probe.lfFaceName, L"Microsoft YaHei");
    bool found = false;
    EnumFontFamiliesExW(dc, &probe, FontExists, reinterpret_cast<LPARAM>(&found), 0);
    DeleteDC(dc);
    const int height = -MulDiv(pointSize, ScreenDpi().cy, 72);
    return CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       found ? L"Microsoft YaHei" : L"SimSun");
}

}  // namespace velmora
