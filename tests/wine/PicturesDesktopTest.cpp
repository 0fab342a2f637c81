// The picture and desktop-call pieces of the Win32 platform against the real functions.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/Gdiplus.h"
#include "platform/win32/MemoryStream.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32Pictures.h"
#include "platform/win32/Win32Platform.h"

using namespace Gdiplus::DllExports;

namespace velmora {
namespace {

std::string Folder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::string dir = Narrow(std::wstring(temp)) + "velmora-pictures-" + std::to_string(GetCurrentProcessId());
    win32::RealPlatform().files.CreateDirectories(dir);
    return dir;
}

// A noisy picture (so that JPEG quality matters) written by GDI+ itself in the given format.
void WriteNoise(const std::string& path, const wchar_t* mime, int w, int h) {
    ASSERT_TRUE(win32::StartGdiplusOnce());
    Gdiplus::GpBitmap* bitmap = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromScan0(w, h, 0, PixelFormat32bppARGB, nullptr, &bitmap), Gdiplus::Ok);
    unsigned seed = 7;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            seed = seed * 1103515245u + 12345u;
            GdipBitmapSetPixel(bitmap, x, y, 0xFF000000u | (seed >> 8));
        }
    }
    UINT count = 0, size = 0;
    GdipGetImageEncodersSize(&count, &size);
    std::vector<BYTE> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    GdipGetImageEncoders(count, size, codecs);
    const Gdiplus::ImageCodecInfo* codec = nullptr;
    for (UINT i = 0; i < count; ++i) {
        if (lstrcmpiW(codecs[i].MimeType, mime) == 0) codec = &codecs[i];
    }
    ASSERT_NE(codec, nullptr);
    EXPECT_EQ(GdipSaveImageToFile(bitmap, Widen(path).c_str(), &codec->Clsid, nullptr), Gdiplus::Ok);
    GdipDisposeImage(bitmap);
}

TEST(Win32Pictures, DecodesTheCommonFormatsAndRefusesBrokenFiles) {
    Pictures& pictures = win32::RealPlatform().pictures;
    const std::string dir = Folder();
    const struct {
        const wchar_t* mime;
        const char* name;
    } formats[] = {{L"image/jpeg", "a.jpg"}, {L"image/bmp", "a.bmp"}, {L"image/png", "a.png"}};
    for (const auto& f : formats) {
        WriteNoise(dir + "\\" + f.name, f.mime, 40, 30);
        const auto picture = pictures.Load(dir + "\\" + f.name);
        ASSERT_TRUE(picture) << f.name;
        EXPECT_EQ(picture->Width(), 40);
        EXPECT_EQ(picture->Height(), 30);
    }
    auto broken = win32::RealPlatform().files.OpenForWrite(dir + "\\broken.jpg");
    ASSERT_TRUE(broken);
    broken->Write("\xFF\xD8\xFF\xE0 this is no picture", 24);
    broken->Close();
    EXPECT_FALSE(pictures.Load(dir + "\\broken.jpg"));
    EXPECT_FALSE(pictures.Load(dir + "\\missing.jpg"));
}

// What a read gives: the bytes and the result code.
std::pair<std::string, HRESULT> ReadFrom(IStream* stream, ULONG count) {
    std::string out(count, '\0');
    ULONG read = 0;
    const HRESULT hr = stream->Read(out.data(), count, &read);
    out.resize(read);
    return {out, hr};
}

LARGE_INTEGER By(LONGLONG n) {
    LARGE_INTEGER move;
    move.QuadPart = n;
    return move;
}

TEST(MemoryStream, ReadsStopAtTheEndWhereverTheyStart) {
    IStream* stream = win32::NewMemoryStream("abcdef");
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(ReadFrom(stream, 4), std::make_pair(std::string("abcd"), S_OK));
    EXPECT_EQ(ReadFrom(stream, 10), std::make_pair(std::string("ef"), S_FALSE));
    // A decoder skipping a segment longer than the file: past the end, and nothing to read there.
    ULARGE_INTEGER at = {};
    EXPECT_EQ(stream->Seek(By(28000), STREAM_SEEK_CUR, &at), S_OK);
    EXPECT_EQ(at.QuadPart, 28006u);
    EXPECT_EQ(ReadFrom(stream, 1024), std::make_pair(std::string(), S_FALSE));
    EXPECT_EQ(stream->Seek(By(-2), STREAM_SEEK_END, nullptr), S_OK);
    EXPECT_EQ(ReadFrom(stream, 5).first, "ef");
    // Before the start is refused and leaves the position where it was.
    EXPECT_EQ(stream->Seek(By(1), STREAM_SEEK_SET, nullptr), S_OK);
    EXPECT_NE(stream->Seek(By(-5), STREAM_SEEK_CUR, nullptr), S_OK);
    IStream* clone = nullptr;
    ASSERT_EQ(stream->Clone(&clone), S_OK);
    EXPECT_EQ(ReadFrom(clone, 9).first, "bcdef");
    EXPECT_EQ(ReadFrom(stream, 2).first, "bc");
    STATSTG stat = {};
    EXPECT_EQ(stream->Stat(&stat, STATFLAG_NONAME), S_OK);
    EXPECT_EQ(stat.cbSize.QuadPart, 6u);
    ULONG written = 1;
    EXPECT_NE(stream->Write("x", 1, &written), S_OK);
    EXPECT_EQ(written, 0u);
    clone->Release();
    EXPECT_EQ(stream->Release(), 0u);
}

