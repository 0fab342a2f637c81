#include "ui/win32/Picture.h"

#include "platform/win32/Gdiplus.h"
#include "platform/win32/Win32Pictures.h"
#include "platform/win32/Win32Platform.h"

using namespace Gdiplus::DllExports;

namespace velmora {

bool StartGdiplus() { return win32::StartGdiplusOnce(); }

std::unique_ptr<Picture> Picture::Load(const std::string& path) {
    if (!StartGdiplus()) return nullptr;
    const auto bytes = win32::RealPlatform().files.ReadAll(path);
    if (!bytes || bytes->empty()) return nullptr;
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes->size());
    if (!mem) return nullptr;
    void* dst = GlobalLock(mem);
    memcpy(dst, bytes->data(), bytes->size());
    GlobalUnlock(mem);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(mem, TRUE, &stream))) {
        GlobalFree(mem);
        return nullptr;
    }
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (GdipCreateBitmapFromStream(stream, &bitmap) != Gdiplus::Ok || !bitmap) {
        stream->Release();
        return nullptr;
    }
    UINT w = 0, h = 0;
    GdipGetImageWidth(bitmap, &w);
    GdipGetImageHeight(bitmap, &h);
    return std::unique_ptr<Picture>(new Picture(bitmap, stream, static_cast<int>(w), static_cast<int>(h)));
}

Picture::~Picture() {
    GdipDisposeImage(static_cast<Gdiplus::GpImage*>(image_));
    stream_->Release();
}

void Picture::Draw(HDC hdc, int x, int y, int w, int h) const {
    Gdiplus::GpGraphics* g = nullptr;
    if (GdipCreateFromHDC(hdc, &g) != Gdiplus::Ok) return;
    GdipSetInterpolationMode(g, Gdiplus::InterpolationModeHighQualityBicubic);
    GdipSetPixelOffsetMode(g, Gdiplus::PixelOffsetModeHalf);
    GdipDrawImageRectI(g, static_cast<Gdiplus::GpImage*>(image_), x, y, w, h);
    GdipDeleteGraphics(g);
}

}  // namespace velmora
