#include "tests/wine/TilePictures.h"

#include <windows.h>

#include <vector>

#include "platform/win32/Gdiplus.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32Pictures.h"
#include "platform/win32/Win32Platform.h"

using namespace Gdiplus::DllExports;

namespace velmora::tiletest {

namespace {

bool EncoderFor(const wchar_t* mime, CLSID* clsid) {
    UINT count = 0, size = 0;
    if (GdipGetImageEncodersSize(&count, &size) != Gdiplus::Ok || !size) return false;
    std::vector<BYTE> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (GdipGetImageEncoders(count, size, codecs) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i) {
        if (lstrcmpiW(codecs[i].MimeType, mime) == 0) {
            *clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

std::string StreamBytes(IStream* stream) {
    STATSTG stat{};
    LARGE_INTEGER start{};
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) || FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr)))
        return {};
    std::string bytes(static_cast<size_t>(stat.cbSize.QuadPart), '\0');
    ULONG read = 0;
    if (FAILED(stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read)) || read != bytes.size())
        return {};
    return bytes;
}

}  // namespace

std::string EncodePicture(int width, int height, const PixelColour& colour, const wchar_t* mime) {
    CLSID encoder{};
    if (!win32::StartGdiplusOnce() || !EncoderFor(mime, &encoder)) return {};
    std::vector<std::uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + x] = colour(x, y);
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppARGB,
                                  reinterpret_cast<BYTE*>(pixels.data()), &bitmap) != Gdiplus::Ok) {
        return {};
    }
    std::string bytes;
    IStream* stream = nullptr;
    if (SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) {
        if (GdipSaveImageToStream(bitmap, stream, &encoder, nullptr) == Gdiplus::Ok)
            bytes = StreamBytes(stream);
        stream->Release();
    }
    GdipDisposeImage(bitmap);
    return bytes;
}

TempFolder::TempFolder(const std::string& prefix) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    static int made = 0;
    path_ = Narrow(std::wstring(temp)) + prefix + "-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++made);
    win32::RealPlatform().files.CreateDirectories(path_);
}

TempFolder::~TempFolder() {
    FileSystem& files = win32::RealPlatform().files;
    for (const std::string& name : files.ListFiles(path_, "*")) files.Remove(path_ + "\\" + name);
    files.RemoveEmptyFolder(path_);
}

std::string TempFolder::Write(const std::string& name, const std::string& bytes) const {
    const std::string path = path_ + "\\" + name;
    auto file = win32::RealPlatform().files.OpenForWrite(path);
    if (!file || !file->Write(bytes.data(), bytes.size()) || !file->Close()) return {};
    return path;
}

}  // namespace velmora::tiletest
