#include "library/win32/SuoLueTuJieMa.h"
#include "ui/win32/Screen.h"

#include <objidl.h>
#include <wincodec.h>

#include <cstring>
#include <vector>

#include "library/TileScaling.h"
#include "platform/win32/ComRef.h"
#include "platform/win32/Gdiplus.h"
#include "platform/win32/Win32Pictures.h"

namespace velmora {

namespace {

// A decoder's own scaling (a JPEG decoder decodes at 1/2, 1/4 or 1/8 of the size for a fraction
// of the work). The compiler's headers lack this interface of the imaging component.
const IID kSourceTransformIid = {
    0x3b16811b, 0x6a43, 0x4ec9, {0xb7, 0x13, 0x3d, 0x5a, 0x0c, 0x13, 0xb9, 0x40}};
// Like the system's own interfaces it has no virtual destructor: objects release themselves.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
struct IWICBitmapSourceTransform : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CopyPixels(const WICRect* rect, UINT width, UINT height,
                                                 WICPixelFormatGUID* format,
                                                 WICBitmapTransformOptions transform, UINT stride, UINT size,
                                                 BYTE* buffer) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetClosestSize(UINT* width, UINT* height) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetClosestPixelFormat(WICPixelFormatGUID* format) = 0;
    virtual HRESULT STDMETHODCALLTYPE DoesSupportTransform(WICBitmapTransformOptions transform,
                                                           BOOL* supported) = 0;
};
#pragma GCC diagnostic pop

// A top-down 32-bit bitmap the scaler writes straight into: the window kit's drawing surface.
HBITMAP TileBitmap(int width, int height, std::uint8_t** bits) {
    void* pixels = nullptr;
    HBITMAP bitmap = CreateSurface(width, height, &pixels);
    if (bitmap && !pixels) {
        DeleteObject(bitmap);
        bitmap = nullptr;
    }
    *bits = static_cast<std::uint8_t*>(pixels);
    return bitmap;
}

// Runs fill on a fresh tile bitmap; the bitmap when it succeeds, null (and nothing left) when not.
template <typename Fill>
HBITMAP FilledBitmap(int width, int height, Fill fill) {
    if (width <= 0 || height <= 0) return nullptr;
    std::uint8_t* bits = nullptr;
    HBITMAP bitmap = TileBitmap(width, height, &bits);
    if (!bitmap) return nullptr;
    if (!fill(bits)) {
        DeleteObject(bitmap);
        return nullptr;
    }
    return bitmap;
}

bool SameFormat(const WICPixelFormatGUID& a, const WICPixelFormatGUID& b) {
    return IsEqualGUID(a, b) != FALSE;
}

// The picture decoded at a size the decoder reaches by itself, no smaller than the tile: the
// largest power-of-two reduction that still covers the tile in both directions.
bool ScaledByDecoder(IWICBitmapFrameDecode* frame, UINT fullWidth, UINT fullHeight, int width, int height,
                     std::uint8_t* out) {
    auto transform =
        ComRef<IWICBitmapFrameDecode>::Share(frame).As<IWICBitmapSourceTransform>(kSourceTransformIid);
    if (!transform) return false;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (FAILED(transform->GetClosestPixelFormat(&format)) ||
        !SameFormat(format, GUID_WICPixelFormat24bppBGR)) {
        return false;
    }
    const UINT tileWidth = static_cast<UINT>(width), tileHeight = static_cast<UINT>(height);
    for (UINT divisor : {8u, 4u, 2u}) {
        UINT w = (fullWidth + divisor - 1) / divisor, h = (fullHeight + divisor - 1) / divisor;
        if (w < tileWidth || h < tileHeight) continue;
        if (FAILED(transform->GetClosestSize(&w, &h)) || w < tileWidth || h < tileHeight || w >= fullWidth ||
            h >= fullHeight) {
            continue;
        }
        const std::size_t stride = SourceStride(static_cast<int>(w), SourcePixels::Bgr24);
        if (!stride || h > 65535) return false;
        std::vector<std::uint8_t> pixels(stride * h);
        if (pixels.size() > MAXDWORD ||
            FAILED(transform->CopyPixels(nullptr, w, h, &format, WICBitmapTransformRotate0,
                                         static_cast<UINT>(stride), static_cast<UINT>(pixels.size()),
                                         pixels.data())) ||
            !SameFormat(format, GUID_WICPixelFormat24bppBGR)) {
            return false;
        }
        const ReadRows read = [&](int first, int count, std::uint8_t* rows, std::size_t rowStride) {
            for (int r = 0; r < count; ++r)
                std::memcpy(rows + static_cast<std::size_t>(r) * rowStride,
                            pixels.data() + static_cast<std::size_t>(first + r) * stride, stride);
            return true;
        };
        return ScaleToTile(static_cast<int>(w), static_cast<int>(h), SourcePixels::Bgr24, read, width, height,
                           out);
    }
    return false;
}

// The picture read in bands of full-size rows: as the decoder gives them when they are plain
// colour rows, through a converter otherwise (grey, palettes, transparency, CMYK).
bool ScaledFromRows(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, UINT fullWidth,
                    UINT fullHeight, int width, int height, std::uint8_t* out) {
    WICPixelFormatGUID native{};
    if (FAILED(frame->GetPixelFormat(&native))) return false;
    ComRef<IWICBitmapSource> source =
        ComRef<IWICBitmapFrameDecode>::Share(frame).As<IWICBitmapSource>(IID_IWICBitmapSource);
    SourcePixels format = SourcePixels::Bgr24;
    if (!SameFormat(native, GUID_WICPixelFormat24bppBGR)) {
        ComRef<IWICFormatConverter> converter;
        if (FAILED(factory->CreateFormatConverter(converter.Receive())) ||
            FAILED(converter->Initialize(frame, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                                         nullptr, 0.0, WICBitmapPaletteTypeCustom))) {
            return false;
        }
        source = converter.As<IWICBitmapSource>(IID_IWICBitmapSource);
        format = SourcePixels::PremultipliedBgra32;
    }
    if (!source || fullWidth > 65535 || fullHeight > 65535) return false;
    const ReadRows read = [&](int first, int count, std::uint8_t* rows, std::size_t stride) {
        const WICRect rect{0, first, static_cast<INT>(fullWidth), count};
        return SUCCEEDED(source->CopyPixels(&rect, static_cast<UINT>(stride),
                                            static_cast<UINT>(stride * static_cast<std::size_t>(count)),
                                            rows));
    };
    return ScaleToTile(static_cast<int>(fullWidth), static_cast<int>(fullHeight), format, read, width, height,
                       out);
}

// The bytes in a stream of their own (GDI+ reads it while decoding); null without memory.
ComRef<IStream> MemoryStream(const std::string& bytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!memory) return {};
    if (void* target = GlobalLock(memory)) {
        std::memcpy(target, bytes.data(), bytes.size());
        GlobalUnlock(memory);
    } else {
        GlobalFree(memory);
        return {};
    }
    ComRef<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, stream.Receive()))) {
        GlobalFree(memory);
        return {};
    }
    return stream;
}

}  // namespace

