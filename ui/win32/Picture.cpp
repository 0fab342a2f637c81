#include "ui/win32/Picture.h"

#include "platform/FileSystem.h"
#include "platform/win32/Gdiplus.h"
#include "platform/win32/Win32Pictures.h"

using namespace Gdiplus::DllExports;

namespace velmora {

bool StartGdiplus() { return win32::StartGdiplusOnce(); }

std::unique_ptr<Picture> Picture::Load(FileSystem& files, const std::string& path) {
    const auto bytes = files.ReadAll(path);
    return bytes ? FromBytes(*bytes) : nullptr;
}

std::unique_ptr<Picture> Picture::FromBytes(const std::string& bytes) {
    if (bytes.empty() || !StartGdiplus()) return nullptr;
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!mem) return nullptr;
    void* dst = GlobalLock(mem);
    memcpy(dst, bytes.data(), bytes.size());
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
    DrawPart(hdc, x, y, w, h, RECT{0, 0, width_, height_});
}

void Picture::DrawPart(HDC hdc, int x, int y, int w, int h, const RECT& source) const {
    Gdiplus::GpGraphics* g = nullptr;
    if (GdipCreateFromHDC(hdc, &g) != Gdiplus::Ok) return;
    const int sw = source.right - source.left, sh = source.bottom - source.top;
    // At its own size a picture needs no filtering; scaled (other DPIs) it gets the best.
    if (w == sw && h == sh) {
        GdipSetInterpolationMode(g, Gdiplus::InterpolationModeNearestNeighbor);
    } else {
        GdipSetInterpolationMode(g, Gdiplus::InterpolationModeHighQualityBicubic);
        GdipSetPixelOffsetMode(g, Gdiplus::PixelOffsetModeHalf);
    }
    GdipDrawImageRectRectI(g, static_cast<Gdiplus::GpImage*>(image_), x, y, w, h, source.left, source.top, sw, sh,
                           Gdiplus::UnitPixel, nullptr, nullptr, nullptr);
    GdipDeleteGraphics(g);
}

}  // namespace velmora
