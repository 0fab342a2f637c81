#include "ui/win32/Backdrop.h"

namespace velmora {

namespace {
const wchar_t kProp[] = L"Velmora.Backdrop";
}

void SetBackdrop(HWND window, Backdrop* backdrop) {
    if (backdrop) {
        SetPropW(window, kProp, backdrop);
    } else {
        RemovePropW(window, kProp);
    }
}

void PaintParentBackdrop(HWND child, HDC hdc, int width, int height) {
    HWND parent = GetParent(child);
    auto* backdrop = parent ? static_cast<Backdrop*>(GetPropW(parent, kProp)) : nullptr;
    if (!backdrop) {
        RECT rc = {0, 0, width, height};
        FillRect(hdc, &rc, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    POINT origin = {0, 0};
    MapWindowPoints(child, parent, &origin, 1);
    backdrop->PaintBackdrop(hdc, origin.x, origin.y, width, height);
}

BackdropCache::~BackdropCache() {
    if (bitmap_) DeleteObject(bitmap_);
}

HDC BackdropCache::Prepare(HDC like, SIZE full) {
    if (!bitmap_ || full.cx != size_.cx || full.cy != size_.cy) {
        if (bitmap_) DeleteObject(bitmap_);
        bitmap_ = CreateCompatibleBitmap(like, full.cx > 0 ? full.cx : 1, full.cy > 0 ? full.cy : 1);
        size_ = full;
    }
    HDC mem = CreateCompatibleDC(like);
    SelectObject(mem, bitmap_);
    return mem;
}

void BackdropCache::Finish(HDC mem) {
    DeleteDC(mem);
    valid_ = true;
}

void BackdropCache::CopyTo(HDC hdc, int originX, int originY, int width, int height) {
    HDC mem = CreateCompatibleDC(hdc);
    HGDIOBJ old = SelectObject(mem, bitmap_);
    RECT all = {0, 0, width, height};
    FillRect(hdc, &all, GetSysColorBrush(COLOR_BTNFACE));  // beyond the window's own area
    BitBlt(hdc, 0, 0, width, height, mem, originX, originY, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
}

BufferedPaint::BufferedPaint(HWND window, HDC target) : target_(target) {
    RECT rc;
    GetClientRect(window, &rc);
    w_ = rc.right > 0 ? rc.right : 1;
    h_ = rc.bottom > 0 ? rc.bottom : 1;
    mem_ = CreateCompatibleDC(target);
    bitmap_ = CreateCompatibleBitmap(target, w_, h_);
    old_ = static_cast<HBITMAP>(SelectObject(mem_, bitmap_));
}

BufferedPaint::~BufferedPaint() {
    BitBlt(target_, 0, 0, w_, h_, mem_, 0, 0, SRCCOPY);
    SelectObject(mem_, old_);
    DeleteObject(bitmap_);
    DeleteDC(mem_);
}

}  // namespace velmora
