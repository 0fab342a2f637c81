#include "kelpo/pcMemDC_win.h"

namespace velmora::kelpo {

void pcMemDC::Release() {
    if (dc_ && previous_) SelectObject(dc_, previous_);
    if (bitmap_) DeleteObject(bitmap_);
    if (dc_) DeleteDC(dc_);
    dc_ = nullptr;
    bitmap_ = nullptr;
    previous_ = nullptr;
    size_ = SurfaceSize{};
}

bool pcMemDC::Create(SurfaceSize size) {
    Release();
    HDC screen = GetDC(nullptr);
    if (!screen) return false;
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = dc_ ? CreateCompatibleBitmap(screen, size.width, size.height) : nullptr;
    ReleaseDC(nullptr, screen);
    if (!dc_ || !bitmap_) {
        Release();
        return false;
    }
    previous_ = SelectObject(dc_, bitmap_);
    size_ = size;
    return true;
}

void pcMemDC::SetWidth(int width) {
    if (auto grown = GrownSize(size_, width, size_.height)) Create(*grown);
}

void pcMemDC::SetHeight(int height) {
    if (auto grown = GrownSize(size_, size_.width, height)) Create(*grown);
}

bool pcMemDC::CreateFromBitmap(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return false;
    if (auto grown = GrownSize(size_, info.bmWidth, info.bmHeight)) {
        if (!Create(*grown)) return false;
    }
    HDC source = CreateCompatibleDC(dc_);
    if (!source) return false;
    HGDIOBJ old = SelectObject(source, bitmap);
    const BOOL copied = BitBlt(dc_, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    return copied != FALSE;
}

bool pcMemDC::CreateFromPicture(IPicture* picture) {
    OLE_HANDLE handle = 0;
    SHORT type = PICTYPE_NONE;
    if (!picture || FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP || FAILED(picture->get_Handle(&handle)))
        return false;
    return CreateFromBitmap(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)));
}

void pcMemDC::Draw(HDC dc, int xSrc, int ySrc, int widthSrc, int heightSrc, int xDst, int yDst, bool useMask) const {
    if (!dc_ || !dc) return;
    const int w = widthSrc < 1 ? size_.width : widthSrc;
    const int h = heightSrc < 1 ? size_.height : heightSrc;
    if (!useMask) {
        BitBlt(dc, xDst, yDst, w, h, dc_, xSrc, ySrc, SRCCOPY);
        return;
    }
    // Mask copy without newer GDI helpers: scratch image, monochrome mask (key white), the key
    // cleared in the image, the destination cleared where the image shows, then both combined.
    HDC scratchDc = CreateCompatibleDC(dc);
    HDC maskDc = CreateCompatibleDC(dc);
    HBITMAP scratch = CreateCompatibleBitmap(dc, w, h);
    HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
    if (scratchDc && maskDc && scratch && mask) {
        HGDIOBJ oldScratch = SelectObject(scratchDc, scratch);
        HGDIOBJ oldMask = SelectObject(maskDc, mask);
        BitBlt(scratchDc, 0, 0, w, h, dc_, xSrc, ySrc, SRCCOPY);
        const COLORREF key = GetNearestColor(scratchDc, kKeyColour);
        const COLORREF oldBack = SetBkColor(scratchDc, key);
        BitBlt(maskDc, 0, 0, w, h, scratchDc, 0, 0, SRCCOPY);
        // Mask to colour: its 1 bits (key) take the background colour, its 0 bits the text colour.
        SetBkColor(scratchDc, RGB(0, 0, 0));
        const COLORREF oldText = SetTextColor(scratchDc, RGB(255, 255, 255));
        BitBlt(scratchDc, 0, 0, w, h, maskDc, 0, 0, SRCAND);
        const COLORREF destBack = SetBkColor(dc, RGB(255, 255, 255));
        const COLORREF destText = SetTextColor(dc, RGB(0, 0, 0));
        BitBlt(dc, xDst, yDst, w, h, maskDc, 0, 0, SRCAND);
        BitBlt(dc, xDst, yDst, w, h, scratchDc, 0, 0, SRCPAINT);
        SetBkColor(dc, destBack);
        SetTextColor(dc, destText);
        SetTextColor(scratchDc, oldText);
        SetBkColor(scratchDc, oldBack);
        SelectObject(maskDc, oldMask);
        SelectObject(scratchDc, oldScratch);
    }
    if (mask) DeleteObject(mask);
    if (scratch) DeleteObject(scratch);
    if (maskDc) DeleteDC(maskDc);
    if (scratchDc) DeleteDC(scratchDc);
}

void pcMemDC::StretchDraw(HDC dc, int xDst, int yDst, int widthDst, int heightDst, int xSrc, int ySrc, int widthSrc,
                          int heightSrc) const {
    if (!dc_ || !dc || widthDst <= 0 || heightDst <= 0) return;
    const int w = widthSrc < 1 ? size_.width : widthSrc;
    const int h = heightSrc < 1 ? size_.height : heightSrc;
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, xDst, yDst, widthDst, heightDst, dc_, xSrc, ySrc, w, h, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
}

}  // namespace velmora::kelpo
