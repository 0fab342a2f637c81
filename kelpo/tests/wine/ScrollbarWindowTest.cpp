// The scrollbar's window: painting from the skin pictures, messages through the hook, the
// double click acting as a second press.
#include <gtest/gtest.h>

#include "com/TypeInfoDispatch.h"
#include "kelpo/tests/wine/WindowFixture.h"
#include "kelpo/ucScrollbar_win.h"

namespace velmora::kelpo::testing {
namespace {

// A pixel of a skin picture of the library.
COLORREF SkinPixel(const wchar_t* name, int x, int y) {
    auto bitmap = static_cast<HBITMAP>(LoadImageW(com::CodeModule(), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap) return CLR_INVALID;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF pixel = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return pixel;
}

COLORREF WindowPixel(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return pixel;
}

class ScrollbarWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        bar_ = std::make_unique<ucScrollbarWindow>(
            com::CodeModule(), ScrollbarEvents{[this] { ++changes_; }, [this] { ++scrolls_; }, nullptr, nullptr});
        ASSERT_TRUE(bar_->Create(parent_.hwnd(), true));
        bar_->Move(10, 10, 17, 236);  // track 200: thumb 18 at 18
        bar_->SetVisible(true);
        UpdateWindow(bar_->hWnd());
    }
    void Send(UINT message, int x, int y, WPARAM keys = 0) {
        SendMessageW(bar_->hWnd(), message, keys, MAKELPARAM(x, y));
    }

    CountingWindow parent_;
    std::unique_ptr<ucScrollbarWindow> bar_;
    int changes_ = 0, scrolls_ = 0;
};

TEST_F(ScrollbarWindowTest, PaintsButtonsTrackAndThumbFromTheSkin) {
    HWND bar = bar_->hWnd();
    ASSERT_TRUE(IsWindowVisible(bar));
    // The thumb's frame 0, a column of its middle, above the grip.
    EXPECT_EQ(WindowPixel(bar, 8, 18 + 3), SkinPixel(L"SCRTHUMBV", 8, 7));
    // Button 1's face in its normal state, away from the arrow.
    EXPECT_EQ(WindowPixel(bar, 8, 2), SkinPixel(L"SCRARROWV", 8, 2));
    // The track below the thumb.
    EXPECT_EQ(WindowPixel(bar, 8, 100), SkinPixel(L"SCRBACKV", 8, 0));
    for (int y = 0; y < 236; ++y)
        for (int x = 0; x < 17; ++x) ASSERT_NE(WindowPixel(bar, x, y), RGB(255, 0, 255)) << x << "," << y;
}

TEST_F(ScrollbarWindowTest, HoverAndPressLooksComeFromTheirFrames) {
    HWND bar = bar_->hWnd();
    Send(WM_MOUSEMOVE, 8, 25);  // over the thumb
    EXPECT_EQ(WindowPixel(bar, 8, 18 + 3), SkinPixel(L"SCRTHUMBV", 17 + 8, 7)) << "hot thumb";
    Send(WM_LBUTTONDOWN, 8, 25, MK_LBUTTON);
    EXPECT_EQ(WindowPixel(bar, 8, 18 + 3), SkinPixel(L"SCRTHUMBV", 2 * 17 + 8, 7)) << "pressed thumb";
    Send(WM_LBUTTONUP, 8, 25);
    bar_->bar().SetEnabled(false);
    EXPECT_EQ(WindowPixel(bar, 8, 18 + 3), SkinPixel(L"SCRTHUMBV", 3 * 17 + 8, 7)) << "disabled thumb";
    EXPECT_EQ(WindowPixel(bar, 8, 2), SkinPixel(L"SCRARROWV", 8, 4 * 18 + 2)) << "disabled button";
}

TEST_F(ScrollbarWindowTest, TheSecondClickOfADoubleClickIsASecondPress) {
    Send(WM_LBUTTONDOWN, 8, 230, MK_LBUTTON);
    Send(WM_LBUTTONUP, 8, 230);
    Send(WM_LBUTTONDBLCLK, 8, 230, MK_LBUTTON);
    Send(WM_LBUTTONUP, 8, 230);
    EXPECT_EQ(bar_->Value(), 2);
    EXPECT_EQ(changes_, 2);
    EXPECT_EQ(scrolls_, 0);
}

TEST_F(ScrollbarWindowTest, DraggingTheThumbScrollsAndEndsWithOneChange) {
    Send(WM_LBUTTONDOWN, 8, 20, MK_LBUTTON);
    Send(WM_MOUSEMOVE, 8, 20 + 91, MK_LBUTTON);
    EXPECT_EQ(bar_->Value(), 50);
    EXPECT_EQ(scrolls_, 1);
    EXPECT_EQ(changes_, 0);
    Send(WM_LBUTTONUP, 8, 20 + 91);
    EXPECT_EQ(changes_, 1);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ScrollbarWindowTest, AFillerIsCheckeredWhenThereIsNoRoomForTheThumb) {
    bar_->Move(10, 10, 17, 40);
    InvalidateRect(bar_->hWnd(), nullptr, FALSE);
    UpdateWindow(bar_->hWnd());
    const COLORREF a = WindowPixel(bar_->hWnd(), 8, 19), b = WindowPixel(bar_->hWnd(), 9, 19);
    EXPECT_NE(a, b) << "neighbours differ in the checkerboard";
    EXPECT_EQ(WindowPixel(bar_->hWnd(), 8, 20), b);
}

}  // namespace
}  // namespace velmora::kelpo::testing
