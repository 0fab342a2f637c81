#include "ui/win32/Backdrop.h"

#include "ui/win32/Screen.h"

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

void Repaint(HWND window, const RECT* part) {
    if (window && IsWindowVisible(window)) RedrawWindow(window, part, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
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

void PaintBackdropWindow(HWND window, Backdrop& backdrop) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    backdrop.PaintBackdrop(hdc, 0, 0, client.right, client.bottom);
    EndPaint(window, &ps);
}

BackdropCache::~BackdropCache() {
    if (bitmap_) DeleteObject(bitmap_);
}

HDC BackdropCache::Prepare(HDC like, SIZE full) {
    if (!bitmap_ || full.cx != size_.cx || full.cy != size_.cy) {
        if (bitmap_) DeleteObject(bitmap_);
        bitmap_ = CreateSurface(full.cx, full.cy);
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

void CopyArea(HDC hdc, int originX, int originY, int width, int height, SIZE area,
              const std::function<void(int x, int y, int w, int h)>& copy) {
    RECT inside = {originX < 0 ? -originX : 0, originY < 0 ? -originY : 0,
                   area.cx - originX < width ? area.cx - originX : width,
                   area.cy - originY < height ? area.cy - originY : height};
    if (inside.right > inside.left && inside.bottom > inside.top) {
        copy(inside.left, inside.top, inside.right - inside.left, inside.bottom - inside.top);
    } else {
        inside = {0, 0, 0, 0};
    }
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    const RECT bands[4] = {{0, 0, width, inside.top},
                           {0, inside.bottom, width, height},
                           {0, inside.top, inside.left, inside.bottom},
                           {inside.right, inside.top, width, inside.bottom}};
    for (const RECT& band : bands) {
        if (band.right > band.left && band.bottom > band.top) FillRect(hdc, &band, face);
    }
}

void BackdropCache::CopyTo(HDC hdc, int originX, int originY, int width, int height) {
    CopyArea(hdc, originX, originY, width, height, size_, [&](int x, int y, int w, int h) {
        HDC mem = CreateCompatibleDC(hdc);
        HGDIOBJ old = SelectObject(mem, bitmap_);
        BitBlt(hdc, x, y, w, h, mem, originX + x, originY + y, SRCCOPY);
        SelectObject(mem, old);
        DeleteDC(mem);
    });
}

BufferedPaint::BufferedPaint(HWND window, HDC target) : target_(target) {
    RECT rc;
    GetClientRect(window, &rc);
    w_ = rc.right > 0 ? rc.right : 1;
    h_ = rc.bottom > 0 ? rc.bottom : 1;
    mem_ = CreateCompatibleDC(target);
    bitmap_ = CreateSurface(w_, h_);
    old_ = static_cast<HBITMAP>(SelectObject(mem_, bitmap_));
}

BufferedPaint::~BufferedPaint() {
    BitBlt(target_, 0, 0, w_, h_, mem_, 0, 0, SRCCOPY);
    SelectObject(mem_, old_);
    DeleteObject(bitmap_);
    DeleteDC(mem_);
}

}  // namespace velmora
