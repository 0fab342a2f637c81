#include "ui/win32/Screen.h"

namespace velmora {

SIZE ScreenDpi() {
    static const SIZE dpi = [] {
        SIZE d = {96, 96};
        if (HDC screen = GetDC(nullptr)) {
            d = {GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)};
            ReleaseDC(nullptr, screen);
        }
        return d;
    }();
    return dpi;
}

HBITMAP CreateSurface(int width, int height, void** pixels) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width > 0 ? width : 1;
    info.bmiHeader.biHeight = -(height > 0 ? height : 1);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (pixels) *pixels = bitmap ? bits : nullptr;
    return bitmap;
}

}  // namespace velmora