HBITMAP WicJieMa(const std::string& bytes, int width, int height) {
    if (bytes.empty() || bytes.size() > MAXDWORD) return nullptr;
    // Through COM, so that a Windows XP without the component still loads the program.
    ComRef<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, factory.ReceiveVoid())) ||
        !factory) {
        return nullptr;
    }
    ComRef<IWICStream> stream;
    ComRef<IWICBitmapDecoder> decoder;
    ComRef<IWICBitmapFrameDecode> frame;
    // The stream reads the caller's bytes in place; they outlive every object made here.
    BYTE* data = reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data()));
    if (FAILED(factory->CreateStream(stream.Receive())) ||
        FAILED(stream->InitializeFromMemory(data, static_cast<DWORD>(bytes.size()))) ||
        FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                decoder.Receive())) ||
        FAILED(decoder->GetFrame(0, frame.Receive()))) {
        return nullptr;
    }
    UINT fullWidth = 0, fullHeight = 0;
    if (FAILED(frame->GetSize(&fullWidth, &fullHeight)) || !fullWidth || !fullHeight) return nullptr;
    return FilledBitmap(width, height, [&](std::uint8_t* bits) {
        return ScaledByDecoder(frame.get(), fullWidth, fullHeight, width, height, bits) ||
               ScaledFromRows(factory.get(), frame.get(), fullWidth, fullHeight, width, height, bits);
    });
}

HBITMAP GdiplusJieMa(const std::string& bytes, int width, int height) {
    using namespace Gdiplus::DllExports;
    if (bytes.empty() || !win32::StartGdiplusOnce()) return nullptr;
    ComRef<IStream> stream = MemoryStream(bytes);
    Gdiplus::GpBitmap* image = nullptr;
    if (!stream || GdipCreateBitmapFromStream(stream.get(), &image) != Gdiplus::Ok || !image) return nullptr;
    UINT fullWidth = 0, fullHeight = 0;
    Gdiplus::PixelFormat native = 0;
    GdipGetImageWidth(image, &fullWidth);
    GdipGetImageHeight(image, &fullHeight);
    GdipGetImagePixelFormat(image, &native);
    // Whatever may be transparent comes premultiplied, so that it can be laid over white.
    const bool clear = (native & (PixelFormatAlpha | PixelFormatPAlpha | PixelFormatIndexed)) != 0;
    const Gdiplus::PixelFormat wanted = clear ? PixelFormat32bppPARGB : PixelFormat24bppRGB;
    const ReadRows read = [&](int first, int count, std::uint8_t* rows, std::size_t stride) {
        const Gdiplus::Rect rect(0, first, static_cast<INT>(fullWidth), count);
        Gdiplus::BitmapData data{};
        data.Width = fullWidth;
        data.Height = static_cast<UINT>(count);
        data.Stride = static_cast<INT>(stride);
        data.PixelFormat = wanted;
        data.Scan0 = rows;
        if (GdipBitmapLockBits(image, &rect, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                               wanted, &data) != Gdiplus::Ok) {
            return false;
        }
        return GdipBitmapUnlockBits(image, &data) == Gdiplus::Ok;
    };
    HBITMAP bitmap = nullptr;
    if (fullWidth && fullHeight && fullWidth <= 65535 && fullHeight <= 65535) {
        bitmap = FilledBitmap(width, height, [&](std::uint8_t* bits) {
            return ScaleToTile(static_cast<int>(fullWidth), static_cast<int>(fullHeight),
                               clear ? SourcePixels::PremultipliedBgra32 : SourcePixels::Bgr24, read, width,
                               height, bits);
        });
    }
    GdipDisposeImage(image);
    return bitmap;
}

}  // namespace velmora
