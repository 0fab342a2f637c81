#include "ui/win32/PageFrame.h"

#include <utility>

#include "platform/win32/Wide.h"
#include "ui/win32/Screen.h"
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
    SetPicture(Picture::Load(files, path));
    return picture_ != nullptr;
}

void PageFrame::SetPicture(std::shared_ptr<const Picture> picture) {
    picture_ = std::move(picture);
    cache_.Invalidate();
    Repaint(hwnd_);
}

void PageFrame::PaintBackdrop(HDC hdc, int originX, int originY, int width, int height) {
    RECT client;
    GetClientRect(hwnd_, &client);
    const SIZE dpi = ScreenDpi();
    if (picture_ && picture_->Opaque() && dpi.cx == 96 && dpi.cy == 96 && picture_->Width() >= client.right &&
        picture_->Height() >= client.bottom) {
        // An opaque picture at its own size that covers the frame is all the frame shows: its part
        // is copied straight, with nothing to compose first.
        CopyArea(hdc, originX, originY, width, height, SIZE{client.right, client.bottom},
                 [&](int x, int y, int w, int h) {
                     const RECT part = {originX + x, originY + y, originX + x + w, originY + y + h};
                     picture_->DrawPart(hdc, x, y, w, h, part);
                 });
        return;
    }
    cache_.Paint(hdc, originX, originY, width, height, SIZE{client.right, client.bottom}, [&](HDC mem) {
        // Drawn at its own size from the top-left, like the window backgrounds; where it does not
        // reach is the dialog face.
        const int w = picture_ ? MulDiv(picture_->Width(), dpi.cx, 96) : 0;
        const int h = picture_ ? MulDiv(picture_->Height(), dpi.cy, 96) : 0;
        if (w < client.right || h < client.bottom || !picture_ || !picture_->Opaque()) {
            RECT rc = {0, 0, client.right, client.bottom};
            FillRect(mem, &rc, GetSysColorBrush(COLOR_BTNFACE));
        }
        if (picture_) picture_->Draw(mem, 0, 0, w, h);
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
        case WM_NCPAINT: return 0;  // no border or caption to draw
        case WM_PAINT:
            PaintBackdropWindow(hwnd_, *this);
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
