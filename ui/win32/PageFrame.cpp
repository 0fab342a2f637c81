#include "ui/win32/PageFrame.h"

#include "platform/win32/Wide.h"
#include "ui/win32/SkinEngine.h"
#include "ui/win32/WindowClass.h"

namespace velmora {

PageFrame::~PageFrame() {
    if (hwnd_) DestroyWindow(hwnd_);
}

HWND PageFrame::Create(HWND parent, const std::string& name, int x, int y, int width, int height, bool visible) {
    RegisterClassOnce(kPageFrameClass, Proc, 0, nullptr);
    hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, kPageFrameClass, Widen(name).c_str(),
                            WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0), x, y, width,
                            height, parent, nullptr, GetModuleHandleW(nullptr), this);
    if (hwnd_) SetBackdrop(hwnd_, this);
    return hwnd_;
}

bool PageFrame::LoadPicture(FileSystem& files, const std::string& path) {
    picture_ = Picture::Load(files, path);
    cache_.Invalidate();
    if (hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    return picture_ != nullptr;
}

void PageFrame::PaintBackdrop(HDC hdc, int originX, int originY, int width, int height) {
    RECT client;
    GetClientRect(hwnd_, &client);
    cache_.Paint(hdc, originX, originY, width, height, SIZE{client.right, client.bottom}, [this, &client](HDC mem) {
        RECT rc = {0, 0, client.right, client.bottom};
        FillRect(mem, &rc, GetSysColorBrush(COLOR_BTNFACE));
        if (!picture_) return;
        // Drawn at its own size from the top-left, like the window backgrounds.
        HDC screen = GetDC(nullptr);
        const int dpiX = GetDeviceCaps(screen, LOGPIXELSX), dpiY = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        picture_->Draw(mem, 0, 0, MulDiv(picture_->Width(), dpiX, 96), MulDiv(picture_->Height(), dpiY, 96));
    });
}

LRESULT CALLBACK PageFrame::Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    PageFrame* self = AttachedObject<PageFrame>(h, msg, lp);
    if (!self) return DefWindowProcW(h, msg, wp, lp);
    if (msg == WM_NCCREATE) self->hwnd_ = h;
    if (msg == WM_NCDESTROY) {
        SetBackdrop(h, nullptr);
        self->hwnd_ = nullptr;
        return DefWindowProcW(h, msg, wp, lp);
    }
    return self->Handle(msg, wp, lp);
}

LRESULT PageFrame::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT:
            PaintBuffered(hwnd_, [this](HDC dc, int w, int h) { PaintBackdrop(dc, 0, 0, w, h); });
            return 0;
        case WM_COMMAND:
        case WM_NOTIFY:
            // Controls on a frame report to the window that owns the frame.
            return SendMessageW(GetParent(hwnd_), msg, wp, lp);
        default: {
            LRESULT skinned = 0;
            if (SkinnedControlColor(msg, wp, &skinned)) return skinned;
            return DefWindowProcW(hwnd_, msg, wp, lp);
        }
    }
}

}  // namespace velmora
