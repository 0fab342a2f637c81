#include "ui/win32/Picture.h"

#include <optional>

#include "platform/FileSystem.h"
#include "platform/win32/Gdiplus.h"
#include "platform/win32/MemoryStream.h"
#include "platform/win32/Win32Pictures.h"
#include "ui/JpegDecoder.h"
#include "ui/PngDecoder.h"
#include "ui/win32/Screen.h"

using namespace Gdiplus::DllExports;

namespace velmora {

namespace {

bool AllOpaque(const void* pixels, size_t count) {
    const auto* p = static_cast<const BYTE*>(pixels);
    for (size_t i = 0; i < count; ++i) {
        if (p[4 * i + 3] != 255) return false;
    }
    return true;
}

bool IsPng(const std::string& bytes) {
    return bytes.size() > 8 && static_cast<uint8_t>(bytes[0]) == 0x89 && bytes.compare(1, 3, "PNG") == 0;
}

bool IsJpeg(const std::string& bytes) {
    return bytes.size() > 3 && static_cast<uint8_t>(bytes[0]) == 0xFF && static_cast<uint8_t>(bytes[1]) == 0xD8;
}

// Decoded pixels go straight into the bitmap the picture keeps; the bitmap goes with the sink
// unless it is taken.
class SurfaceSink : public PixelSink {
public:
    ~SurfaceSink() override {
        if (bitmap) DeleteObject(bitmap);
    }
    uint8_t* Buffer(int w, int h) override {
        if (bitmap) return nullptr;
        bitmap = CreateSurface(w, h, &pixels);
        width = w;
        height = h;
        return bitmap ? static_cast<uint8_t*>(pixels) : nullptr;
    }
    HBITMAP bitmap = nullptr;
    void* pixels = nullptr;
    int width = 0, height = 0;
};

}  // namespace

bool StartGdiplus() { return win32::StartGdiplusOnce(); }

std::unique_ptr<Picture> Picture::Load(FileSystem& files, const std::string& path) {
    const auto bytes = files.ReadAll(path);
    return bytes ? FromBytes(*bytes) : nullptr;
}

std::unique_ptr<Picture> Picture::FromBytes(const std::string& bytes) {
    // The skin's PNG and JPEG files are decoded here: loading GDI+ and the codecs it reaches for
    // costs more at start-up than the decoding itself. What these decoders leave is GDI+'s.
    SurfaceSink sink;
    std::optional<bool> opaque;
    if (IsPng(bytes)) {
        opaque = DecodePng(bytes, sink);
    } else if (IsJpeg(bytes) && DecodeJpeg(bytes, sink)) {
        opaque = true;
    }
    if (opaque) {
        std::unique_ptr<Picture> picture(new Picture(sink.bitmap, sink.pixels, sink.width, sink.height, *opaque));
        sink.bitmap = nullptr;
        return picture;
    }
    return FromGdiplus(bytes);
}

std::unique_ptr<Picture> Picture::FromGdiplus(const std::string& bytes) {
    if (bytes.empty() || !StartGdiplus()) return nullptr;
    IStream* stream = win32::NewMemoryStream(bytes);
    if (!stream) return nullptr;
    Gdiplus::GpBitmap* decoded = nullptr;
    if (GdipCreateBitmapFromStream(stream, &decoded) != Gdiplus::Ok || !decoded) {
        stream->Release();
        return nullptr;
    }
    UINT w = 0, h = 0;
    Gdiplus::PixelFormat format = 0;
    GdipGetImageWidth(decoded, &w);
    GdipGetImageHeight(decoded, &h);
    GdipGetImagePixelFormat(decoded, &format);
    // The pixels are converted once, here: GDI+ might otherwise decode them only when first drawn.
    std::unique_ptr<Picture> picture;
    void* pixels = nullptr;
    HBITMAP bitmap = w > 0 && h > 0 ? CreateSurface(static_cast<int>(w), static_cast<int>(h), &pixels) : nullptr;
    if (bitmap) {
        Gdiplus::Rect all(0, 0, static_cast<INT>(w), static_cast<INT>(h));
        Gdiplus::BitmapData data = {};
        data.Width = w;
        data.Height = h;
        data.Stride = static_cast<INT>(w * 4);
        data.PixelFormat = PixelFormat32bppPARGB;
        data.Scan0 = pixels;
        if (GdipBitmapLockBits(decoded, &all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                               PixelFormat32bppPARGB, &data) == Gdiplus::Ok) {
            GdipBitmapUnlockBits(decoded, &data);
            const bool mayBeSeeThrough = (format & (PixelFormatAlpha | PixelFormatPAlpha | PixelFormatIndexed)) != 0;
            const bool opaque = !mayBeSeeThrough || AllOpaque(pixels, size_t{w} * h);
            picture.reset(new Picture(bitmap, pixels, static_cast<int>(w), static_cast<int>(h), opaque));
        } else {
            DeleteObject(bitmap);
        }
    }
    GdipDisposeImage(decoded);
    stream->Release();
    return picture;
}

Picture::~Picture() { DeleteObject(bitmap_); }

void Picture::Draw(HDC hdc, int x, int y, int w, int h) const {
    DrawPart(hdc, x, y, w, h, RECT{0, 0, width_, height_});
}

void Picture::DrawPart(HDC hdc, int x, int y, int w, int h, const RECT& source) const {
    const int sw = source.right - source.left, sh = source.bottom - source.top;
    if (w != sw || h != sh) {
        DrawScaled(hdc, x, y, w, h, source);
        return;
    }
    // At its own size a picture is copied, or blended where it lets the background through;
    // only the part that lies inside the picture is drawn.
    RECT part;
    const RECT whole = {0, 0, width_, height_};
    if (!IntersectRect(&part, &source, &whole)) return;
    x += part.left - source.left;
    y += part.top - source.top;
    const int pw = part.right - part.left, ph = part.bottom - part.top;
    HDC mem = CreateCompatibleDC(hdc);
    if (!mem) return;
    HGDIOBJ old = SelectObject(mem, bitmap_);
    if (opaque_) {
        BitBlt(hdc, x, y, pw, ph, mem, part.left, part.top, SRCCOPY);
    } else {
        const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        GdiAlphaBlend(hdc, x, y, pw, ph, mem, part.left, part.top, pw, ph, blend);
    }
    SelectObject(mem, old);
    DeleteDC(mem);
}

void Picture::DrawScaled(HDC hdc, int x, int y, int w, int h, const RECT& source) const {
    // Scaled (other DPIs, previews) it gets the best filtering GDI+ has, reading the pixels in place.
    if (!StartGdiplus()) return;
    Gdiplus::GpBitmap* view = nullptr;
    if (GdipCreateBitmapFromScan0(width_, height_, width_ * 4, PixelFormat32bppPARGB, static_cast<BYTE*>(pixels_),
                                  &view) != Gdiplus::Ok) {
        return;
    }
    Gdiplus::GpGraphics* g = nullptr;
    if (GdipCreateFromHDC(hdc, &g) == Gdiplus::Ok) {
        GdipSetInterpolationMode(g, Gdiplus::InterpolationModeHighQualityBicubic);
        GdipSetPixelOffsetMode(g, Gdiplus::PixelOffsetModeHalf);
        GdipDrawImageRectRectI(g, view, x, y, w, h, source.left, source.top, source.right - source.left,
                               source.bottom - source.top, Gdiplus::UnitPixel, nullptr, nullptr, nullptr);
        GdipDeleteGraphics(g);
    }
    GdipDisposeImage(view);
}

}  // namespace velmora
