// The two installer windows in this process on the real window kit: controls, layout, the
// picture, the previews and hover cursors, and the buttons.
#include <gtest/gtest.h>

#include <cstdlib>

#include "installers/win32/AzBiZhi_win.h"
#include "installers/win32/AzShuBiao_win.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32Platform.h"
#include "platform/testing/Doubles.h"
#include "tests/wine/UiDriver.h"

namespace velmora {
namespace {

using uitest::W;

std::string SourceFile(const std::string& relative) {
    const char* root = std::getenv("VELMORA_SOURCE");
    return std::string(root ? root : "") + relative;
}

std::string SampleScheme() {
    const char* dir = std::getenv("VELMORA_SAMPLE_SCHEME");
    return std::string(dir ? dir : "") + "\\";
}

class InstallerWindows : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("VELMORA_SOURCE"), nullptr) << "VELMORA_SOURCE is not set";
        ASSERT_NE(std::getenv("VELMORA_SAMPLE_SCHEME"), nullptr) << "VELMORA_SAMPLE_SCHEME is not set";
    }
    uitest::ProgramDir dir_;
    uitest::ProgramEnvironment environment_{dir_};
    testing::RecordingDialogs dialogs_;
    Platform& real_ = win32::RealPlatform();
    Platform platform_ = uitest::TestPlatformOf(environment_, dialogs_);
};

TEST_F(InstallerWindows, WallpaperWindowShowsThePictureAndInstallsWithTheChosenPosition) {
    AzBiZhiWindow window(platform_);
    ASSERT_TRUE(window.Load(SourceFile("/tools/demo-service/data/wallpapers/1203.jpg")));
    EXPECT_TRUE(dialogs_.shown.empty()) << dialogs_.shown.front().text;
    EXPECT_EQ(uitest::Text(window.hwnd()), L"桌面壁纸");
    RECT rc;
    GetWindowRect(window.hwnd(), &rc);
    EXPECT_EQ(rc.right - rc.left, uitest::ScreenPixels(8890, true));
    EXPECT_EQ(rc.bottom - rc.top, uitest::ScreenPixels(7020, false));

    HWND box = GetDlgItem(window.hwnd(), kIdBiZhiWeiZhi);
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(SendMessageW(box, CB_GETCOUNT, 0, 0), 3);
    const wchar_t* items[] = {L"拉伸", L"居中", L"平铺"};
    for (int i = 0; i < 3; ++i) {
        wchar_t text[32] = {};
        SendMessageW(box, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, items[i]);
    }
    EXPECT_EQ(SendMessageW(box, CB_GETCURSEL, 0, 0), 0);
    HWND button = GetDlgItem(window.hwnd(), kIdAnZhuang);
    EXPECT_EQ(uitest::Text(button), L"壁 纸 安 装");
    EXPECT_NE(GetDlgItem(window.hwnd(), kIdBiZhiTu), nullptr);

    ShowWindow(window.hwnd(), SW_SHOWNORMAL);
    SendMessageW(box, CB_SETCURSEL, 2, 0);
    SendMessageW(button, BM_CLICK, 0, 0);
    uitest::PumpFor(100);
    EXPECT_EQ(real_.registry.ReadString(
                  "HKCU\\Software\\Microsoft\\Internet Explorer\\Desktop\\General\\TileWallpaper"),
              "1");
    EXPECT_TRUE(dialogs_.shown.empty());

    window.logic().OnCloseClicked();
    EXPECT_TRUE(window.Unloaded());
    EXPECT_EQ(window.hwnd(), nullptr);
}

TEST_F(InstallerWindows, WallpaperWindowReportsAMissingSelection) {
    AzBiZhiWindow window(platform_);
    ASSERT_TRUE(window.Load(Narrow(dir_.path()) + "\\none.jpg"));
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.Titled()[0], "错误: 壁纸不存在!");
    EXPECT_EQ(SendMessageW(GetDlgItem(window.hwnd(), kIdBiZhiWeiZhi), CB_GETCURSEL, 0, 0), 0);
}

