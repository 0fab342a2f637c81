// The popup menu in real windows with real mouse and keyboard input: a click and an
// accelerator choose, a click in the owner closes, and it paints in its colours.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "tests/wine/UiDriver.h"
#include "ui/win32/MenuWindow.h"

namespace velmora::uitest {
namespace {

LRESULT CALLBACK OwnerProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(h, msg, wp, lp); }

class MenuUiTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = OwnerProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        wc.lpszClassName = L"VelmoraMenuOwner";
        RegisterClassW(&wc);
        owner = CreateWindowExW(0, L"VelmoraMenuOwner", L"owner", WS_POPUP | WS_VISIBLE, 50, 50, 300, 200, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(owner, nullptr);
        SetForegroundWindow(owner);
        SetFocus(owner);
        PumpFor(100);

        popup = std::make_unique<MenuWindow>();
        popup->menu().MenuClick = [this](int i) {
            clicks.push_back(i);
            visibleAtClick = IsWindowVisible(popup->hwnd()) != FALSE;
        };
        ASSERT_NE(popup->Create(owner), nullptr);
        CMenu& m = popup->menu();
        m.Add("Velmora", "New");
        m.Add("功能设置");
        m.Add();
        m.Add("意见反馈(&U)");
        m.Add();
        m.Add("关于Velmora");
        m.Add("退出Velmora(&E)");
    }
    void TearDown() override {
        popup.reset();
        if (owner) DestroyWindow(owner);
    }
    void ShowAt(int x, int y) {
        popup->menu().Show(x, y);
        PumpFor(100);
        ASSERT_TRUE(IsWindowVisible(popup->hwnd()));
    }
    // The centre of an item on the screen.
    POINT ItemCentre(int index) {
        RECT rc;
        GetWindowRect(popup->hwnd(), &rc);
        const MenuRect r = popup->menu().Item(index).rect;
        return {rc.left + (r.left + r.right) / 2, rc.top + (r.top + r.bottom) / 2};
    }

    HWND owner = nullptr;
    std::unique_ptr<MenuWindow> popup;
    std::vector<int> clicks;
    bool visibleAtClick = true;
};

TEST_F(MenuUiTest, TheMenuWindowIsAToolWindowOfTheLaidOutSizeThatNeverTakesTheFocus) {
    const HWND w = popup->hwnd();
    EXPECT_TRUE(GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(IsWindowVisible(w));
    ShowAt(400, 300);
    RECT rc;
    GetWindowRect(w, &rc);
    EXPECT_EQ(rc.left, 400);
    EXPECT_EQ(rc.top, 300);
    EXPECT_EQ(rc.right - rc.left, popup->menu().Width());
    EXPECT_EQ(rc.bottom - rc.top, 5 * 24 + 2 * 3 + 4);
    const POINT at = ItemCentre(0);
    ClickAt(at.x, at.y);
    PumpFor(200);
    EXPECT_EQ(GetFocus(), owner);
}

TEST_F(MenuUiTest, AClickOnAnItemReportsItsPositionAfterHiding) {
    ShowAt(400, 300);
    const POINT at = ItemCentre(3);
    ClickAt(at.x, at.y);
    PumpFor(300);
    EXPECT_EQ(clicks, std::vector<int>{3});
    EXPECT_FALSE(visibleAtClick);
    EXPECT_FALSE(IsWindowVisible(popup->hwnd()));
}

TEST_F(MenuUiTest, AnAcceleratorKeyOnTheFocusWindowChooses) {
    ShowAt(400, 300);
    PressKey('X');  // no item: swallowed, the menu stays
    PumpFor(200);
    EXPECT_TRUE(clicks.empty());
    EXPECT_TRUE(IsWindowVisible(popup->hwnd()));
    PressKey('E');
    PumpFor(300);
    EXPECT_EQ(clicks, std::vector<int>{6});
    EXPECT_FALSE(IsWindowVisible(popup->hwnd()));
    // The hooks are gone with the menu: the owner's keys are its own again.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    PressKey('U');
    PumpFor(200);
    EXPECT_EQ(clicks, std::vector<int>{6});
}

TEST_F(MenuUiTest, AClickInTheOwnerWindowHidesTheMenuWithoutChoosing) {
    ShowAt(400, 300);
    ClickLeft(owner);
    PumpFor(300);
    EXPECT_FALSE(IsWindowVisible(popup->hwnd()));
    EXPECT_TRUE(clicks.empty());
}

TEST_F(MenuUiTest, TheMenuPaintsItsFrameFillAndTheItemUnderTheMouse) {
    ShowAt(400, 300);
    const POINT at = ItemCentre(1);
    SetCursorPos(at.x, at.y);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_MOVE;
    in.mi.dx = 1;
    SendInput(1, &in, sizeof in);
    PumpFor(300);
    EXPECT_EQ(popup->menu().HotItem(), 1);
    HDC dc = GetDC(popup->hwnd());
    const MenuRect hot = popup->menu().Item(1).rect;
    EXPECT_EQ(GetPixel(dc, 0, 0), kMenuBorder);
    EXPECT_EQ(GetPixel(dc, 1, 1), kMenuFill);
    EXPECT_EQ(GetPixel(dc, hot.left, hot.top + 5), kMenuHotBorder);
    EXPECT_EQ(GetPixel(dc, hot.left + 3, hot.top + 2), kMenuHotFill);
    const MenuRect line = popup->menu().Item(2).rect;
    EXPECT_EQ(GetPixel(dc, line.left + 4, line.top + 1), kMenuSeparator);
    ReleaseDC(popup->hwnd(), dc);
}

TEST_F(MenuUiTest, ReleasingTheMenuFromItsOwnClickIsSafe) {
    popup->menu().MenuClick = [this](int i) {
        clicks.push_back(i);
        popup.reset();
    };
    ShowAt(400, 300);
    PressKey('U');
    PumpFor(300);
    EXPECT_EQ(clicks, std::vector<int>{3});
    EXPECT_EQ(popup, nullptr);
    // The owner answers as before.
    ClickLeft(owner);
    PumpFor(100);
    EXPECT_TRUE(IsWindow(owner));
}

}  // namespace
}  // namespace velmora::uitest
