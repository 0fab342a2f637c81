// Pictures under Wine: what the program's own decoders and its drawing put on the screen is
// what GDI+ puts there for the same files, and files they leave alone still come through GDI+.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/win32/Gdiplus.h"
#include "platform/win32/Win32Pictures.h"
#include "ui/win32/Picture.h"
#include "ui/win32/Screen.h"

using namespace Gdiplus::DllExports;

namespace velmora {
namespace {

// A file of the source tree, through the drive Wine maps the Unix root to.
std::string Source(const std::string& relative) {
    std::ifstream in(std::string("Z:") + VELMORA_SOURCE_DIR + "/" + relative, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

// An off-screen surface filled with a colour that shows through transparent parts.
struct Surface {
    Surface(int width, int height) : w(width), h(height) {
        bitmap = CreateSurface(w, h, reinterpret_cast<void**>(&pixels));
        dc = CreateCompatibleDC(nullptr);
        old = SelectObject(dc, bitmap);
        for (int i = 0; i < w * h; ++i) pixels[i] = 0x00336699;
    }
    ~Surface() {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    int w, h;
    HBITMAP bitmap = nullptr;
    uint32_t* pixels = nullptr;
    HDC dc = nullptr;
    HGDIOBJ old = nullptr;
};

// The largest difference of any colour channel between the two surfaces.
int LargestDifference(const Surface& a, const Surface& b) {
    int largest = 0;
    for (int i = 0; i < a.w * a.h; ++i) {
        for (int shift = 0; shift < 24; shift += 8) {
            const int d = std::abs(static_cast<int>((a.pixels[i] >> shift) & 0xFF) -
                                   static_cast<int>((b.pixels[i] >> shift) & 0xFF));
            largest = std::max(largest, d);
        }
    }
    return largest;
}

// GDI+ decoding the bytes and drawing them at their own size, as the program did before.
void DrawWithGdiplus(const std::string& bytes, Surface& target) {
    ASSERT_TRUE(win32::StartGdiplusOnce());
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    memcpy(GlobalLock(mem), bytes.data(), bytes.size());
    GlobalUnlock(mem);
    IStream* stream = nullptr;
    ASSERT_TRUE(SUCCEEDED(CreateStreamOnHGlobal(mem, TRUE, &stream)));
    Gdiplus::GpBitmap* bitmap = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromStream(stream, &bitmap), Gdiplus::Ok);
    UINT w = 0, h = 0;
    GdipGetImageWidth(bitmap, &w);
    GdipGetImageHeight(bitmap, &h);
    Gdiplus::GpGraphics* g = nullptr;
    ASSERT_EQ(GdipCreateFromHDC(target.dc, &g), Gdiplus::Ok);
    GdipSetInterpolationMode(g, Gdiplus::InterpolationModeNearestNeighbor);
    GdipDrawImageRectRectI(g, bitmap, 0, 0, static_cast<INT>(w), static_cast<INT>(h), 0, 0, static_cast<INT>(w),
                           static_cast<INT>(h), Gdiplus::UnitPixel, nullptr, nullptr, nullptr);
    GdipDeleteGraphics(g);
    GdipDisposeImage(bitmap);
    stream->Release();
}

TEST(Picture, TheSkinLooksAsGdiplusDrawsIt) {
    for (const char* file : {"res/Skin/img/Background.jpg", "res/Skin/img/General.jpg", "res/Skin/Tab/XuanXiang.png",
                             "res/Skin/Button/Close1.png", "res/Skin/Button/Close2.png", "res/Skin/Button/Close3.png",
                             "res/Skin/Button/Minimization1.png", "res/Skin/Button/Minimization2.png",
                             "res/Skin/Button/Minimization3.png"}) {
        const std::string bytes = Source(file);
        const std::unique_ptr<Picture> picture = Picture::FromBytes(bytes);
        ASSERT_NE(picture, nullptr) << file;
        Surface ours(picture->Width(), picture->Height()), theirs(picture->Width(), picture->Height());
        picture->Draw(ours.dc, 0, 0, picture->Width(), picture->Height());
        DrawWithGdiplus(bytes, theirs);
        // Blending rounds a little differently; nothing a person could see.
        EXPECT_LE(LargestDifference(ours, theirs), 1) << file;
    }
}

TEST(Picture, WhatTheOwnDecodersLeaveComesThroughGdiplus) {
    // A progressive JPEG, and the picture drawn scaled (as at other screen resolutions).
    const std::string bytes = Source("ui/tests/pictures/jpeg-progressive.jpg");
    const std::unique_ptr<Picture> picture = Picture::FromBytes(bytes);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Width(), 21);
    EXPECT_EQ(picture->Height(), 13);
    EXPECT_TRUE(picture->Opaque());
    Surface ours(21, 13), theirs(21, 13);
    picture->Draw(ours.dc, 0, 0, 21, 13);
    DrawWithGdiplus(bytes, theirs);
    EXPECT_EQ(LargestDifference(ours, theirs), 0);

    Surface scaled(42, 26);
    picture->Draw(scaled.dc, 0, 0, 42, 26);
    EXPECT_NE(scaled.pixels[13 * 42 + 21], 0x00336699u) << "nothing drawn when scaled";
    EXPECT_EQ(Picture::FromBytes("not a picture"), nullptr);
}

TEST(Picture, PartsOfAStripAreCutAtItsEdge) {
    // The part asked for reaches past the right edge of the picture: only what lies inside is
    // drawn, where it would be, and the rest of the target keeps its colour.
    const std::unique_ptr<Picture> picture = Picture::FromBytes(Source("res/Skin/Button/Close1.png"));
    ASSERT_NE(picture, nullptr);
    Surface whole(42, 22), part(42, 22);
    picture->Draw(whole.dc, 0, 0, 42, 22);
    picture->DrawPart(part.dc, 10, 0, 42, 22, RECT{10, 0, 52, 22});
    for (int y = 0; y < 22; ++y) {
        for (int x = 0; x < 42; ++x) {
            const uint32_t expected = x < 10 ? 0x00336699u : whole.pixels[y * 42 + x];
            ASSERT_EQ(part.pixels[y * 42 + x], expected) << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace velmora