TEST_F(InstallerWindows, CursorWindowPreviewsHoversInstallsAndRestores) {
    // A prefix kept from an earlier run (the command-line tests install a scheme) starts clean.
    real_.registry.DeleteValue("HKCU\\Control Panel\\Cursors\\Wait");
    AzShuBiaoWindow window(platform_);
    ASSERT_TRUE(window.Load(SampleScheme()));
    EXPECT_TRUE(dialogs_.shown.empty()) << dialogs_.shown.front().text;
    EXPECT_EQ(uitest::Text(window.hwnd()), L"鼠标指针");
    HWND container = GetDlgItem(window.hwnd(), kIdShuBiaoGe + 16);
    ASSERT_NE(container, nullptr);
    EXPECT_EQ(uitest::Text(container), L"Picture16");
    for (int cell = 1; cell <= 15; ++cell) {
        ASSERT_EQ(GetParent(window.Cell(cell)), container);
        EXPECT_EQ(uitest::Text(window.Cell(cell)), L"Picture" + std::to_wstring(cell));
        EXPECT_TRUE(window.CellHasIcon(cell)) << cell;
        EXPECT_EQ(window.CellCursor(cell), nullptr);
    }
    // Three columns, five rows, Picture1 to Picture15 left to right, top to bottom.
    RECT first, second, fourth;
    GetWindowRect(window.Cell(1), &first);
    GetWindowRect(window.Cell(2), &second);
    GetWindowRect(window.Cell(4), &fourth);
    EXPECT_EQ(second.top, first.top);
    EXPECT_EQ(second.left - first.left, uitest::ScreenPixels(1395 - 240, true));
    EXPECT_EQ(fourth.left, first.left);
    EXPECT_EQ(fourth.top - first.top, uitest::ScreenPixels(855 - 180, false));
    EXPECT_EQ(first.right - first.left, uitest::ScreenPixels(540, true));
    EXPECT_EQ(uitest::Text(GetDlgItem(window.hwnd(), kIdCommand1)), L"安 装");
    EXPECT_EQ(uitest::Text(GetDlgItem(window.hwnd(), kIdCommand2)), L"还 原");

    // Hover with the real mouse: each cell entered from the container loads its own cursor.
    ShowWindow(window.hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(window.hwnd());
    uitest::PumpFor(200);
    for (int cell : {15, 1}) {
        uitest::HoverOver(container);
        uitest::PumpFor(50);
        POINT corner = {2, 2};
        ClientToScreen(container, &corner);
        SetCursorPos(corner.x, corner.y);
        uitest::PumpFor(100);
        uitest::HoverOver(window.Cell(cell));
        uitest::PumpFor(150);
        EXPECT_NE(window.CellCursor(cell), nullptr) << cell;
    }
    EXPECT_EQ(window.CellCursor(2), nullptr);

    // Install asks first; Cancel does nothing, OK installs the folder.
    dialogs_.answers = {MessageResult::Cancel};
    SendMessageW(GetDlgItem(window.hwnd(), kIdCommand1), BM_CLICK, 0, 0);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.Titled()[0], "温馨提示: 是否安装鼠标指针");
    EXPECT_FALSE(real_.registry.ReadString("HKCU\\Control Panel\\Cursors\\Wait"));
    SendMessageW(GetDlgItem(window.hwnd(), kIdCommand1), BM_CLICK, 0, 0);
    const std::string windir = real_.environment.Variable("windir").value_or("");
    EXPECT_EQ(real_.registry.ReadString("HKCU\\Control Panel\\Cursors\\Wait"), windir + "\\Cursors\\Cursors\\Wait.ani");
    SendMessageW(GetDlgItem(window.hwnd(), kIdCommand2), BM_CLICK, 0, 0);
    EXPECT_EQ(dialogs_.Titled().back(), "温馨提示: 是否还原鼠标指针");
    EXPECT_FALSE(real_.registry.ReadString("HKCU\\Control Panel\\Cursors\\Wait"));
    EXPECT_EQ(dialogs_.shown.size(), 3u);
}

TEST_F(InstallerWindows, CursorWindowDrawsNothingForMissingFiles) {
    AzShuBiaoWindow window(platform_);
    ASSERT_TRUE(window.Load(Narrow(dir_.path()) + "\\no scheme\\"));
    for (int cell = 1; cell <= 15; ++cell) EXPECT_FALSE(window.CellHasIcon(cell)) << cell;
    EXPECT_TRUE(dialogs_.shown.empty());
}

}  // namespace
}  // namespace velmora
