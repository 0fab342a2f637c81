// The off-screen surface and the icon reader's drawing on real device contexts.
#include <gtest/gtest.h>

#include "com/TypeInfoDispatch.h"
#include "kelpo/ClsIcon_win.h"
#include "kelpo/pcMemDC_win.h"

namespace velmora::kelpo::testing {
namespace {

// A 32-bit memory canvas filled with one colour.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill) : dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        HBRUSH brush = CreateSolidBrush(fill);
        RECT r{0, 0, width, height};
        FillRect(dc_, &r, brush);
        DeleteObject(brush);
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC dc() const { return dc_; }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

private:
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

void Paint(HDC dc, int x, int y, int w, int h, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    RECT r{x, y, x + w, y + h};
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

TEST(pcMemDCTest, ASmallerSizeKeepsTheSurfaceAndItsPixels) {
    pcMemDC surface;
    EXPECT_EQ(surface.Width(), 0);
    surface.SetWidth(40);
    surface.SetHeight(30);
    ASSERT_TRUE(surface.hdc());
    EXPECT_EQ(surface.Width(), 40);
    EXPECT_EQ(surface.Height(), 30);
    Paint(surface.hdc(), 0, 0, 40, 30, RGB(10, 20, 30));
    HDC before = surface.hdc();
    surface.SetWidth(20);
    surface.SetHeight(30);
    EXPECT_EQ(surface.hdc(), before);
    EXPECT_EQ(surface.Width(), 40);
    EXPECT_EQ(GetPixel(surface.hdc(), 35, 25), RGB(10, 20, 30));
    surface.SetHeight(50);
    EXPECT_EQ(surface.Height(), 50);
    EXPECT_EQ(surface.Width(), 40);
}

TEST(pcMemDCTest, DrawCopiesUnscaledAndAZeroWidthMeansTheWholeSurface) {
    pcMemDC surface;
    surface.SetWidth(20);
    surface.SetHeight(10);
    Paint(surface.hdc(), 0, 0, 20, 10, RGB(200, 0, 0));
    Paint(surface.hdc(), 15, 0, 5, 10, RGB(0, 0, 200));
    Canvas canvas(60, 30, RGB(255, 255, 255));
    surface.Draw(canvas.dc(), 0, 0, 0, 5, 10, 10, false);
    EXPECT_EQ(canvas.At(10, 10), RGB(200, 0, 0));
    EXPECT_EQ(canvas.At(29, 14), RGB(0, 0, 200)) << "the whole width of 20";
    EXPECT_EQ(canvas.At(30, 10), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(10, 15), RGB(255, 255, 255)) << "height 5 as asked";
}

TEST(pcMemDCTest, MagentaIsLeftOutWithTheMaskAndStretchingScales) {
    pcMemDC surface;
    surface.SetWidth(4);
    surface.SetHeight(4);
    Paint(surface.hdc(), 0, 0, 4, 4, pcMemDC::kKeyColour);
    Paint(surface.hdc(), 1, 1, 2, 2, RGB(0, 128, 0));
    Canvas canvas(20, 20, RGB(50, 60, 70));
    surface.Draw(canvas.dc(), 0, 0, 0, 0, 0, 0, true);
    EXPECT_EQ(canvas.At(0, 0), RGB(50, 60, 70)) << "the destination shows through";
    EXPECT_EQ(canvas.At(1, 1), RGB(0, 128, 0));
    EXPECT_EQ(canvas.At(3, 3), RGB(50, 60, 70));
    surface.StretchDraw(canvas.dc(), 8, 8, 8, 8, 1, 1, 2, 2);
    EXPECT_EQ(canvas.At(8, 8), RGB(0, 128, 0));
    EXPECT_EQ(canvas.At(15, 15), RGB(0, 128, 0));
    EXPECT_EQ(canvas.At(16, 16), RGB(50, 60, 70));
}

TEST(ClsIconDrawTest, ThePlayIconIsOneTwelvePixelImageDrawnAtItsSize) {
    ClsIcon icon;
    ASSERT_TRUE(icon.LoadFromData(ResourceBytes(com::CodeModule(), L"PLAYICON", L"TCICON")));
    EXPECT_EQ(icon.Count(), 1);
    EXPECT_EQ(icon.Width(0), 12);
    EXPECT_EQ(icon.Height(0), 12);
    EXPECT_EQ(icon.BitCount(0), 32);
    const COLORREF white = RGB(255, 255, 255);
    Canvas canvas(40, 40, white);
    ASSERT_TRUE(DrawIconImage(icon, canvas.dc(), 10, 10, 0));
    int changed = 0, outside = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            if (canvas.At(x, y) == white) continue;
            const bool inside = x >= 10 && x < 22 && y >= 10 && y < 22;
            ++(inside ? changed : outside);
        }
    EXPECT_GT(changed, 20) << "the triangle is there";
    EXPECT_EQ(outside, 0) << "nothing beyond 12 x 12";
    EXPECT_EQ(canvas.At(16, 16) & 0x00FF00, 0x00B700u) << "green";
    EXPECT_FALSE(DrawIconImage(icon, canvas.dc(), 0, 0, 1)) << "no second image";
}

}  // namespace
}  // namespace velmora::kelpo::testing
