#pragma once
// The off-screen surface: a memory device context holding one bitmap that only grows, copied
// onto a window unscaled (optionally leaving out magenta pixels) or stretched.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include "kelpo/SurfaceSize.h"

namespace velmora::kelpo {

class pcMemDC {
public:
    static constexpr COLORREF kKeyColour = RGB(0xFF, 0x00, 0xFF);

    pcMemDC() = default;
    ~pcMemDC() { Release(); }
    pcMemDC(const pcMemDC&) = delete;
    pcMemDC& operator=(const pcMemDC&) = delete;

    int Width() const { return size_.width; }
    int Height() const { return size_.height; }
    // A larger value makes a new surface (contents lost); a smaller or equal one changes nothing.
    void SetWidth(int width);
    void SetHeight(int height);
    HDC hdc() const { return dc_; }

    // Grows the surface to the bitmap's size and copies the bitmap to (0, 0).
    bool CreateFromBitmap(HBITMAP bitmap);
    bool CreateFromPicture(IPicture* picture);

    // Copies the source rectangle unscaled to (xDst, yDst); a width or height below 1 means the
    // surface's. With useMask the key colour is left out and the destination shows through.
    void Draw(HDC dc, int xSrc, int ySrc, int widthSrc, int heightSrc, int xDst, int yDst, bool useMask) const;
    // Copies the source rectangle scaled to the destination rectangle.
    void StretchDraw(HDC dc, int xDst, int yDst, int widthDst, int heightDst, int xSrc, int ySrc, int widthSrc,
                     int heightSrc) const;

private:
    bool Create(SurfaceSize size);
    void Release();

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    SurfaceSize size_;
};

}  // namespace velmora::kelpo
