#include "platform/win32/Win32Pictures.h"

#include <cstring>
#include <vector>

#include "platform/win32/Gdiplus.h"
#include "platform/win32/MemoryStream.h"
#include "platform/win32/Wide.h"

using namespace Gdiplus::DllExports;

namespace velmora::win32 {

bool StartGdiplusOnce() {
    static const bool started = [] {
        ULONG_PTR token = 0;
        Gdiplus::GdiplusStartupInput input;
        return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }();
    return started;
}

namespace {

// Owns the bitmap and the stream it was decoded from (GDI+ reads the stream lazily).
class GdiplusPicture : public DecodedPicture {
public:
    GdiplusPicture(Gdiplus::GpBitmap* bitmap, IStream* stream) : bitmap_(bitmap), stream_(stream) {
        UINT w = 0, h = 0;
        GdipGetImageWidth(bitmap_, &w);
        GdipGetImageHeight(bitmap_, &h);
        width_ = static_cast<int>(w);
        height_ = static_cast<int>(h);
    }
    ~GdiplusPicture() override {
        GdipDisposeImage(bitmap_);
        if (stream_) stream_->Release();
    }
    GdiplusPicture(const GdiplusPicture&) = delete;
    GdiplusPicture& operator=(const GdiplusPicture&) = delete;
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    Gdiplus::GpBitmap* bitmap() const { return bitmap_; }

private:
    Gdiplus::GpBitmap* bitmap_;
    IStream* stream_;
    int width_ = 0, height_ = 0;
};

bool EncoderFor(const wchar_t* mimeType, CLSID* clsid) {
    UINT count = 0, size = 0;
    if (GdipGetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
    std::vector<BYTE> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (GdipGetImageEncoders(count, size, codecs) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i) {
        if (lstrcmpiW(codecs[i].MimeType, mimeType) == 0) {
            *clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

// {1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}
constexpr GUID kEncoderQuality = {0x1d5be4b5, 0xfa4a, 0x452d, {0x9c, 0xdd, 0x5d, 0xb3, 0x51, 0x05, 0xe7, 0xeb}};

// Encodes a 24-bit copy (BMP keeps no alpha anyway, JPEG has none), into memory.
std::optional<std::string> Encode(const DecodedPicture& picture, const wchar_t* mimeType, const int* quality) {
    const auto& source = static_cast<const GdiplusPicture&>(picture);
    CLSID clsid;
    if (!StartGdiplusOnce() || !EncoderFor(mimeType, &clsid)) return std::nullopt;
    Gdiplus::GpBitmap* copy = nullptr;
    if (GdipCloneBitmapAreaI(0, 0, source.Width(), source.Height(), PixelFormat24bppRGB, source.bitmap(), &copy) !=
            Gdiplus::Ok ||
        !copy) {
        return std::nullopt;
    }
    IStream* out = nullptr;
    std::optional<std::string> bytes;
    if (SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &out))) {
        Gdiplus::EncoderParameters params;
        ULONG value = quality ? static_cast<ULONG>(std::clamp(*quality, 1, 100)) : 0;
        params.Count = 1;
        params.Parameter[0].Guid = kEncoderQuality;
        params.Parameter[0].NumberOfValues = 1;
        params.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
        params.Parameter[0].Value = &value;
        if (GdipSaveImageToStream(copy, out, &clsid, quality ? &params : nullptr) == Gdiplus::Ok) {
            LARGE_INTEGER zero = {};
            ULARGE_INTEGER end = {};
            HGLOBAL mem = nullptr;
            if (SUCCEEDED(out->Seek(zero, STREAM_SEEK_CUR, &end)) && SUCCEEDED(GetHGlobalFromStream(out, &mem))) {
                const void* data = GlobalLock(mem);
                if (data) {
                    bytes = std::string(static_cast<const char*>(data), static_cast<size_t>(end.QuadPart));
                    GlobalUnlock(mem);
                }
            }
        }
        out->Release();
    }
    GdipDisposeImage(copy);
    return bytes;
}

}  // namespace

std::unique_ptr<DecodedPicture> Win32Pictures::Load(const std::string& path) {
    if (!StartGdiplusOnce()) return nullptr;
    // Read through the file system, so that the file is never kept open and the program's
    // rules about system folders hold.
    const auto bytes = files_.ReadAll(path);
    if (!bytes || bytes->empty()) return nullptr;
    IStream* stream = NewMemoryStream(*bytes);
    if (!stream) return nullptr;
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (GdipCreateBitmapFromStream(stream, &bitmap) != Gdiplus::Ok || !bitmap) {
        stream->Release();
        return nullptr;
    }
    auto picture = std::make_unique<GdiplusPicture>(bitmap, stream);
    if (picture->Width() <= 0 || picture->Height() <= 0) return nullptr;
    return picture;
}

std::unique_ptr<DecodedPicture> Win32Pictures::Scaled(const DecodedPicture& picture, int width, int height) {
    const auto& source = static_cast<const GdiplusPicture&>(picture);
    if (width <= 0 || height <= 0 || !StartGdiplusOnce()) return nullptr;
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (GdipCreateBitmapFromScan0(width, height, 0, PixelFormat24bppRGB, nullptr, &bitmap) != Gdiplus::Ok ||
        !bitmap) {
        return nullptr;
    }
    Gdiplus::GpGraphics* g = nullptr;
    if (GdipGetImageGraphicsContext(bitmap, &g) != Gdiplus::Ok) {
        GdipDisposeImage(bitmap);
        return nullptr;
    }
    GdipSetInterpolationMode(g, Gdiplus::InterpolationModeHighQualityBicubic);
    GdipSetPixelOffsetMode(g, Gdiplus::PixelOffsetModeHalf);
    GdipDrawImageRectI(g, source.bitmap(), 0, 0, width, height);
    GdipDeleteGraphics(g);
    return std::make_unique<GdiplusPicture>(bitmap, nullptr);
}

bool Win32Pictures::WriteFile(const std::string& path, const std::optional<std::string>& bytes) {
    if (!bytes) return false;
    auto out = files_.OpenForWrite(path);
    return out && out->Write(bytes->data(), bytes->size()) && out->Close();
}

bool Win32Pictures::SaveBmp(const DecodedPicture& picture, const std::string& path) {
    return WriteFile(path, Encode(picture, L"image/bmp", nullptr));
}

std::optional<std::string> Win32Pictures::EncodeJpeg(const DecodedPicture& picture, int quality) {
    return Encode(picture, L"image/jpeg", &quality);
}

bool Win32Pictures::SaveJpeg(const DecodedPicture& picture, const std::string& path, int quality) {
    return WriteFile(path, EncodeJpeg(picture, quality));
}

}  // namespace velmora::win32