TEST(Win32Pictures, WritesBmpAndJpegThatDecodeAgain) {
    Pictures& pictures = win32::RealPlatform().pictures;
    auto& files = win32::RealPlatform().files;
    const std::string dir = Folder();
    WriteNoise(dir + "\\src.png", L"image/png", 320, 200);
    const auto source = pictures.Load(dir + "\\src.png");
    ASSERT_TRUE(source);

    // BMP data under any name: a 24-bit bitmap file of the picture's size.
    ASSERT_TRUE(pictures.SaveBmp(*source, dir + "\\out.JPG"));
    const auto bmp = files.ReadAll(dir + "\\out.JPG");
    ASSERT_TRUE(bmp);
    ASSERT_GT(bmp->size(), 54u);
    EXPECT_EQ(bmp->substr(0, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>((*bmp)[28]), 24u);  // bits per pixel
    const auto again = pictures.Load(dir + "\\out.JPG");
    ASSERT_TRUE(again);
    EXPECT_EQ(again->Width(), 320);

    // JPEG: never larger at a lower quality, and smaller when scaled down. Wine's GDI+ ignores
    // the quality (Windows honours it), so only the scaling is sure to shrink it here.
    const auto high = pictures.EncodeJpeg(*source, 95);
    const auto low = pictures.EncodeJpeg(*source, 30);
    ASSERT_TRUE(high && low);
    EXPECT_EQ(high->substr(0, 3), "\xFF\xD8\xFF");
    EXPECT_GE(high->size(), low->size());
    if (high->size() == low->size()) std::printf("NOTE: this GDI+ ignores the JPEG quality\n");
    const auto half = pictures.Scaled(*source, 160, 100);
    ASSERT_TRUE(half);
    EXPECT_EQ(half->Width(), 160);
    EXPECT_GT(low->size(), pictures.EncodeJpeg(*half, 30)->size());
    ASSERT_TRUE(pictures.SaveJpeg(*half, dir + "\\half.jpg", 30));
    const auto jpeg = pictures.Load(dir + "\\half.jpg");
    ASSERT_TRUE(jpeg);
    EXPECT_EQ(jpeg->Height(), 100);

    // A folder that does not exist is a failed save, not a crash.
    EXPECT_FALSE(pictures.SaveBmp(*source, dir + "\\no\\such\\a.bmp"));
}

TEST(Win32DesktopCalls, WallpaperBroadcastAndWindowsByTitle) {
    DesktopCalls& desktop = win32::RealPlatform().desktop;
    Pictures& pictures = win32::RealPlatform().pictures;
    const std::string dir = Folder();
    WriteNoise(dir + "\\w.png", L"image/png", 64, 48);
    const auto picture = pictures.Load(dir + "\\w.png");
    ASSERT_TRUE(picture);
    ASSERT_TRUE(pictures.SaveBmp(*picture, dir + "\\w.bmp"));
    auto& reg = win32::RealPlatform().registry;
    const auto before = reg.ReadString("HKCU\\Control Panel\\Desktop\\Wallpaper");
    ASSERT_TRUE(desktop.SetWallpaper(dir + "\\w.bmp"));
    EXPECT_EQ(reg.ReadString("HKCU\\Control Panel\\Desktop\\Wallpaper"), dir + "\\w.bmp");
    desktop.SetWallpaper(before.value_or(""));

    EXPECT_TRUE(desktop.BroadcastSettingChange(0, "", 2000));

    HWND w = CreateWindowExW(0, L"STATIC", L"鼠标 属性 测试", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(w, nullptr);
    ShowWindow(w, SW_SHOWNOACTIVATE);
    EXPECT_EQ(desktop.FindWindowByTitle("鼠标 属性 测试"), reinterpret_cast<uintptr_t>(w));
    EXPECT_EQ(desktop.FindWindowByTitle("没有这个窗口"), 0u);
    desktop.HideWindow(reinterpret_cast<uintptr_t>(w));
    EXPECT_FALSE(IsWindowVisible(w));
    EXPECT_TRUE(desktop.PostKeyDown(reinterpret_cast<uintptr_t>(w), VK_RETURN));
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, w, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_RETURN));
    DestroyWindow(w);
}

TEST(Win32FileSystem, RemovesOnlyEmptyFolders) {
    auto& fs = win32::RealPlatform().files;
    const std::string dir = Folder() + "\\LogonUI";
    ASSERT_TRUE(fs.CreateDirectories(dir));
    auto f = fs.OpenForWrite(dir + "\\Logon.exe");
    ASSERT_TRUE(f && f->Close());
    EXPECT_FALSE(fs.RemoveEmptyFolder(dir));
    EXPECT_FALSE(fs.RemoveEmptyFolder(dir + "\\Logon.exe"));
    EXPECT_TRUE(fs.Remove(dir + "\\Logon.exe"));
    EXPECT_TRUE(fs.RemoveEmptyFolder(dir + "\\"));
    EXPECT_FALSE(DirectoryExists(fs, dir));
}

TEST(Win32DesktopCalls, SystemCursorNeedsALoadableFile) {
    DesktopCalls& desktop = win32::RealPlatform().desktop;
    // A file that is no cursor never reaches SetSystemCursor.
    EXPECT_FALSE(desktop.SetSystemCursorFromFile(Folder() + "\\missing.ani", 32512));
}

}  // namespace
}  // namespace velmora
